#include "folder_tree_model.h"

#include <algorithm>

#include "display_text.h"
#include "namespace_item.h"
#include "shell_item.h"
#include "sibling_order.h"
#include "wait_cursor.h"

using kalvenor::IdListPtr;
using kalvenor::NameForm;
using kalvenor::ShellFolder;

FolderTreeModel::FolderTreeModel(kalvenor::FileSystem& fs, QObject* parent)
    : QAbstractItemModel(parent), m_namespace(std::make_unique<kalvenor::ShellNamespace>(fs)) {}

FolderTreeModel::~FolderTreeModel() {
  m_items.clear();  // before the namespace and its allocator
}

FolderItemData* FolderTreeModel::Record(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return nullptr;
  return static_cast<FolderItemData*>(index.internalPointer());
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return QModelIndex();
  if (!parent.isValid()) {
    return row == 0 && m_root != nullptr ? createIndex(0, 0, m_root) : QModelIndex();
  }
  const FolderItemData* record = Record(parent);
  if (record == nullptr || row >= static_cast<int>(record->children.size())) {
    return QModelIndex();
  }
  return createIndex(row, 0, record->children[static_cast<std::size_t>(row)]);
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const {
  const FolderItemData* record = Record(child);
  if (record == nullptr || record->parent == nullptr) return QModelIndex();
  return createIndex(record->parent->row, 0, record->parent);
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return m_root != nullptr ? 1 : 0;
  const FolderItemData* record = Record(parent);
  return record != nullptr ? static_cast<int>(record->children.size()) : 0;
}

int FolderTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const {
  const FolderItemData* record = Record(index);
  if (record == nullptr) return QVariant();
  switch (role) {
    case Qt::DisplayRole: return record->label;
    case Qt::DecorationRole:
      return m_namespace->Icons().ItemIcon(record->images.image, record->images.selectedImage);
    case kParsingNameRole:
      return QByteArray(record->parsingName.data(),
                        static_cast<qsizetype>(record->parsingName.size()));
    default: return QVariant();
  }
}

Qt::ItemFlags FolderTreeModel::flags(const QModelIndex& index) const {
  if (Record(index) == nullptr) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool FolderTreeModel::hasChildren(const QModelIndex& parent) const {
  if (!parent.isValid()) return m_root != nullptr;
  const FolderItemData* record = Record(parent);
  if (record == nullptr) return false;
  return record->expandedOnce ? !record->children.empty() : record->hasChildren;
}

bool FolderTreeModel::canFetchMore(const QModelIndex& parent) const {
  const FolderItemData* record = Record(parent);
  return record != nullptr && record->hasChildren && !record->expandedOnce;
}

void FolderTreeModel::fetchMore(const QModelIndex& parent) {
  FolderItemData* record = Record(parent);
  if (record == nullptr || record->expandedOnce) return;
  record->expandedOnce = true;
  WaitCursor wait;
  const std::shared_ptr<ShellFolder> folder =
      record->parentFolder != nullptr ? record->parentFolder->BindToObject(record->relative.get())
                                      : m_namespace->GetDesktopFolder();
  if (folder != nullptr) FillChildren(folder, *record, parent);
  // The expand button goes when the folder had no subfolders after all.
  if (record->children.empty()) emit dataChanged(parent, parent);
}

void FolderTreeModel::FillChildren(const std::shared_ptr<ShellFolder>& folder,
                                   FolderItemData& parent, const QModelIndex& parentIndex) {
  std::vector<IdListPtr> children;
  if (!folder->EnumObjects(children)) return;
  kalvenor::IdListAllocator& allocator = m_namespace->Allocator();

  std::vector<std::unique_ptr<FolderItemData>> made;
  made.reserve(children.size());
  for (IdListPtr& child : children) {
    const std::uint32_t attributes =
        folder->GetAttributesOf(child.get(), kalvenor::kAttrFolder | kalvenor::kAttrHasSubfolder);
    if ((attributes & kalvenor::kAttrFolder) == 0) continue;
    std::string label;
    // A child without a label ends the listing, as the tree cannot show it.
    if (!kalvenor::GetItemName(*folder, child.get(), NameForm::InFolder, label)) {
      break;
    }
    auto record = std::make_unique<FolderItemData>();
    kalvenor::GetItemName(*folder, child.get(), NameForm::ForParsing, record->parsingName);
    record->absolute = kalvenor::ConcatIdLists(allocator, parent.absolute.get(), child.get());
    if (!record->absolute) continue;
    record->parentFolder = folder;
    record->label = DisplayText(label);
    record->hasChildren = (attributes & kalvenor::kAttrHasSubfolder) != 0;
    // The icons depend on the last item only, which is the child itself.
    kalvenor::SetItemIcons(*m_namespace, child.get(), record->images);
    record->parent = &parent;
    // The enumeration's list is already the child's one-item relative list.
    record->relative = std::move(child);
    made.push_back(std::move(record));
  }
  if (made.empty()) return;

  std::vector<kalvenor::SiblingSortName> names;
  names.reserve(made.size());
  for (const auto& record : made) {
    names.push_back({kalvenor::SortRankOf(record->relative.get()), record->label,
                     kalvenor::NameOf(record->relative.get())});
  }
  const std::vector<std::size_t> order = kalvenor::SiblingOrder(m_namespace->Collator(), names);

  beginInsertRows(parentIndex, 0, static_cast<int>(made.size()) - 1);
  parent.children.reserve(made.size());
  for (std::size_t at : order) {
    FolderItemData* record = made[at].get();
    record->row = static_cast<int>(parent.children.size());
    parent.children.push_back(record);
  }
  // Records are kept in the order they were made, as enumerated.
  for (auto& record : made) m_items.push_back(std::move(record));
  endInsertRows();
}

QModelIndex FolderTreeModel::InsertDesktopItem() {
  kalvenor::IdListAllocator& allocator = m_namespace->Allocator();
  const IdListPtr desktop = m_namespace->GetSpecialFolderLocation(kalvenor::SpecialFolder::Desktop);
  if (!desktop || m_root != nullptr) return QModelIndex();
  const std::shared_ptr<ShellFolder> folder = m_namespace->GetDesktopFolder();
  std::string label;
  if (!kalvenor::GetItemName(*folder, desktop.get(), NameForm::Normal, label)) {
    return QModelIndex();
  }
  auto record = std::make_unique<FolderItemData>();
  kalvenor::GetItemName(*folder, desktop.get(), NameForm::ForParsing, record->parsingName);
  record->relative = kalvenor::CopyFirstId(allocator, desktop.get());
  record->absolute = kalvenor::ConcatIdLists(allocator, nullptr, desktop.get());
  if (!record->relative || !record->absolute) return QModelIndex();
  record->label = DisplayText(label);
  record->hasChildren = true;
  kalvenor::SetItemIcons(*m_namespace, record->absolute.get(), record->images);

  beginInsertRows(QModelIndex(), 0, 0);
  m_root = record.get();
  m_items.push_back(std::move(record));
  endInsertRows();
  return createIndex(0, 0, m_root);
}

QModelIndex FolderTreeModel::FindChild(const QModelIndex& parent,
                                       const kalvenor::ItemIdList* item) const {
  const FolderItemData* record = Record(parent);
  if (record == nullptr) return QModelIndex();
  for (FolderItemData* child : record->children) {
    if (kalvenor::SameItem(child->relative.get(), item)) {
      return createIndex(child->row, 0, child);
    }
  }
  return QModelIndex();
}

void FolderTreeModel::ClearTree() {
  if (m_items.empty()) return;
  beginResetModel();
  m_root = nullptr;
  m_items.clear();
  endResetModel();
}

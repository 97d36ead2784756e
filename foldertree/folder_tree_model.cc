#include "folder_tree_model.h"

#include <algorithm>

#include "namespace_item.h"
#include "shell_item.h"
#include "sibling_order.h"
#include "wait_cursor.h"

using kalvenor::IdListPtr;
using kalvenor::NameForm;
using kalvenor::ShellFolder;

CFolderTreeModel::CFolderTreeModel(QObject* parent)
    : QAbstractItemModel(parent),
      m_namespace(std::make_unique<kalvenor::ShellNamespace>()) {}

CFolderTreeModel::~CFolderTreeModel() {
  m_items.clear();  // before the namespace and its allocator
}

FolderItemData* CFolderTreeModel::Record(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return nullptr;
  return static_cast<FolderItemData*>(index.internalPointer());
}

QModelIndex CFolderTreeModel::index(int row, int column,
                                    const QModelIndex& parent) const {
  if (column != 0 || row < 0) return QModelIndex();
  if (!parent.isValid()) {
    return row == 0 && m_root != nullptr ? createIndex(0, 0, m_root)
                                         : QModelIndex();
  }
  const FolderItemData* record = Record(parent);
  if (record == nullptr ||
      row >= static_cast<int>(record->m_children.size())) {
    return QModelIndex();
  }
  return createIndex(row, 0, record->m_children[static_cast<std::size_t>(row)]);
}

QModelIndex CFolderTreeModel::parent(const QModelIndex& child) const {
  const FolderItemData* record = Record(child);
  if (record == nullptr || record->m_pParent == nullptr) return QModelIndex();
  return createIndex(record->m_pParent->m_nRow, 0, record->m_pParent);
}

int CFolderTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return m_root != nullptr ? 1 : 0;
  const FolderItemData* record = Record(parent);
  return record != nullptr ? static_cast<int>(record->m_children.size()) : 0;
}

int CFolderTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant CFolderTreeModel::data(const QModelIndex& index, int role) const {
  const FolderItemData* record = Record(index);
  if (record == nullptr) return QVariant();
  switch (role) {
    case Qt::DisplayRole:
      return record->m_label;
    case Qt::DecorationRole:
      return m_namespace->Icons().ItemIcon(record->m_images.image,
                                           record->m_images.selectedImage);
    case ParsingNameRole:
      return QByteArray(record->m_strParsingName.data(),
                        static_cast<qsizetype>(record->m_strParsingName.size()));
    default:
      return QVariant();
  }
}

Qt::ItemFlags CFolderTreeModel::flags(const QModelIndex& index) const {
  if (Record(index) == nullptr) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool CFolderTreeModel::hasChildren(const QModelIndex& parent) const {
  if (!parent.isValid()) return m_root != nullptr;
  const FolderItemData* record = Record(parent);
  if (record == nullptr) return false;
  return record->m_bExpandedOnce ? !record->m_children.empty()
                                 : record->m_bHasChildren;
}

bool CFolderTreeModel::canFetchMore(const QModelIndex& parent) const {
  const FolderItemData* record = Record(parent);
  return record != nullptr && record->m_bHasChildren &&
         !record->m_bExpandedOnce;
}

void CFolderTreeModel::fetchMore(const QModelIndex& parent) {
  FolderItemData* record = Record(parent);
  if (record == nullptr || record->m_bExpandedOnce) return;
  record->m_bExpandedOnce = true;
  CWaitCursor wait;
  const std::shared_ptr<ShellFolder> folder =
      record->m_pParentFolder != nullptr
          ? record->m_pParentFolder->BindToObject(record->m_pidlRelative.get())
          : m_namespace->GetDesktopFolder();
  if (folder != nullptr) FillChildren(folder, *record, parent);
  // The expand button goes when the folder had no subfolders after all.
  if (record->m_children.empty()) emit dataChanged(parent, parent);
}

void CFolderTreeModel::FillChildren(const std::shared_ptr<ShellFolder>& folder,
                                    FolderItemData& parent,
                                    const QModelIndex& parentIndex) {
  std::vector<IdListPtr> children;
  if (!folder->EnumObjects(children)) return;
  kalvenor::IdListAllocator& allocator = m_namespace->Allocator();

  std::vector<std::unique_ptr<FolderItemData>> made;
  made.reserve(children.size());
  for (IdListPtr& child : children) {
    const std::uint32_t attributes = folder->GetAttributesOf(
        child.get(), kalvenor::kAttrFolder | kalvenor::kAttrHasSubfolder);
    if ((attributes & kalvenor::kAttrFolder) == 0) continue;
    std::string label;
    // A child without a label ends the listing, as the tree cannot show it.
    if (!kalvenor::GetItemName(*folder, child.get(), NameForm::kInFolder, label)) {
      break;
    }
    auto record = std::make_unique<FolderItemData>();
    kalvenor::GetItemName(*folder, child.get(), NameForm::kForParsing,
                          record->m_strParsingName);
    record->m_pidlAbsolute = kalvenor::ConcatIdLists(
        allocator, parent.m_pidlAbsolute.get(), child.get());
    if (!record->m_pidlAbsolute) continue;
    record->m_pParentFolder = folder;
    record->m_label = kalvenor::DecodeItemName(label);
    record->m_bHasChildren = (attributes & kalvenor::kAttrHasSubfolder) != 0;
    // The icons depend on the last item only, which is the child itself.
    kalvenor::SetItemIcons(*m_namespace, child.get(), record->m_images);
    record->m_pParent = &parent;
    // The enumeration's list is already the child's one-item relative list.
    record->m_pidlRelative = std::move(child);
    made.push_back(std::move(record));
  }
  if (made.empty()) return;

  std::vector<kalvenor::SiblingSortName> names;
  names.reserve(made.size());
  for (const auto& record : made) {
    names.push_back({kalvenor::SortRankOf(record->m_pidlRelative.get()), record->m_label,
                     kalvenor::NameOf(record->m_pidlRelative.get())});
  }
  const std::vector<std::size_t> order =
      kalvenor::SiblingOrder(m_namespace->Collator(), names);

  beginInsertRows(parentIndex, 0, static_cast<int>(made.size()) - 1);
  parent.m_children.reserve(made.size());
  for (std::size_t at : order) {
    FolderItemData* record = made[at].get();
    record->m_nRow = static_cast<int>(parent.m_children.size());
    parent.m_children.push_back(record);
  }
  // Records are kept in the order they were made, as enumerated.
  for (auto& record : made) m_items.push_back(std::move(record));
  endInsertRows();
}

QModelIndex CFolderTreeModel::InsertDesktopItem() {
  kalvenor::IdListAllocator& allocator = m_namespace->Allocator();
  const IdListPtr desktop =
      m_namespace->GetSpecialFolderLocation(kalvenor::SpecialFolder::kDesktop);
  if (!desktop || m_root != nullptr) return QModelIndex();
  const std::shared_ptr<ShellFolder> folder = m_namespace->GetDesktopFolder();
  std::string label;
  if (!kalvenor::GetItemName(*folder, desktop.get(), NameForm::kNormal, label)) {
    return QModelIndex();
  }
  auto record = std::make_unique<FolderItemData>();
  kalvenor::GetItemName(*folder, desktop.get(), NameForm::kForParsing,
                        record->m_strParsingName);
  record->m_pidlRelative = kalvenor::CopyFirstId(allocator, desktop.get());
  record->m_pidlAbsolute = kalvenor::ConcatIdLists(allocator, nullptr, desktop.get());
  if (!record->m_pidlRelative || !record->m_pidlAbsolute) return QModelIndex();
  record->m_label = kalvenor::DecodeItemName(label);
  record->m_bHasChildren = true;
  kalvenor::SetItemIcons(*m_namespace, record->m_pidlAbsolute.get(),
                         record->m_images);

  beginInsertRows(QModelIndex(), 0, 0);
  m_root = record.get();
  m_items.push_back(std::move(record));
  endInsertRows();
  return createIndex(0, 0, m_root);
}

QModelIndex CFolderTreeModel::FindChild(const QModelIndex& parent,
                                        const kalvenor::ItemIdList* item) const {
  const FolderItemData* record = Record(parent);
  if (record == nullptr) return QModelIndex();
  for (FolderItemData* child : record->m_children) {
    if (kalvenor::SameItem(child->m_pidlRelative.get(), item)) {
      return createIndex(child->m_nRow, 0, child);
    }
  }
  return QModelIndex();
}

void CFolderTreeModel::ClearTree() {
  if (m_items.empty()) return;
  beginResetModel();
  m_root = nullptr;
  m_items.clear();
  endResetModel();
}

#include "folder_tree_model.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

#include "display_text.h"
#include "mounted_volumes.h"
#include "namespace_item.h"
#include "shell_item.h"
#include "sibling_order.h"

using kalvenor::FolderListing;
using kalvenor::IdListPtr;
using kalvenor::NameForm;
using kalvenor::ShellFolder;

namespace {

// Reads of folders on slow shares may each hold a thread for a long time;
// a few threads let a local folder be read meanwhile.
constexpr int kWorkerThreads = 4;

// The label the tree shows for `item`: the names the tree gives its places
// ("Computer", "Home", "Network", "File System (/)") in the user's language,
// every folder's and volume's own name as it is.
QString ShownLabel(const kalvenor::ItemIdList* item, const std::string& label) {
  switch (kalvenor::KindOf(item)) {
    case kalvenor::ItemKind::Computer: return QCoreApplication::translate("FolderTree", "Computer");
    case kalvenor::ItemKind::Home: return QCoreApplication::translate("FolderTree", "Home");
    case kalvenor::ItemKind::Network: return QCoreApplication::translate("FolderTree", "Network");
    case kalvenor::ItemKind::Volume:
      if (kalvenor::NameOf(item) == "/") {
        //: The volume that holds "/", with its mount point.
        return QCoreApplication::translate("FolderTree", "File System (%1)")
            .arg(QStringLiteral("/"));
      }
      break;
    default: break;
  }
  return DisplayText(label);
}

}  // namespace

FolderTreeModel::FolderTreeModel(kalvenor::FileSystem& fs, QObject* parent)
    : QAbstractItemModel(parent),
      // The places are read on a worker when the tree is populated.
      m_namespace(std::make_unique<kalvenor::ShellNamespace>(fs, kalvenor::NamespacePlaces())),
      m_reads(kWorkerThreads) {}

FolderTreeModel::~FolderTreeModel() {
  for (auto& [id, pending] : m_pending) pending.listing.cancel();
  m_pending.clear();  // their folders and busy rows, before the namespace
  m_items.clear();    // before the namespace and its allocator
}

QString FolderTreeModel::BusyText() {
  return QCoreApplication::translate("FolderTree", "Reading\u2026");
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
      if (record->busy) return QVariant();
      return m_namespace->Icons().ItemIcon(record->images.image, record->images.selectedImage);
    case kParsingNameRole:
      return QByteArray(record->parsingName.data(),
                        static_cast<qsizetype>(record->parsingName.size()));
    default: return QVariant();
  }
}

Qt::ItemFlags FolderTreeModel::flags(const QModelIndex& index) const {
  const FolderItemData* record = Record(index);
  if (record == nullptr) return Qt::NoItemFlags;
  // The busy row can be neither chosen nor opened.
  if (record->busy) return Qt::ItemNeverHasChildren;
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

bool FolderTreeModel::IsReading(const QModelIndex& folder) const {
  const FolderItemData* record = Record(folder);
  return record != nullptr && record->readId != 0;
}

bool FolderTreeModel::IsBusyRow(const QModelIndex& index) const {
  const FolderItemData* record = Record(index);
  return record != nullptr && record->busy;
}

QModelIndex FolderTreeModel::IndexOf(FolderItemData* record) const {
  return createIndex(record->row, 0, record);
}

void FolderTreeModel::fetchMore(const QModelIndex& parent) {
  FolderItemData* record = Record(parent);
  if (record == nullptr || record->busy || record->expandedOnce) return;
  record->expandedOnce = true;
  const std::shared_ptr<ShellFolder> folder =
      record->parentFolder != nullptr ? record->parentFolder->BindToObject(record->relative.get())
                                      : m_namespace->GetDesktopFolder();
  if (folder == nullptr) {
    FinishRead(nullptr, *record, FolderListing());
    return;
  }
  const std::optional<std::string> listed = folder->BeginRead();
  if (!listed) {
    FinishRead(folder, *record, FolderListing());
    return;
  }

  const std::uint64_t id = ++m_lastReadId;
  kalvenor::FileSystem& fs = m_namespace->Files();
  QFuture<FolderListing> listing = m_reads.Run(
      this, [&fs, path = *listed] { return kalvenor::ReadFolderListing(fs, path); },
      [this, id](const FolderListing& read) { OnReadArrived(id, read); });
  record->readId = id;
  m_pending.emplace(id, PendingRead{std::move(listing), folder, record, nullptr});
  QTimer::singleShot(m_busyRowDelay, this, [this, id] { ShowBusyRow(id); });
}

void FolderTreeModel::ShowBusyRow(std::uint64_t id) {
  const auto found = m_pending.find(id);
  if (found == m_pending.end() || found->second.busyRow != nullptr) return;
  FolderItemData& record = *found->second.record;
  // The busy row goes first; the subfolders are inserted after it when
  // they come, and it goes last, so that the folder never stands without
  // children (and so collapsed) in between.
  auto busyRow = std::make_unique<FolderItemData>();
  busyRow->busy = true;
  busyRow->label = BusyText();
  busyRow->parent = &record;
  busyRow->row = 0;
  beginInsertRows(IndexOf(&record), 0, 0);
  record.children.insert(record.children.begin(), busyRow.get());
  for (std::size_t row = 1; row < record.children.size(); ++row) {
    record.children[row]->row = static_cast<int>(row);
  }
  found->second.busyRow = std::move(busyRow);
  endInsertRows();
}

void FolderTreeModel::OnReadArrived(std::uint64_t id, const FolderListing& listing) {
  const auto found = m_pending.find(id);
  if (found == m_pending.end()) return;  // cleared meanwhile
  PendingRead pending = std::move(found->second);
  m_pending.erase(found);
  FolderItemData& record = *pending.record;
  record.readId = 0;
  const QModelIndex index = IndexOf(&record);
  FillChildren(pending.folder, record, index, listing);
  if (pending.busyRow != nullptr) {
    beginRemoveRows(index, 0, 0);
    record.children.erase(record.children.begin());
    for (FolderItemData* child : record.children) --child->row;
    endRemoveRows();
  }
  EndRead(record);
}

void FolderTreeModel::FinishRead(const std::shared_ptr<ShellFolder>& folder, FolderItemData& record,
                                 const FolderListing& listing) {
  if (folder != nullptr) FillChildren(folder, record, IndexOf(&record), listing);
  EndRead(record);
}

void FolderTreeModel::EndRead(FolderItemData& record) {
  const QModelIndex index = IndexOf(&record);
  // The expand button goes when the folder had no subfolders after all.
  if (record.children.empty()) emit dataChanged(index, index);
  emit folderRead(index);
}

void FolderTreeModel::FillChildren(const std::shared_ptr<ShellFolder>& folder,
                                   FolderItemData& parent, const QModelIndex& parentIndex,
                                   const FolderListing& listing) {
  std::vector<IdListPtr> children;
  if (!folder->EnumListing(listing, children)) return;
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
    record->label = ShownLabel(child.get(), label);
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

  // After the busy row, if there is one.
  const int first = static_cast<int>(parent.children.size());
  beginInsertRows(parentIndex, first, first + static_cast<int>(made.size()) - 1);
  parent.children.reserve(parent.children.size() + made.size());
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
    if (!child->busy && kalvenor::SameItem(child->relative.get(), item)) {
      return createIndex(child->row, 0, child);
    }
  }
  return QModelIndex();
}

void FolderTreeModel::ClearTree() {
  if (m_items.empty()) return;
  beginResetModel();
  m_root = nullptr;
  // A read still in flight finds no number to come back to; one not yet
  // started never starts.
  for (auto& [id, pending] : m_pending) pending.listing.cancel();
  m_pending.clear();
  m_items.clear();
  endResetModel();
}

void FolderTreeModel::SetPlaces(kalvenor::NamespacePlaces places) {
  m_namespace->SetPlaces(std::move(places));
  if (m_root == nullptr) return;
  const std::shared_ptr<ShellFolder> desktop = m_namespace->GetDesktopFolder();
  std::string name;
  if (kalvenor::GetItemName(*desktop, m_root->relative.get(), NameForm::ForParsing, name)) {
    m_root->parsingName = std::move(name);
  }
  const QModelIndex root = IndexOf(m_root);
  emit dataChanged(root, root);
}

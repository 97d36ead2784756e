// The folder tree's model: the namespace from the Desktop down, folders
// only, read lazily. A folder is read at its first expansion (fetchMore) and
// never again until ClearTree; whether it shows an expand button before that
// comes from its attributes, without reading it. Children stand in sibling
// order (SiblingOrder).
//
// A folder's disk work runs on worker threads of the model's own ReadPool;
// the model, the namespace and every record stay on the model's thread,
// where the listing comes back. fetchMore starts the read and returns at
// once, never waiting for the disk. A read that takes longer than
// kBusyRowDelay shows a busy row, "Reading…", under the folder until the
// subfolders replace it; a faster one shows none. A read whose folder was
// cleared meanwhile inserts nothing, and one that never returns (a hung
// share) holds up neither ClearTree nor the model's end.
//
// The model owns the namespace and every FolderItemData record; an index's
// internal pointer is its record, valid until the next ClearTree (a busy
// row's until its folder's subfolders come).
#pragma once

#include <QAbstractItemModel>
#include <QFuture>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "folder_item_data.h"
#include "folder_listing.h"
#include "namespace_places.h"
#include "read_pool.h"
#include "shell_namespace.h"

class FolderTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  // The item's parsing name as a QByteArray of its real bytes.
  static constexpr int kParsingNameRole = Qt::UserRole + 1;
  // How long a read runs before its folder shows the busy row: a read that
  // ends sooner fills the folder without one, so that a folder on a local
  // disk never flickers.
  static constexpr std::chrono::milliseconds kBusyRowDelay{100};

  // Reads folders through `fs`, which must outlive every read the model
  // starts (see ReadPool).
  explicit FolderTreeModel(kalvenor::FileSystem& fs, QObject* parent = nullptr);
  // Gives up the reads in flight without waiting for them.
  ~FolderTreeModel() override;

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  // Starts the read of the folder of `parent`, once; its subfolders go in
  // when the read comes back, and folderRead() tells when. A folder that
  // cannot be read gets no children. A folder that needs no disk work
  // (Computer, Network) is filled at once.
  void fetchMore(const QModelIndex& parent) override;

  // How long a read runs before its busy row shows (kBusyRowDelay unless
  // set); for tests.
  void SetBusyRowDelay(std::chrono::milliseconds delay) { m_busyRowDelay = delay; }

  // Whether a read is in flight: any, or the one of `folder`.
  bool IsReading() const { return !m_pending.empty(); }
  bool IsReading(const QModelIndex& folder) const;
  // Whether `index` is a busy row.
  bool IsBusyRow(const QModelIndex& index) const;
  // What the busy row shows.
  static QString BusyText();

  // Frees every record and leaves the model empty; reads in flight are
  // given up (their results are thrown away if they ever come). Does
  // nothing when the model is empty already.
  void ClearTree();
  // Makes the root item, the Desktop, in an empty model. Its index, or an
  // invalid index when it cannot be made.
  QModelIndex InsertDesktopItem();
  // Takes places read on a worker (ShellNamespace::SetPlaces); the Desktop
  // item, if there is one, then stands for the new desktop directory.
  void SetPlaces(kalvenor::NamespacePlaces places);
  // The child of `parent` (read already) that names the same place as
  // `item`, a one-item list; invalid when there is none.
  QModelIndex FindChild(const QModelIndex& parent, const kalvenor::ItemIdList* item) const;
  // The record of `index`; nullptr for an invalid index.
  FolderItemData* Record(const QModelIndex& index) const;

  // The model's worker threads, for the tree's other disk work.
  ReadPool& Reads() { return m_reads; }

  kalvenor::ShellNamespace& Namespace() { return *m_namespace; }
  const kalvenor::ShellNamespace& Namespace() const { return *m_namespace; }

 signals:
  // The read of `folder` that fetchMore started has ended: its subfolders
  // are in, or it has none. Also sent when the read ended within the wait.
  void folderRead(const QModelIndex& folder);

 private:
  // A read in flight, by its number.
  struct PendingRead {
    QFuture<kalvenor::FolderListing> listing;
    std::shared_ptr<kalvenor::ShellFolder> folder;
    FolderItemData* record = nullptr;
    std::unique_ptr<FolderItemData> busyRow;  // once the read has taken a while
  };

  QModelIndex IndexOf(FolderItemData* record) const;
  // Puts the busy row under the folder of read `id`, if it is still read.
  void ShowBusyRow(std::uint64_t id);
  void OnReadArrived(std::uint64_t id, const kalvenor::FolderListing& listing);
  // Inserts the children that `listing` gives the folder (none without a
  // folder) and ends the read.
  void FinishRead(const std::shared_ptr<kalvenor::ShellFolder>& folder, FolderItemData& record,
                  const kalvenor::FolderListing& listing);
  // Takes the expand button away from a folder left without children, and
  // announces the end of the read.
  void EndRead(FolderItemData& record);
  // Inserts the children that `listing` gives `parent`, after the rows it
  // has already.
  void FillChildren(const std::shared_ptr<kalvenor::ShellFolder>& folder, FolderItemData& parent,
                    const QModelIndex& parentIndex, const kalvenor::FolderListing& listing);

  // Declared first: every record's lists go back to its allocator.
  std::unique_ptr<kalvenor::ShellNamespace> m_namespace;
  std::vector<std::unique_ptr<FolderItemData>> m_items;  // in order of making
  FolderItemData* m_root = nullptr;
  std::map<std::uint64_t, PendingRead> m_pending;
  std::uint64_t m_lastReadId = 0;
  std::chrono::milliseconds m_busyRowDelay = kBusyRowDelay;
  // Last: it goes first, giving up its work before the records do.
  ReadPool m_reads;
};

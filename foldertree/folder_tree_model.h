// The folder tree's model: the namespace from the Desktop down, folders
// only, read lazily. A folder is read at its first expansion (fetchMore) and
// never again until ClearTree; whether it shows an expand button before that
// comes from its attributes, without reading it. Children stand in sibling
// order (SiblingOrder).
//
// A folder's disk work runs on worker threads of the model's own; the model,
// the namespace and every record stay on the model's thread, where the
// listing comes back by a queued call. fetchMore waits a moment (kReadWait)
// for the listing, so that a fast read looks exactly as if it were made in
// place; a slower one shows a busy row, "Reading…", under the folder until
// the subfolders replace it. A read whose folder was cleared meanwhile
// inserts nothing.
//
// The model owns the namespace and every FolderItemData record; an index's
// internal pointer is its record, valid until the next ClearTree (a busy
// row's until its folder's subfolders come).
#pragma once

#include <QAbstractItemModel>
#include <QThreadPool>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "background_read.h"
#include "folder_item_data.h"
#include "folder_listing.h"
#include "namespace_places.h"
#include "shell_namespace.h"

class FolderTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  // The item's parsing name as a QByteArray of its real bytes.
  static constexpr int kParsingNameRole = Qt::UserRole + 1;
  // How long fetchMore waits for a read before it shows the busy row: less
  // than a frame at 60 Hz, so a fast read shows no busy row, while a slow
  // folder holds the window up no longer than one frame.
  static constexpr std::chrono::milliseconds kReadWait{15};

  // Reads folders through `fs`, which must outlive the model.
  explicit FolderTreeModel(kalvenor::FileSystem& fs, QObject* parent = nullptr);
  // Waits for the reads in flight to end (StopReading).
  ~FolderTreeModel() override;

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  // Reads the folder of `parent` and inserts its subfolders, once, waiting
  // kReadWait for the read (FetchChildren). A folder that cannot be read
  // gets no children.
  void fetchMore(const QModelIndex& parent) override;
  // fetchMore, waiting at most `wait` for the read before the busy row
  // shows (zero: the busy row shows unless no disk work was needed).
  void FetchChildren(const QModelIndex& parent, std::chrono::milliseconds wait);

  // Whether a read is in flight: any, or the one of `folder`.
  bool IsReading() const { return !m_reads.empty(); }
  bool IsReading(const QModelIndex& folder) const;
  // Whether `index` is a busy row.
  bool IsBusyRow(const QModelIndex& index) const;
  // What the busy row shows.
  static QString BusyText();

  // Frees every record and leaves the model empty; reads in flight are
  // dropped (their results are thrown away when they come). Does nothing
  // when the model is empty already.
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

  // Runs `work`, disk work only (see BackgroundRead), on the model's worker
  // threads; `arrived` runs later on `context`'s thread, which must wait
  // for StopReading before it goes.
  template <typename Result>
  std::shared_ptr<BackgroundRead<Result>> StartBackgroundRead(QObject* context,
                                                              std::function<Result()> work,
                                                              std::function<void()> arrived) {
    return BackgroundRead<Result>::Start(m_workers, context, std::move(work), std::move(arrived));
  }
  // Waits until no work runs on the model's worker threads. Results that
  // come later are still delivered, or dropped as usual.
  void StopReading();

  kalvenor::ShellNamespace& Namespace() { return *m_namespace; }
  const kalvenor::ShellNamespace& Namespace() const { return *m_namespace; }

 signals:
  // The read of `folder` that fetchMore started has ended: its subfolders
  // are in, or it has none. Also sent when the read ended within the wait.
  void folderRead(const QModelIndex& folder);

 private:
  // A read in flight, by its number.
  struct PendingRead {
    std::shared_ptr<BackgroundRead<kalvenor::FolderListing>> read;
    std::shared_ptr<kalvenor::ShellFolder> folder;
    FolderItemData* record = nullptr;
    std::unique_ptr<FolderItemData> busyRow;
  };

  QModelIndex IndexOf(FolderItemData* record) const;
  void OnReadArrived(std::uint64_t id);
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
  std::map<std::uint64_t, PendingRead> m_reads;
  std::uint64_t m_lastReadId = 0;
  QThreadPool m_workers;
};

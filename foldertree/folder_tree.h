// The folder tree of the form: the namespace from the Desktop down, folders
// only (hidden ones included), each folder read at its first expansion.
//
// Populate rebuilds the tree, walks down to a folder and selects it. When
// an item is selected, the tree announces the item's path (folderSelected),
// or an empty path when IsValidFolderPath refuses it (Computer, Network, a
// folder in the trash). Selections while the tree is being rebuilt are not
// announced. Long names are never cut: the tree scrolls sideways. The tree owns its model and,
// through it, every item record.
//
// No folder is read on the tree's thread: expansions and the walk of
// Populate read on the model's worker threads (see FolderTreeModel), so a
// slow folder never holds the window up for more than a moment.
#pragma once

#include <QPersistentModelIndex>
#include <QTreeView>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "background_read.h"
#include "file_system.h"
#include "id_list.h"
#include "namespace_places.h"

class FolderTreeModel;
class QElapsedTimer;

class FolderTree : public QTreeView {
  Q_OBJECT

 public:
  // Reads folders through `fs`, which must outlive the tree.
  explicit FolderTree(kalvenor::FileSystem& fs, QWidget* parent = nullptr);
  // Waits for the disk work in flight to end.
  ~FolderTree() override;

  // Rebuilds the tree, walks down to `folderPath` and selects it, which
  // announces its path. The walk goes Desktop, Computer (or Network for a
  // network share), the volume whose mount point holds the path, then the
  // folders below it, matched byte for byte. The desktop directory selects
  // the Desktop itself. A folder that no longer exists (or a file) stands
  // for the nearest folder above it that does. When a component matches
  // nothing the walk ends there: nothing is selected and nothing is
  // announced.
  //
  // Populate empties the tree, puts the Desktop in and returns; the walk
  // reads the places, the path and every folder on the way on worker
  // threads and goes on as they come, and populated() tells when it has
  // ended. Selections during the walk are not announced. A second Populate
  // supersedes one in flight, whose walk then ends silently. When the user
  // picks an item (mouse or keyboard) during the walk, the user's choice
  // wins: the walk ends at once, selects nothing of its own, and the picked
  // item is announced.
  void Populate(const std::string& folderPath);
  // True from Populate until its walk ends.
  bool IsPopulating() const { return m_walking; }

  // Frees every item record and empties the tree; a walk in flight ends
  // there, selecting nothing (populated() is sent).
  void ClearTree();

  FolderTreeModel* FolderModel() const { return m_model; }

  // Scrolls as QTreeView does, then sideways to show the item's whole name
  // (QTreeView goes back to the column's start when the column is wider
  // than the view).
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 signals:
  // A folder was selected: its path (bytes), or an empty path for a place
  // that IsValidFolderPath refuses. Also sent when Populate ends on the item
  // that was current already.
  void folderSelected(const std::string& path);
  // The walk of a Populate has ended, whether it selected a folder or not
  // (after the selection and its announcement). Not sent for a walk that a
  // later Populate superseded.
  void populated();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // What the walk reads before it can start: the places and its target.
  struct WalkStart {
    kalvenor::NamespacePlaces places;
    std::string target;
  };

  void OnSelChanged(const QModelIndex& current);
  // `folderPath`, or when it is absolute and names no folder, the nearest
  // folder above it; without trailing separators. Disk work only.
  static std::string NearestFolder(kalvenor::FileSystem& fs, const std::string& folderPath);
  // Reads the item's folder if it has not been read, waiting at most `wait`
  // for it, then expands it.
  void ExpandItem(const QModelIndex& index, std::chrono::milliseconds wait);
  // The steps of the walk of Populate number `walk`.
  void OnWalkStart(std::uint64_t walk);
  void OnFolderRead(const QModelIndex& folder);
  // Goes down as far as the folders read allow; `turn` has run since the
  // event that resumed the walk, so that the waits for reads stay within
  // one FolderTreeModel::kReadWait per event.
  void ContinueWalk(const QElapsedTimer& turn);
  // Ends the walk, selecting `found` when it is valid.
  void EndWalk(const QModelIndex& found);
  // Ends the walk when the user has moved the current item from `before`.
  void NoteUserChoice(const QModelIndex& before);
  // Forgets the walk's state; true when a walk was running.
  bool StopWalk();
  // Empties the model.
  void ClearItems();
  // Scrolls sideways so that the item's whole name is in view.
  void ShowWholeName(const QModelIndex& index);

  FolderTreeModel* m_model;
  // True while Populate runs (and before the first one): OnSelChanged then
  // announces nothing.
  bool m_busy = true;
  // The walk of the latest Populate, numbered so that the results of a
  // superseded one are known.
  std::uint64_t m_walk = 0;
  bool m_walking = false;
  std::shared_ptr<BackgroundRead<WalkStart>> m_walkStart;
  kalvenor::IdListPtr m_walkItems;  // the target's list from the Desktop down
  // The folder the walk has expanded last, and the item to find in it next
  // (nullptr: the target has no list; the walk ends at the Desktop).
  QPersistentModelIndex m_walkAt;
  const kalvenor::ItemIdList* m_walkNext = nullptr;
  bool m_walkWaiting = false;  // for the read of m_walkAt
};

// The folder tree of the form: the namespace from the Desktop down, folders
// only (hidden ones included), each folder read at its first expansion.
//
// Populate rebuilds the tree, walks down to a folder and selects it. When
// an item is selected, the tree announces the item's path (folderSelected),
// or an empty path when IsValidFolderPath refuses it (Computer, Network, a
// folder in the trash). Selections while the tree is being rebuilt are not
// announced. Long names are never cut: the tree scrolls sideways. The tree
// owns its model and, through it, every item record.
//
// No disk work is done on the tree's thread, and the tree never waits for
// any: expansions, the walk of Populate and the path test of a selected
// folder run on the model's worker threads (see FolderTreeModel), so a slow
// folder never holds the window up. A selected folder is announced once its
// test has come back. Reads that never come back (a hung share) are given
// up when the tree is cleared or goes.
#pragma once

#include <QPersistentModelIndex>
#include <QTreeView>
#include <cstdint>
#include <optional>
#include <string>

#include "file_system.h"
#include "id_list.h"
#include "namespace_places.h"

class FolderTreeModel;

class FolderTree : public QTreeView {
  Q_OBJECT

 public:
  // Reads folders through `fs`, which must outlive every read the tree
  // starts (see ReadPool).
  explicit FolderTree(kalvenor::FileSystem& fs, QWidget* parent = nullptr);
  // Gives up the disk work in flight without waiting for it.
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
  // reads the places, the path, its test and every folder on the way on
  // worker threads and goes on as they come, and populated() tells when it
  // has ended. Selections during the walk are not announced. A second Populate
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
  // that IsValidFolderPath refuses. Sent once the path's test has come back,
  // unless another item was selected meanwhile. Also sent when Populate
  // ends on the item that was current already.
  void folderSelected(const std::string& path);
  // The walk of a Populate has ended, whether it selected a folder or not
  // (after the selection and its announcement; an item the user picked
  // during the walk is announced once its test has come back). Not sent
  // for a walk that a later Populate superseded.
  void populated();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // What the walk reads before it can start: the places, its target and
  // whether the target passes IsValidFolderPath.
  struct WalkStart {
    kalvenor::NamespacePlaces places;
    std::string target;
    bool targetValid = false;
  };

  void OnSelChanged(const QModelIndex& current);
  // Announces the item at `index`: at once when its parsing name is no path
  // or `valid` is known, else once its test has come back (and only if no
  // other selection came meanwhile).
  void Announce(const QModelIndex& index, std::optional<bool> valid);
  // `folderPath`, or when it is absolute and names no folder, the nearest
  // folder above it; without trailing separators. Disk work only.
  static std::string NearestFolder(kalvenor::FileSystem& fs, const std::string& folderPath);
  // Starts the read of the item's folder if it has not been read, then
  // expands it.
  void ExpandItem(const QModelIndex& index);
  // The steps of the walk of Populate number `walk`.
  void OnWalkStart(std::uint64_t walk, WalkStart start);
  void OnFolderRead(const QModelIndex& folder);
  // Goes down as far as the folders read so far allow.
  void ContinueWalk();
  // Ends the walk at `found` (nothing selected when it is invalid), once
  // its test is known.
  void EndWalk(const QModelIndex& found);
  // Ends the walk, selecting `found` and announcing it as `valid`.
  void FinishWalk(const QModelIndex& found, bool valid);
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
  // The walk's target and its test, from the walk's start.
  std::string m_walkTarget;
  bool m_walkTargetValid = false;
  kalvenor::IdListPtr m_walkItems;  // the target's list from the Desktop down
  // The folder the walk has expanded last, and the item to find in it next
  // (nullptr: the target has no list; the walk ends at the Desktop).
  QPersistentModelIndex m_walkAt;
  const kalvenor::ItemIdList* m_walkNext = nullptr;
  bool m_walkWaiting = false;  // for the read of m_walkAt
  // The latest selection to announce, numbered so that the test of an
  // earlier one announces nothing.
  std::uint64_t m_selection = 0;
};

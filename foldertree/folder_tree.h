// The folder tree of the form: the namespace from the Desktop down, folders
// only (hidden ones included), each folder read at its first expansion.
//
// Populate rebuilds the tree, walks down to a folder and selects it. When
// an item is selected, the tree announces the item's path (folderSelected),
// or an empty path when IsValidFolderPath refuses it (Computer, Network, a
// folder in the trash). Selections while the tree is being rebuilt are not
// announced. Long names are never cut: the tree scrolls sideways. The tree owns its model and,
// through it, every item record.
#pragma once

#include <QTreeView>
#include <string>

#include "file_system.h"

class FolderTreeModel;

class FolderTree : public QTreeView {
  Q_OBJECT

 public:
  // Reads folders through `fs`, which must outlive the tree.
  explicit FolderTree(kalvenor::FileSystem& fs, QWidget* parent = nullptr);
  ~FolderTree() override;

  // Rebuilds the tree, walks down to `folderPath` and selects it, which
  // announces its path. Selections during the rebuild are not announced.
  // The walk goes Desktop, Computer (or Network for a network share), the
  // volume whose mount point holds the path, then the folders below it,
  // matched byte for byte. The desktop directory selects the
  // Desktop itself. A folder that no longer exists (or a file) stands for
  // the nearest folder above it that does. When a component matches nothing
  // the walk ends there: nothing is selected and nothing is announced.
  void Populate(const std::string& folderPath);

  // Frees every item record and empties the tree.
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

 private:
  void OnSelChanged(const QModelIndex& current);
  // `folderPath`, or when it is absolute and names no folder, the nearest
  // folder above it; without trailing separators.
  std::string NearestFolder(const std::string& folderPath);
  // Reads the item's folder if it has not been read, then expands it.
  void ExpandItem(const QModelIndex& index);
  // Scrolls sideways so that the item's whole name is in view.
  void ShowWholeName(const QModelIndex& index);

  FolderTreeModel* m_model;
  // True while Populate runs (and before the first one): OnSelChanged then
  // announces nothing.
  bool m_busy = true;
};

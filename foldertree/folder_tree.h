// The folder tree of the form: the namespace from the Desktop down, folders
// only (hidden ones included), each folder read at its first expansion.
//
// Populate rebuilds the tree, walks down to a folder and selects it. When
// the user selects an item, the tree writes the item's path into the folder
// box given to Populate, or an empty path when IsValidFolderPath refuses it
// (Computer, Network, a folder in the trash). Selections while the tree is
// being rebuilt do not reach the box. The tree owns its model and, through
// it, every item record; it does not own the folder box.
#pragma once

#include <QPointer>
#include <QTreeView>
#include <string>

class FolderPathBox;
class FolderTreeModel;

class FolderTree : public QTreeView {
  Q_OBJECT

 public:
  explicit FolderTree(QWidget* parent = nullptr);
  ~FolderTree() override;

  // Rebuilds the tree, walks down to `folderPath` and selects it, which
  // writes its path into `pathBox`. Selections during the rebuild do not
  // reach the box. The walk goes Desktop, Computer (or Network for a network
  // share), the volume whose mount point holds the path, then the folders
  // below it, matched byte for byte. The desktop directory selects the
  // Desktop itself. When a component matches nothing the walk ends there:
  // nothing is selected and the box keeps its text.
  void Populate(const std::string& folderPath, FolderPathBox* pathBox);

  // Frees every item record and empties the tree.
  void ClearTree();

  // The path of the selected folder when it passed IsValidFolderPath, else
  // empty.
  const std::string& SelectedPath() const { return m_selectedPath; }
  FolderTreeModel* FolderModel() const { return m_model; }

 private:
  void OnSelChanged(const QModelIndex& current);
  // Reads the item's folder if it has not been read, then expands it.
  void ExpandItem(const QModelIndex& index);

  FolderTreeModel* m_model;
  // True while Populate runs (and before the first one): OnSelChanged then
  // leaves the folder box alone.
  bool m_busy = true;
  std::string m_selectedPath;
  QPointer<FolderPathBox> m_pathBox;
};

// DRAFT public surface of the folder tree, as the form uses it; the folder
// tree work owns this header and fills in the rest.
//
// CFolderTree shows the namespace from the Desktop down, folders only, reads
// each folder at its first expansion, and writes the path of the selected
// folder (or an empty path when IsValidFolderPath refuses it) into the
// folder box given to Populate.
#pragma once

#include <QTreeView>
#include <string>

class CFolderPathBox;

class CFolderTree : public QTreeView {
  Q_OBJECT

 public:
  explicit CFolderTree(QWidget* parent = nullptr);
  ~CFolderTree() override;

  // Rebuilds the tree, walks down to `folderPath` and selects it, which
  // writes its path into `pathBox`. Selections during the rebuild do not
  // reach the box.
  void Populate(const std::string& folderPath, CFolderPathBox* pathBox);
};

// The record behind one item of the folder tree: where the item sits in the
// namespace (its parent folder and identifier lists), the path it stands for,
// and what the tree shows of it.
//
// The folder tree model owns every record from its making to the next
// ClearTree; records are never freed one at a time. A record shares its
// parent folder (the folder keeps living while a record needs it) and owns
// its two lists, which go back to the namespace's allocator with the record.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "id_list.h"
#include "shell_folder.h"
#include "shell_item.h"

struct FolderItemData {
  // The folder whose enumeration produced the item; none for the root.
  std::shared_ptr<kalvenor::ShellFolder> m_pParentFolder;
  // The item's one-item list relative to m_pParentFolder (the empty list for
  // the root) and its list from the Desktop down.
  kalvenor::IdListPtr m_pidlRelative;
  kalvenor::IdListPtr m_pidlAbsolute;
  // The item's parsing name, bytes: a folder's full path; for the root the
  // desktop directory; for Computer and Network a name that is no path.
  std::string m_strParsingName;

  // What the tree shows and how the item hangs in it.
  QString m_label;  // decoded for display only
  kalvenor::ItemImages m_images;
  bool m_bHasChildren = false;   // shows an expand button before reading
  bool m_bExpandedOnce = false;  // read already; never read again
  FolderItemData* m_pParent = nullptr;
  int m_nRow = 0;
  std::vector<FolderItemData*> m_children;  // in sibling order
};

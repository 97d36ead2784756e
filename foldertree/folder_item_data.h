// The record behind one item of the folder tree: where the item sits in the
// namespace (its parent folder and identifier lists), the path it stands for,
// and what the tree shows of it.
//
// The folder tree model owns every record from its making to the next
// ClearTree; records are never freed one at a time, but for the busy row
// that stands under a folder while it is being read. A record shares its
// parent folder (the folder keeps living while a record needs it) and owns
// its two lists, which go back to the namespace's allocator with the record.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "id_list.h"
#include "shell_folder.h"
#include "shell_item.h"

struct FolderItemData {
  // The folder whose enumeration produced the item; none for the root.
  std::shared_ptr<kalvenor::ShellFolder> parentFolder;
  // The item's one-item list relative to parentFolder (the empty list for
  // the root) and its list from the Desktop down.
  kalvenor::IdListPtr relative;
  kalvenor::IdListPtr absolute;
  // The item's parsing name, bytes: a folder's full path; for the root the
  // desktop directory; for Computer and Network a name that is no path.
  std::string parsingName;

  // What the tree shows and how the item hangs in it.
  QString label;  // decoded for display only
  kalvenor::ItemImages images;
  bool hasChildren = false;   // shows an expand button before reading
  bool expandedOnce = false;  // read already (or being read); never read again
  // While the item's folder is being read on a worker: the read's number
  // with the model (0: none). Its first child is then the busy row.
  std::uint64_t readId = 0;
  // The busy row ("Reading…") itself: no place, no path, no children.
  bool busy = false;
  FolderItemData* parent = nullptr;
  int row = 0;
  std::vector<FolderItemData*> children;  // in sibling order
};

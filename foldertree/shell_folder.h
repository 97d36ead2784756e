// A folder of the namespace that the folder tree shows: the Desktop at the
// root, "Computer" and "Network" (the mounted volumes), and the folders of
// the file system. A folder lists its subfolders, tells their attributes and
// names, binds to a child's own folder and orders siblings.
//
// Folders are shared (std::shared_ptr): whoever holds one keeps it alive.
// Every folder refers to the ShellNamespace that made it, which must outlive
// it. Lists given to a folder stay the caller's; lists a folder returns are
// the caller's to free (IdListPtr does it).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "folder_listing.h"
#include "id_list.h"
#include "sibling_order.h"

namespace kalvenor {

class ShellNamespace;

// Which name GetDisplayNameOf gives.
enum class NameForm : std::uint32_t {
  Normal = 0,           // a name that stands alone ("Desktop")
  InFolder = 1,         // the name inside the parent folder (the tree's label)
  ForParsing = 0x8000,  // for a file-system folder its full path
};

// Attribute bits for GetAttributesOf.
inline constexpr std::uint32_t kAttrFolder = 0x20000000;
inline constexpr std::uint32_t kAttrHasSubfolder = 0x80000000;

class ShellFolder {
 public:
  ShellFolder(ShellNamespace& space, std::string path);
  ShellFolder(const ShellFolder&) = delete;
  ShellFolder& operator=(const ShellFolder&) = delete;
  virtual ~ShellFolder();

  // Appends one relative one-item list per subfolder, hidden ones included,
  // in the order the folder gives them. False (and nothing appended) when
  // the folder cannot be read. Each call reads the folder anew: BeginRead,
  // ReadFolderListing of the folder it names, EnumListing, all on the
  // calling thread.
  bool EnumObjects(std::vector<IdListPtr>& children);

  // The same read in steps, so that its disk work can leave the namespace's
  // thread. BeginRead notes the read with the namespace and names the
  // file-system folder whose listing the read needs, or nullopt when it
  // needs none (Computer, Network); whoever reads it calls
  // ReadFolderListing, on any thread; EnumListing turns the listing (ignored
  // when none was needed) into child lists as EnumObjects appends them.
  // BeginRead and EnumListing run on the namespace's thread only.
  std::optional<std::string> BeginRead() const;
  virtual bool EnumListing(const FolderListing& listing, std::vector<IdListPtr>& children) = 0;

  // `mask` reduced to the attributes that `child` (a relative list from
  // this folder) has: every child is a folder; kAttrHasSubfolder as the
  // enumeration found it.
  std::uint32_t GetAttributesOf(const ItemIdList* child, std::uint32_t mask) const;

  // The folder of `child` (a relative list from this folder), or nullptr
  // when the child is of no kind this folder knows.
  std::shared_ptr<ShellFolder> BindToObject(const ItemIdList* child) const;

  // The name of the place that `list` names relative to this folder: the
  // empty list names this folder itself, longer lists are followed down.
  // True with `name` set, or false with `name` unchanged. Names are bytes
  // as the file system gives them; the tree decodes them for display only.
  bool GetDisplayNameOf(const ItemIdList* list, NameForm form, std::string& name) const;

  // Negative, zero or positive as `a` stands before, with or after `b`, both
  // relative lists from this folder, in sibling order (CompareSiblings):
  // Computer, Home, Network first, then the root volume, then by label
  // ignoring case with digits compared by value, then by name bytes.
  int CompareIDs(const ItemIdList* a, const ItemIdList* b) const;

  // The file-system path of this folder; empty for Computer and Network.
  const std::string& Path() const { return m_path; }

 protected:
  ShellNamespace& Space() const { return m_space; }
  // This folder's own name in the form asked for.
  virtual std::string SelfName(NameForm form) const = 0;
  // The file-system folder that BeginRead names; Path() unless overridden.
  virtual std::optional<std::string> ListedFolder() const { return m_path; }
  // Appends a child list for every subfolder in `listing`; false when the
  // folder could not be read.
  bool AppendSubfolders(const FolderListing& listing, std::vector<IdListPtr>& children) const;

 private:
  bool ChildName(const ItemIdList* child, NameForm form, std::string& name) const;
  // What the sibling order needs of `child`; its name points into `child`.
  SiblingSortName SortName(const ItemIdList* child) const;

  ShellNamespace& m_space;
  std::string m_path;
};

// The root of the namespace; its path is the desktop directory.
std::shared_ptr<ShellFolder> MakeDesktopFolder(ShellNamespace& space);

}  // namespace kalvenor

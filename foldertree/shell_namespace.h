// The namespace behind the folder tree: where the Desktop, the desktop
// directory, the home folder and the mounted volumes are, the allocator of
// every item identifier list, and the one icon list. Refresh() reads the
// places and volumes again; the folder tree does so at every population,
// reading them on a worker thread and handing them over with SetPlaces.
//
// The namespace owns the allocator and the icon list; it must outlive every
// folder it made and every list it handed out. It also counts the folders it
// reads, so that tests can see when the disk was touched. None of this is
// guarded: the namespace, its folders and its lists belong to the thread
// that uses the tree; only the disk work (ReadNamespacePlaces,
// ReadFolderListing) runs elsewhere.
#pragma once

#include <QCollator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "file_system.h"
#include "id_list.h"
#include "mounted_volumes.h"
#include "namespace_places.h"
#include "shell_icons.h"

namespace kalvenor {

class ShellFolder;

enum class SpecialFolder {
  Desktop,           // the root: the empty list
  DesktopDirectory,  // the folder behind the Desktop
  Computer,          // the mounted local volumes
  Network,           // the mounted network shares
};

class ShellNamespace {
 public:
  // Reads the places and volumes (see Refresh) through `fs`, which must
  // outlive the namespace; so does every folder read later.
  explicit ShellNamespace(FileSystem& fs);
  // Takes `places` (read elsewhere, or none yet) instead: no disk work.
  ShellNamespace(FileSystem& fs, NamespacePlaces places);
  ShellNamespace(const ShellNamespace&) = delete;
  ShellNamespace& operator=(const ShellNamespace&) = delete;
  ~ShellNamespace();

  // Reads again the desktop directory (the XDG desktop folder when it
  // exists as a folder, else the home folder), the home folder and the
  // mounted volumes: SetPlaces(ReadNamespacePlaces(fs)).
  void Refresh();
  // Takes places read by ReadNamespacePlaces, on any thread, as Refresh
  // would.
  void SetPlaces(NamespacePlaces places);

  IdListAllocator& Allocator() { return m_allocator; }
  FileSystem& Files() { return m_fs; }
  ShellIconList& Icons() { return m_icons; }
  const QCollator& Collator() const { return m_collator; }

  // The root folder of the namespace.
  std::shared_ptr<ShellFolder> GetDesktopFolder();
  // The absolute list of a special place; empty pointer when the allocation
  // fails or the place cannot be named.
  IdListPtr GetSpecialFolderLocation(SpecialFolder which);
  // The absolute list that reaches the folder `path` (absolute, no '/' at
  // the end but for "/") by way of Computer or Network, its volume and then
  // its folders; empty pointer when no volume holds it.
  IdListPtr ParseDisplayName(const std::string& path);

  const std::string& DesktopDirectory() const { return m_desktopDirectory; }
  const std::string& HomeDirectory() const { return m_homeDirectory; }
  const std::vector<MountedVolume>& Volumes() const { return m_volumes; }

  // Folders read (enumerated) since construction, in all and of one path.
  void NoteFolderRead(const std::string& path);
  int FolderReads() const { return m_folderReads; }
  int FolderReadsOf(const std::string& path) const;

 private:
  FileSystem& m_fs;
  IdListAllocator m_allocator;
  ShellIconList m_icons;
  QCollator m_collator;
  std::string m_desktopDirectory;
  std::string m_homeDirectory;
  std::vector<MountedVolume> m_volumes;
  int m_folderReads = 0;
  std::map<std::string, int> m_readsByPath;
};

}  // namespace kalvenor

#include "folder_listing.h"

namespace kalvenor {

FolderListing ReadFolderListing(FileSystem& fs, const std::string& path) {
  FolderListing listing;
  Cause cause = Cause::Ok;
  const FolderHandle folder = fs.OpenFolder(path, &cause);
  listing.read = folder.IsOpen() && fs.ListSubfolders(folder, listing.subfolders);
  if (!listing.read) listing.subfolders.clear();
  return listing;
}

}  // namespace kalvenor

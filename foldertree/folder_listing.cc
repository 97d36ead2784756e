#include "folder_listing.h"

namespace kalvenor {

FolderListing ReadFolderListing(FileSystem& fs, const std::string& path) {
  FolderListing listing;
  std::error_code error;
  const FolderHandle folder = fs.OpenFolder(path, &error);
  listing.read = folder.IsOpen() && fs.ListSubfolders(folder, listing.subfolders);
  if (!listing.read) listing.subfolders.clear();
  return listing;
}

}  // namespace kalvenor

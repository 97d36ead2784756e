// Renaming one file, and turning a failed rename into the user's message.
#include "file_name.h"
#include "rename_run.h"

namespace kalvenor {

Cause RenameInFolder(FileSystem& fs, int folder, const std::string& from, const std::string& to) {
  if (!IsPlainFileName(from) || !IsPlainFileName(to)) return Cause::BadPath;
  return fs.RenameNoReplace(folder, from, to);
}

void ReportRenameError(MessageSink& messages, Cause cause) {
  messages.ShowMessage(RenameErrorText(cause), MessageIcon::Stop);
}

std::string FolderToOpen(const std::string& path, const PathParts& parts) {
  if (!parts.folder.empty()) return parts.folder;
  return !path.empty() && path.front() == '/' ? "/" : ".";
}

std::string FolderOfPath(const std::string& path) { return FolderToOpen(path, SplitPath(path)); }

bool RenameOneFile(const std::string& oldPath, const std::string& newPath,
                   RenameContext& ctx) {
  Cause cause = Cause::Ok;
  const std::string folderPath = FolderOfPath(oldPath);
  if (folderPath != FolderOfPath(newPath)) {
    cause = Cause::BadPath;  // a rename never moves a file to another folder
  } else {
    HeldFolder folder(ctx.fs, folderPath);
    cause = folder.Valid() ? RenameInFolder(ctx.fs, folder.Handle(), SplitPath(oldPath).name,
                                            SplitPath(newPath).name)
                           : folder.OpenCause();
  }
  if (cause == Cause::Ok) return true;
  ReportRenameError(ctx.messages, cause);
  return false;
}

}  // namespace kalvenor

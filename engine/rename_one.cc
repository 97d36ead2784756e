#include "rename_one.h"

#include "file_name.h"
#include "run_texts.h"

namespace kalvenor {

Cause RenameOneFile(RenameContext& ctx, const FolderHandle& folder, const std::string& from,
                    const std::string& to, bool isOpenLog) {
  Cause cause = Cause::Ok;
  if (!IsPlainFileName(from) || !IsPlainFileName(to)) {
    cause = Cause::BadPath;
  } else if (isOpenLog) {
    cause = Cause::SharingViolation;
  } else {
    cause = ctx.fs.RenameNoReplace(folder, from, to);
  }
  if (cause != Cause::Ok) ctx.messages.ShowMessage(RenameErrorText(cause), MessageIcon::Stop);
  return cause;
}

}  // namespace kalvenor

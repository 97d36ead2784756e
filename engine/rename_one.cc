#include "rename_one.h"

#include <cerrno>
#include <climits>

#include "file_name.h"
#include "run_texts.h"

namespace kalvenor {
namespace {

// Why `name` cannot be one directory entry; empty when it can.
std::error_code NameError(const std::string& name) {
  if (IsPlainFileName(name)) return {};
  return ErrorFromErrno(name.size() > NAME_MAX ? ENAMETOOLONG : EINVAL);
}

}  // namespace

Failure RenameOneFile(RenameContext& ctx, const FolderHandle& folder, const std::string& folderPath,
                      const std::string& from, const std::string& to, bool isOpenLog) {
  std::error_code error = NameError(from);
  if (!error) error = NameError(to);
  if (!error && isOpenLog) error = ErrorFromErrno(EBUSY);
  if (!error) error = ctx.fs.RenameNoReplace(folder, from, to);
  if (!error) return {};
  Failure failure{error, JoinPath(folderPath, from), JoinPath(folderPath, to)};
  ShowRenameError(ctx.messages, failure);
  return failure;
}

void ShowRenameError(MessageSink& messages, const Failure& failure) {
  messages.ShowFailure(RenameErrorText(CauseOf(failure)), MessageIcon::Stop, failure);
}

}  // namespace kalvenor

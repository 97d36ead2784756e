#include "run_texts.h"

#include "folder_scan.h"

namespace kalvenor {

std::string FileCountLimitLine() {
  return "File count exceeds " + std::to_string(kMaxFileCount) + ".";
}

std::string RenameErrorText(Cause cause) {
  return std::string("Rename error: ") + CauseText(cause);
}

std::string CannotWriteLogText(std::string_view path) {
  std::string text = "Cannot write to log file ";
  text.append(path).append(".");
  return text;
}

}  // namespace kalvenor

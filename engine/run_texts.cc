#include "run_texts.h"

#include "folder_scan.h"

namespace kalvenor {

std::string FileCountLimitLine() {
  return "File count exceeds " + std::to_string(kMaxFileCount) + ".";
}

std::string RenameErrorText(Cause cause) {
  return std::string("Rename error: ") + CauseText(cause);
}

std::string StoppedBeforeLine(std::string_view name) {
  std::string line = "Stopped before ";
  line.append(name).append(".");
  return line;
}

std::string UndoRefusedText(std::string_view path, std::string_view reason) {
  std::string text = "This batch cannot be undone from log file ";
  text.append(path).append(": ").append(reason).append(".");
  return text;
}

std::string CannotWriteLogText(std::string_view path) {
  std::string text = "Cannot write to log file ";
  text.append(path).append(".");
  return text;
}

std::string WithoutCaptureTimeLine(std::size_t files) {
  return "Files without a capture time, ordered by their file time: " + std::to_string(files);
}

}  // namespace kalvenor

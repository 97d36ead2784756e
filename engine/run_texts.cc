#include "run_texts.h"

#include "folder_scan.h"

namespace kalvenor {

std::string_view RunTextPattern(RunText text) {
  switch (text) {
    case RunText::NotRenamed: return kNotRenamedPattern;
    case RunText::IndexLimit: return kIndexLimitLine;
    case RunText::PreviewClosing: return kPreviewClosingLine;
    case RunText::DoneClosing: return kDoneClosingLine;
    case RunText::FileCountLimit: return "File count exceeds %1.";
    case RunText::StoppedBefore: return "Stopped before %1.";
    case RunText::WithoutCaptureTime:
      return "Files without a capture time, ordered by their file time: %1";
    case RunText::RenameError: return "Rename error: %1";
    case RunText::CannotOpenLog: return kCannotOpenLog;
    case RunText::CannotWriteLog: return "Cannot write to log file %1.";
    case RunText::WritableByOthers: return "users other than its owner may write to it";
    case RunText::OwnedByOther: return "it belongs to another user";
    case RunText::NotRegularFile: return "not a regular file";
    case RunText::LineTooLong: return "line %1 is longer than any line of a log";
    case RunText::NotRenameLine: return "line %1 is not a rename line";
    case RunText::NotUndoLine: return "line %1 is not an undo line";
    case RunText::BrokenEscape: return "line %1 holds a broken escape";
  }
  return {};
}

std::string FormatRunText(RunText text, std::string_view part) {
  const std::string_view pattern = RunTextPattern(text);
  const std::size_t at = pattern.find("%1");
  if (at == std::string_view::npos) return std::string(pattern);
  std::string out;
  out.reserve(pattern.size() + part.size());
  out.append(pattern.substr(0, at)).append(part).append(pattern.substr(at + 2));
  return out;
}

std::string FileCountLimitLine() {
  return FormatRunText(RunText::FileCountLimit, std::to_string(kMaxFileCount));
}

std::string RenameErrorText(Cause cause) {
  return FormatRunText(RunText::RenameError, CauseText(cause));
}

std::string StoppedBeforeLine(std::string_view name) {
  return FormatRunText(RunText::StoppedBefore, name);
}

std::string CannotWriteLogText(std::string_view path) {
  return FormatRunText(RunText::CannotWriteLog, path);
}

std::string WithoutCaptureTimeLine(std::size_t files) {
  return FormatRunText(RunText::WithoutCaptureTime, std::to_string(files));
}

}  // namespace kalvenor

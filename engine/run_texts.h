// The words a run shows the user: the Results lines that are not a file's
// own line, the messages, and the reasons a log is not undone. Each is
// written here once, as a pattern in RunTextPattern, and every text below
// is made from its pattern. The engine writes them in English (the log and
// the command line keep English); a window that shows them in the user's
// language knows them by these patterns, so a new text belongs in RunText.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cause.h"

namespace kalvenor {

// Every fixed text of a run. A pattern holds "%1" where its variable part
// (a name, a path, a number, a cause's text) goes, or none.
enum class RunText {
  NotRenamed,          // "%1 -> Not Renamed"
  IndexLimit,          // "Index exceeds limit."
  PreviewClosing,      // "Click Continue to do the above."
  DoneClosing,         // "Operations complete."
  FileCountLimit,      // "File count exceeds %1.", with the limit
  StoppedBefore,       // "Stopped before %1."
  WithoutCaptureTime,  // "Files without a capture time, ordered by their file time: %1"
  RenameError,         // "Rename error: %1", with CauseText
  CannotOpenLog,       // "Cannot open log file."
  CannotWriteLog,      // "Cannot write to log file %1."
  // Why a log is not undone from (log_history.h).
  WritableByOthers,  // "users other than its owner may write to it"
  OwnedByOther,      // "it belongs to another user"
  NotRegularFile,    // "not a regular file"
  LineTooLong,       // "line %1 is longer than any line of a log"
  NotRenameLine,     // "line %1 is not a rename line"
  NotUndoLine,       // "line %1 is not an undo line"
  BrokenEscape,      // "line %1 holds a broken escape"
};
// How many there are: RunText values run from 0 to kRunTextCount - 1.
inline constexpr int kRunTextCount = static_cast<int>(RunText::BrokenEscape) + 1;

// The English pattern of `text`.
std::string_view RunTextPattern(RunText text);
// `text`'s pattern with its "%1" replaced by `part` (a pattern without one
// is given as it is).
std::string FormatRunText(RunText text, std::string_view part = {});

inline constexpr std::string_view kPlanArrow = " -> ";
inline constexpr std::string_view kNotRenamedPattern = "%1 -> Not Renamed";
inline constexpr std::string_view kNotRenamedSuffix = kNotRenamedPattern.substr(2);
inline constexpr std::string_view kIndexLimitLine = "Index exceeds limit.";
inline constexpr std::string_view kPreviewClosingLine = "Click Continue to do the above.";
inline constexpr std::string_view kDoneClosingLine = "Operations complete.";
inline constexpr std::string_view kCannotOpenLog = "Cannot open log file.";

// "File count exceeds 9999.", with the limit of folder_scan.h.
std::string FileCountLimitLine();

// "Rename error: " followed by the cause's text.
std::string RenameErrorText(Cause cause);

// "Stopped before <name>.": the line a run ends its list of files with when
// it was asked to stop before the file `name`.
std::string StoppedBeforeLine(std::string_view name);

// "Cannot write to log file <path>."
std::string CannotWriteLogText(std::string_view path);

// The line after the plan of a "Date Taken" run: how many of the files it
// ordered had no capture time and were ordered by their file time.
std::string WithoutCaptureTimeLine(std::size_t files);

}  // namespace kalvenor

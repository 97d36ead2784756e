// The words a run shows the user: the Results lines that are not a file's
// own line, and the messages. Each is written here once and used from here.
#pragma once

#include <string>
#include <string_view>

#include "cause.h"

namespace kalvenor {

inline constexpr std::string_view kPlanArrow = " -> ";
inline constexpr std::string_view kNotRenamedSuffix = " -> Not Renamed";
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

// "This batch cannot be undone from log file <path>: <reason>.": a commit's
// warning, before its first rename, that a later undo would refuse its log.
std::string UndoRefusedText(std::string_view path, std::string_view reason);

// "Cannot write to log file <path>."
std::string CannotWriteLogText(std::string_view path);

// The line after the plan of a "Date Taken" run: how many of the files it
// ordered had no capture time and were ordered by their file time.
std::string WithoutCaptureTimeLine(std::size_t files);

}  // namespace kalvenor

// The text of the rename log: one header line per batch or undo, then one
// line per file ("<old> renamed to <new>" or "<new> renamed back to <old>"),
// and after a rename that failed, "<old> was not renamed: <cause>" or
// "<new> was not renamed back: <cause>" (logs written before those lines
// existed lack them).
// Paths are written as raw bytes except for three escapes that keep every
// entry on one line and make it readable back without loss: a backslash is
// written as "\\", a line feed as "\n", a carriage return as "\r".
// The command-line tool reads logs back with these same functions.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace kalvenor {

inline constexpr std::string_view kRenamedTo = " renamed to ";
inline constexpr std::string_view kRenamedBackTo = " renamed back to ";
inline constexpr std::string_view kUndoSuffix = " (UNDO)";
inline constexpr std::string_view kWasNotRenamed = " was not renamed: ";
inline constexpr std::string_view kWasNotRenamedBack = " was not renamed back: ";

// The path with '\\', '\n' and '\r' escaped; every other byte unchanged.
std::string EscapeLogPath(std::string_view path);

// The inverse of EscapeLogPath; nullopt when `text` holds a backslash that
// does not begin one of the three escapes.
std::optional<std::string> UnescapeLogPath(std::string_view text);

// "December 08, 2026 at 16:02:17" for the given local time, with English
// month names whatever the process locale. No line end.
std::string FormatLogTime(const std::tm& local);

// The whole header line, line end included: the batch header, or with
// `undo` the undo header.
std::string LogHeaderLine(const std::tm& local, bool undo);

// The rename line of a commit run and the undo line, line end included.
std::string RenameLogLine(std::string_view oldPath, std::string_view newPath);
std::string UndoLogLine(std::string_view newPath, std::string_view oldPath);

// The line after a rename line whose rename failed, line end included:
// "<old> was not renamed: <cause's text>".
std::string NotRenamedLogLine(std::string_view oldPath, std::string_view causeText);
// The line after an undo line whose rename failed, line end included:
// "<new> was not renamed back: <cause's text>".
std::string NotRenamedBackLogLine(std::string_view newPath, std::string_view causeText);

enum class LogHeader { None, Batch, Undo };

// Whether `line` (with or without its line end) is a batch header, an undo
// header, or no header at all.
LogHeader ClassifyLogLine(std::string_view line);

}  // namespace kalvenor

// The settings record: the program's only persistent state, the folder, the
// log file, the choices of the form and how the main window was left. The
// application owns one record for the life of the process; the form and
// the main window read and write it directly. It is loaded once at start
// and written once at exit, in the "Settings" group of the per-user store
// of "Tessavoy"/"Kalvenor".
//
// Paths are byte strings. The store holds a path that is valid UTF-8 as
// text and any other path as a byte array, so that every path comes back
// exactly as it went in. Every other value is a 32-bit integer.
#pragma once

#include <cstdint>
#include <string>

class QSettings;
class QVariant;

struct SettingsRecord {
  std::string dir;        // "Dir": folder whose files are renamed
  std::string log;        // "Log": log file; empty means no log
  std::int32_t gaps = 1;  // "Gaps": 1, fill gaps in numbers
  std::int32_t sort = 0;  // "Sort": 0 Alphanumeric, 1 Date, 2 (or other) File Type, 3 Date Taken
  std::int32_t ascending = 1;   // "Ascending": 1, presort ascending
  std::int32_t postfix = 1;     // "Postfix": 1, index after the base name
  std::int32_t sets = 0;        // "Sets": 1, number photo sets as one
  std::int32_t keepHidden = 0;  // "KeepHidden": 1, leave hidden files alone
  // The main window as it was left: its size in pixels without its frame
  // ("WindowWidth", "WindowHeight"; 0 or less: fitted to the form), whether
  // it was maximised ("WindowMaximized"), and the form's side's share of
  // the split beside the folder tree in thousandths ("Split"; 0 or less:
  // the split the window makes itself).
  std::int32_t windowWidth = 0;
  std::int32_t windowHeight = 0;
  std::int32_t windowMaximized = 0;
  std::int32_t split = 0;
};

// Reads the values from the "Settings" group: "Dir", "Log", then the
// integers in the order of the record. An absent value, a value that cannot
// be read as its type, or a store that cannot be read gives the default
// (`workingDir` for "Dir"); a present empty "Dir" stays empty.
SettingsRecord LoadSettings(QSettings& store, const std::string& workingDir);

// Writes the values in the same order, each replacing what was stored, and
// flushes the store. Failures are not reported.
void SaveSettings(const SettingsRecord& record, QSettings& store);

// How a path goes into the store and comes back. PathFromSetting gives false
// (and leaves `path` alone) for a value that is neither text nor bytes.
QVariant PathToSetting(const std::string& path);
bool PathFromSetting(const QVariant& value, std::string& path);

// The settings record: the program's only persistent state, the folder, the
// log file and the four choices of the form. The application owns one
// record for the life of the process; the form reads and writes it
// directly. It is loaded once at start and written once at exit, in the
// "Settings" group of the per-user store of "Tessavoy"/"Kalvenor".
//
// Paths are byte strings. The store holds a path that is valid UTF-8 as
// text and any other path as a byte array, so that every path comes back
// exactly as it went in.
#pragma once

#include <cstdint>
#include <string>

class QSettings;
class QVariant;

struct SettingsRecord {
  std::string dir;             // folder whose files are renamed
  std::string log;             // log file; empty means no log
  std::int32_t gaps = 1;       // 1: fill gaps in numbers
  std::int32_t sort = 0;       // 0 Alphanumeric, 1 Date, 2 (or other) File Type
  std::int32_t ascending = 1;  // 1: presort ascending
  std::int32_t postfix = 1;    // 1: index after the base name
};

// Reads the six values from the "Settings" group in the order Dir, Gaps,
// Log, Sort, Ascending, Postfix. An absent value, a value that cannot be
// read as its type, or a store that cannot be read gives the default
// (`workingDir` for "Dir"); a present empty "Dir" stays empty.
SettingsRecord LoadSettings(QSettings& store, const std::string& workingDir);

// Writes the six values in the same order, each replacing what was stored,
// and flushes the store. Failures are not reported.
void SaveSettings(const SettingsRecord& record, QSettings& store);

// How a path goes into the store and comes back. PathFromSetting gives false
// (and leaves `path` alone) for a value that is neither text nor bytes.
QVariant PathToSetting(const std::string& path);
bool PathFromSetting(const QVariant& value, std::string& path);

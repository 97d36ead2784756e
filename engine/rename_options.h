// The user's choices for one rename job, as one plain value: the window and
// the command-line tool each build one and hand it to a run. All text is
// byte text exactly as the kernel gives it.
#pragma once

#include <string>

namespace kalvenor {

// How a commit's log lines reach the storage. Only WriteAhead keeps every
// batch undoable after a power cut; the others are measuring floors.
enum class LogSync {
  WriteAhead,  // each group of lines is synced before its renames, the folder at the end
  AtEndOnly,   // every line in one write, one sync of the log and the folder at the end
  Never,       // one write per line before its rename, nothing synced
};

struct RenameOptions {
  std::string folder;    // the folder whose files are renamed; a run adds the '/'
  std::string baseName;  // used with its case as typed; never empty when a run starts
  int baseIndex = 0;     // 0 to kMaxBaseIndex: the lowest index a new name may get
  bool postfix = true;   // true: index after the base name; false: before it
  int sortType = 0;      // kSortByName, kSortByDate, kSortByType or kSortByTaken (others: by name)
  bool ascending = true;
  bool fillGaps = true;
  // Number photo sets as one (photo_sets.h): one index per set, and the
  // file-count limit counts sets.
  bool photoSets = false;
  // Hidden files (hidden_files.h) keep their names; their names are taken
  // all the same. Off: they are numbered like every other file.
  bool keepHidden = false;
  std::string logPath;       // empty: no log
  bool logRequired = false;  // a commit whose log cannot be opened renames nothing
  // A run whose folder cannot be listed ends at once (FolderUnreadable),
  // before the log is opened; otherwise it shows an empty plan.
  bool folderMustBeReadable = false;
  LogSync logSync = LogSync::WriteAhead;
};

}  // namespace kalvenor

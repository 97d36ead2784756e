#include "log_history.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <random>
#include <set>

#include "file_name.h"
#include "log_format.h"
#include "posix_file_system.h"
#include "test_support.h"

namespace kalvenor {
namespace {

const char kHeader[] = "December 08, 2026 at 16:02:17\n";
const char kUndoHeader[] = "December 08, 2026 at 16:05:40 (UNDO)\n";

std::string Line(const std::string& oldPath, const std::string& newPath) {
  return EscapeLogPath(oldPath) + " renamed to " + EscapeLogPath(newPath) + "\n";
}

// The batch an undo would take back now, or the log's error.
struct Undoable {
  std::optional<std::string> error;
  LastBatch batch;
};
Undoable ReadUndoable(std::string_view log, const PathExists& exists) {
  LogHistory history = ReadLogHistory(log);
  return {history.error, BatchToUndo(history, exists)};
}

// The disk as the reader sees it: a set of existing paths.
struct Disk {
  std::set<std::string> paths;
  PathExists Test() const {
    return [this](const std::string& p) { return paths.count(p) > 0; };
  }
};

TEST(SplitRenameLine, SplitsWhereBothSidesShareTheFolder) {
  auto plain = SplitRenameLine("/p/a.jpg renamed to /p/Holiday0001.jpg");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->first, "/p/a.jpg");
  EXPECT_EQ(plain->second, "/p/Holiday0001.jpg");

  // The separator inside the old name, inside the new name and inside the folder.
  auto inName = SplitRenameLine("/p/x renamed to y renamed to /p/z renamed to 0001B.");
  ASSERT_TRUE(inName);
  EXPECT_EQ(inName->first, "/p/x renamed to y");
  EXPECT_EQ(inName->second, "/p/z renamed to 0001B.");
  auto inFolder = SplitRenameLine("/a renamed to /b/n renamed to /a renamed to /b/0001H.jpg");
  ASSERT_TRUE(inFolder);
  EXPECT_EQ(inFolder->first, "/a renamed to /b/n");
  EXPECT_EQ(inFolder->second, "/a renamed to /b/0001H.jpg");
}

TEST(SplitRenameLine, RefusesLinesThatAreNoRenameLine) {
  EXPECT_FALSE(SplitRenameLine(""));
  EXPECT_FALSE(SplitRenameLine("/p/a renamed back to /p/b"));
  EXPECT_FALSE(SplitRenameLine("/p/a renamed to /q/b"));  // two folders
  EXPECT_FALSE(SplitRenameLine("p/a renamed to p/b"));    // not absolute
  EXPECT_FALSE(SplitRenameLine("/p/a renamed to "));
}

// Crafted lines full of separators are read in one pass: megabytes in far
// less than a second (a search that compares folders at every separator
// takes minutes on some of them).
TEST(SplitLogLine, TakesLinearTimeOnCraftedLines) {
  const struct {
    std::string head, unit, tail;
  } shapes[] = {
      {"/x", " renamed to /a", ""},
      {"/", "a renamed to /", "b"},
      {"/a", " renamed to ", "/b"},
      {"/a", " renamed to /a", std::string(1 << 20, 'x')},  // a long last name
      {std::string(1 << 20, '/'), " renamed to /", std::string(1 << 20, '/')},
  };
  const auto start = std::chrono::steady_clock::now();
  for (const auto& shape : shapes) {
    std::string line = shape.head;
    while (line.size() < (2u << 20)) line += shape.unit;
    line += shape.tail;
    for (std::string_view separator : {" renamed to ", " renamed back to "}) {
      const auto split = SplitLogLine(line, separator);
      if (split) {
        EXPECT_EQ(split->first.size() + separator.size() + split->second.size(), line.size());
      }
    }
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  auto back = SplitLogLine("/p/H0001 renamed back to /p/a", " renamed back to ");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->second, "/p/a");
}

TEST(ReadLogHistory, RefusesALineLongerThanAnyPairOfPaths) {
  const std::string folder = "/p/";
  for (const std::size_t length : {MaxLogLineLength(), MaxLogLineLength() + 1}) {
    const std::size_t names = length - 2 * folder.size() - std::string_view(" renamed to ").size();
    const std::string line = folder + std::string(names / 2, 'a') + " renamed to " + folder +
                             std::string(names - names / 2, 'b');
    ASSERT_EQ(line.size(), length);
    const LogHistory history = ReadLogHistory(std::string(kHeader) + line + "\n");
    if (length == MaxLogLineLength()) {
      EXPECT_FALSE(history.error);
      ASSERT_EQ(history.batches.size(), 1u);
      EXPECT_EQ(history.batches[0].pairs.size(), 1u);
    } else {
      EXPECT_EQ(history.error, "line 2 is longer than any line of a log");
      EXPECT_TRUE(history.batches.empty());
    }
  }
}

TEST(BatchToUndo, TakesTheRenamesAfterTheLastBatchHeader) {
  Disk disk{{"/p/H0001.jpg", "/p/H0002.jpg", "/p/H0003.jpg"}};
  const std::string log = std::string(kHeader) + Line("/p/old.jpg", "/p/H0009.jpg") + kHeader +
                          Line("/p/a.jpg", "/p/H0001.jpg") + Line("/p/b.jpg", "/p/H0002.jpg") +
                          Line("/p/c.jpg", "/p/H0003.jpg");
  const Undoable read = ReadUndoable(log, disk.Test());
  ASSERT_FALSE(read.error);
  EXPECT_EQ(read.batch.OldPaths(), (std::vector<std::string>{"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"}));
  EXPECT_EQ(read.batch.NewPaths(),
            (std::vector<std::string>{"/p/H0001.jpg", "/p/H0002.jpg", "/p/H0003.jpg"}));
}

TEST(BatchToUndo, FindsNothingToUndo) {
  Disk renamed{{"/p/H0001.jpg"}}, back{{"/p/a.jpg"}};
  const std::string batch = std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg");
  const std::string undone = batch + kUndoHeader + "/p/H0001.jpg renamed back to /p/a.jpg\n";
  const struct {
    std::string log;
    const Disk& disk;
  } cases[] = {
      {"", renamed},
      {"\n", renamed},
      {kHeader, renamed},
      {undone, back},
      {batch + kUndoHeader, back},
      {Line("/p/a.jpg", "/p/H0001.jpg"), renamed},  // no header: no batch
      {undone + kHeader + kHeader, back},           // batches that renamed nothing
  };
  for (const auto& c : cases) {
    const Undoable read = ReadUndoable(c.log, c.disk.Test());
    EXPECT_FALSE(read.error) << c.log;
    EXPECT_TRUE(read.batch.Empty()) << c.log;
  }
}

// The batch to undo is the latest one whose files are not all back, judged
// by the disk together with the undo sections: an undo header alone, an
// interrupted undo, a rerun after a crash or an empty batch hide nothing.
TEST(BatchToUndo, WalksBackToTheLatestBatchNotWhollyUndone) {
  const std::string first = std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg") +
                            Line("/p/b.jpg", "/p/H0002.jpg") + Line("/p/c.jpg", "/p/H0003.jpg");
  const std::string second =
      std::string(kHeader) + Line("/p/d.jpg", "/p/H0004.jpg") + Line("/p/e.jpg", "/p/H0005.jpg");
  const std::string undoA = std::string(kUndoHeader) + "/p/H0001.jpg renamed back to /p/a.jpg\n";
  const std::string undoSecond = std::string(kUndoHeader) +
                                 "/p/H0004.jpg renamed back to /p/d.jpg\n" +
                                 "/p/H0005.jpg renamed back to /p/e.jpg\n";
  using Paths = std::vector<std::string>;
  const struct {
    const char* what;
    std::string log;
    Disk disk;
    Paths expectedOld;
  } cases[] = {
      {"an undo killed after its first rename",
       first + undoA,
       {{"/p/a.jpg", "/p/H0002.jpg", "/p/H0003.jpg"}},
       {"/p/b.jpg", "/p/c.jpg"}},
      {"an undo killed before its first rename",
       first + undoA,
       {{"/p/H0001.jpg", "/p/H0002.jpg", "/p/H0003.jpg"}},
       {"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"}},
      {"the last batch wholly back: the one before it",
       first + second + undoSecond,
       {{"/p/H0001.jpg", "/p/H0002.jpg", "/p/H0003.jpg", "/p/d.jpg", "/p/e.jpg"}},
       {"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"}},
      {"a rerun after a crash: the rerun first",
       first + second,
       {{"/p/H0001.jpg", "/p/H0002.jpg", "/p/H0003.jpg", "/p/H0004.jpg", "/p/H0005.jpg"}},
       {"/p/d.jpg", "/p/e.jpg"}},
      {"an empty batch hides nothing",
       first + kHeader,
       {{"/p/H0001.jpg", "/p/H0002.jpg", "/p/H0003.jpg"}},
       {"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"}},
      {"an undo line whose file is gone counts as tried",
       first + undoA,
       {{"/p/H0002.jpg", "/p/H0003.jpg"}},
       {"/p/b.jpg", "/p/c.jpg"}},
      {"an undo line of an earlier batch does not count for a later one",
       first + undoA + kHeader + Line("/p/a.jpg", "/p/H0001.jpg") + Line("/p/x", "/p/H0009"),
       {{"/p/H0001.jpg", "/p/H0002.jpg", "/p/H0003.jpg", "/p/H0009"}},
       {"/p/a.jpg", "/p/x"}},
  };
  for (const auto& c : cases) {
    const Undoable read = ReadUndoable(c.log, c.disk.Test());
    ASSERT_FALSE(read.error) << c.what << ": " << *read.error;
    EXPECT_EQ(read.batch.OldPaths(), c.expectedOld) << c.what;
  }
}

// A batch's last pair was logged before its rename was tried: when neither
// of its names exists it is passed over; any other gone file is kept (the
// undo reports it).
// A last pair whose two names both exist failed its rename (its new name
// was taken), unless the two names are one file: a rename cut off between
// its link and its unlink.
TEST(BatchToUndo, TakesBackALastPairLeftUnderBothNames) {
  const std::string log = std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg");
  const Disk disk{{"/p/a.jpg", "/p/H0001.jpg"}};
  const struct {
    RelateNames relate;
    std::size_t expected;
  } cases[] = {
      {{}, 0},
      {[](const std::string&, const std::string&) { return NamePair::Separate; }, 0},
      {[](const std::string& a, const std::string& b) {
         return a == "/p/a.jpg" && b == "/p/H0001.jpg" ? NamePair::OneFile : NamePair::Separate;
       },
       1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BatchToUndo(ReadLogHistory(log), disk.Test(), c.relate).Size(), c.expected);
  }
}

TEST(BatchToUndo, PassesOverALastPairWhoseNamesBothDoNotExist) {
  const std::string log = std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg") +
                          Line("/p/b.jpg", "/p/H0002.jpg") + Line("/p/c.jpg", "/p/H0003.jpg");
  using Paths = std::vector<std::string>;
  const struct {
    Disk disk;
    Paths expectedOld;
  } cases[] = {
      {{{"/p/H0001.jpg", "/p/H0002.jpg"}}, {"/p/a.jpg", "/p/b.jpg"}},
      {{{"/p/H0001.jpg", "/p/H0003.jpg"}}, {"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"}},
      {{{"/p/H0001.jpg"}}, {"/p/a.jpg", "/p/b.jpg"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadUndoable(log, c.disk.Test()).batch.OldPaths(), c.expectedOld);
  }
}

TEST(StateOf, TellsDonePartlyUndoneAndUndone) {
  const std::string log = std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg") +
                          Line("/p/b.jpg", "/p/H0002.jpg") + kUndoHeader +
                          "/p/H0001.jpg renamed back to /p/a.jpg\n" + kHeader;
  const LogHistory history = ReadLogHistory(log);
  ASSERT_EQ(history.batches.size(), 2u);
  EXPECT_EQ(history.batches[0].time, "December 08, 2026 at 16:02:17");
  const struct {
    Disk disk;
    BatchState expected;
  } cases[] = {
      {{{"/p/H0001.jpg", "/p/H0002.jpg"}}, BatchState::Done},  // killed before a's rename
      {{{"/p/a.jpg", "/p/H0002.jpg"}}, BatchState::PartlyUndone},
      {{{"/p/a.jpg", "/p/b.jpg"}}, BatchState::Undone},
  };
  for (const auto& c : cases) EXPECT_EQ(StateOf(history.batches[0], c.disk.Test()), c.expected);
  EXPECT_EQ(StateOf(history.batches[1], Disk{}.Test()), BatchState::Undone);
  const LogHistory fresh = ReadLogHistory(std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg") +
                                          Line("/p/b.jpg", "/p/H0002.jpg"));
  EXPECT_EQ(StateOf(fresh.batches[0], Disk{{"/p/H0001.jpg", "/p/H0002.jpg"}}.Test()),
            BatchState::Done);
}

TEST(BatchToUndo, SkipsRenamesThatNeverHappened) {
  // b failed (its target was taken), so the batch stopped there; c's line is
  // not even in the log. a was renamed.
  Disk stopped{{"/p/H0001.jpg", "/p/b.jpg", "/p/H0002.jpg", "/p/c.jpg"}};
  Undoable read = ReadUndoable(
      std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg") + Line("/p/b.jpg", "/p/H0002.jpg"),
      stopped.Test());
  EXPECT_EQ(read.batch.OldPaths(), std::vector<std::string>{"/p/a.jpg"});

  // A line in the middle whose file still has its old name and whose new
  // name is free: skipped. One whose old name was taken again since is kept
  // (the undo then reports it), and so is one whose file is gone.
  Disk middle{{"/p/a.jpg", "/p/b.jpg", "/p/H0002.jpg", "/p/H0004.jpg"}};
  read = ReadUndoable(std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg") +
                          Line("/p/b.jpg", "/p/H0002.jpg") + Line("/p/c.jpg", "/p/H0003.jpg") +
                          Line("/p/d.jpg", "/p/H0004.jpg"),
                      middle.Test());
  EXPECT_EQ(read.batch.OldPaths(), (std::vector<std::string>{"/p/b.jpg", "/p/c.jpg", "/p/d.jpg"}));
}

// A line saying that a rename failed keeps its pair out even once the
// file's old name is free again (an older log, without such lines, cannot
// tell that from a rename), and must name the batch's last pair and a
// cause a run writes.
TEST(BatchToUndo, AFailureLineKeepsItsPairOut) {
  const std::string batch = std::string(kHeader) + Line("/p/a", "/p/H1") + Line("/p/b", "/p/H2");
  const Disk bOnlyUnderItsNewName{{"/p/H1", "/p/H2"}};
  for (const auto& [log, expected] : {
           std::pair{batch + "/p/b was not renamed: access denied.\n", 1u},
           std::pair{batch, 2u},
       }) {
    EXPECT_EQ(BatchToUndo(ReadLogHistory(log), bOnlyUnderItsNewName.Test()).Size(), expected);
  }
  for (const std::string bad :
       {"/p/a was not renamed: access denied.\n", "/p/b was not renamed: it rained.\n"}) {
    EXPECT_TRUE(ReadLogHistory(batch + bad).error) << bad;
  }
}

// Whatever a run that writes its lines a group ahead left, the reader
// takes back exactly the files still under a name the batch gave them. A
// commit stops anywhere: killed (its group's lines stay, the renames after
// the kill never tried, and another program may then take such a name), or
// at a rename that fails on a name another program took (the lines not
// tried are cut, a line says so, and the file may move away later). One
// pair may be one entry under both names (a folder that ignores case); a
// renamed file's old name may be taken again. Undos of what the reader
// finds stop the same ways, and fail where an old name is taken.
TEST(BatchToUndo, FindsExactlyWhatAGroupedRunLeftWhereverItStopped) {
  std::mt19937 random(20261209);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  for (int round = 0; round < 3000; ++round) {
    const int n = 1 + pick(8);
    const auto from = [](int i) { return "/p/f" + std::to_string(i); };
    const auto to = [](int i) { return "/p/H" + std::to_string(i); };
    std::set<std::string> disk;
    for (int i = 0; i < n; ++i) disk.insert(from(i));
    const int oneEntry = pick(3) == 0 ? pick(n) : -1;
    if (oneEntry >= 0) disk.insert(to(oneEntry));
    std::vector<bool> underNewName(n, false);
    std::string log = kHeader;
    std::vector<std::size_t> lineEnds;  // where each line written ahead ends in `log`
    // Writes the lines of a group, as a run does before the first of them.
    const auto writeAhead = [&](const std::vector<std::string>& lines) {
      lineEnds.clear();
      for (const std::string& line : lines) lineEnds.push_back((log += line).size());
    };

    const int group = 1 + pick(n), stop = pick(n + 1);
    const bool killed = pick(2) == 0;
    for (int i = 0; i < n; ++i) {
      if (i % group == 0) {
        std::vector<std::string> lines;
        for (int j = i; j < n && j < i + group; ++j) lines.push_back(Line(from(j), to(j)));
        writeAhead(lines);
      }
      if (i == stop && killed) break;
      if (i == stop) {  // another program took the new name
        disk.insert(to(i));
        log.resize(lineEnds[i % group]);
        log += from(i) + " was not renamed: access denied.\n";
        if (pick(2) == 0) disk.erase(from(i));  // and the file moves away later
        break;
      }
      if (i == oneEntry) continue;  // the rename leaves the one entry as it was
      disk.erase(from(i));
      disk.insert(to(i));
      underNewName[i] = true;
    }
    if (killed && stop < n && stop != oneEntry && pick(2) == 0) disk.insert(to(stop));
    // A later rename or a failure line proves this one.
    int provenBefore = !killed && stop < n ? stop : -1;
    for (int i = 0; i < n; ++i)
      provenBefore = underNewName[i] ? std::max(i, provenBefore) : provenBefore;
    const int retaken = pick(n);
    if (retaken < provenBefore && underNewName[retaken]) disk.insert(from(retaken));

    const PathExists exists = [&](const std::string& path) { return disk.count(path) > 0; };
    const RelateNames relate = [&](const std::string& a, const std::string&) {
      return a == from(oneEntry) ? NamePair::OneEntry : NamePair::Separate;
    };
    for (int undo = 0; undo < 3; ++undo) {
      std::vector<std::string> expected;
      for (int i = 0; i < n; ++i)
        if (underNewName[i]) expected.push_back(from(i));
      const LogHistory history = ReadLogHistory(log);
      ASSERT_FALSE(history.error) << log;
      const LastBatch batch = BatchToUndo(history, exists, relate);
      ASSERT_EQ(batch.OldPaths(), expected) << "round " << round << ", undo " << undo << ":\n"
                                            << log;
      if (batch.Empty()) break;

      log += kUndoHeader;
      const int size = static_cast<int>(batch.Size()), undoGroup = 1 + pick(size);
      const int undoStop = pick(size + 1);
      for (int k = 0, start = 0; k < size && k != undoStop; ++k) {
        if (k == start) {
          std::vector<std::string> lines;
          for (int j = k; j < size && j < k + undoGroup; ++j)
            lines.push_back(batch.NewPaths()[j] + " renamed back to " + batch.OldPaths()[j] + "\n");
          writeAhead(lines);
        }
        const std::string& newPath = batch.NewPaths()[k];
        if (disk.count(batch.OldPaths()[k]) != 0) {  // its old name is taken
          log.resize(lineEnds[k - start]);
          log += newPath + " was not renamed back: access denied.\n";
          start = k + 1;
          continue;
        }
        disk.erase(newPath);
        disk.insert(batch.OldPaths()[k]);
        underNewName[std::stoi(newPath.substr(4))] = false;
        if (k + 1 == start + undoGroup) start = k + 1;
      }
    }
  }
}

TEST(BatchToUndo, IgnoresALineCutOffWhileWritten) {
  Disk disk{{"/p/H0001.jpg", "/p/b.jpg"}};
  const std::string log = std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg") + "/p/b.jpg ren";
  const Undoable read = ReadUndoable(log, disk.Test());
  ASSERT_FALSE(read.error);
  EXPECT_EQ(read.batch.OldPaths(), std::vector<std::string>{"/p/a.jpg"});
}

TEST(BatchToUndo, UnescapesOddNames) {
  const std::string oldPath = "/p\\q/li\nne\r renamed to x\xff.jpg";
  const std::string newPath = "/p\\q/0001Holiday.jpg";
  Disk disk{{newPath}};
  const Undoable read = ReadUndoable(std::string(kHeader) + Line(oldPath, newPath), disk.Test());
  ASSERT_FALSE(read.error);
  EXPECT_EQ(read.batch.OldPaths(), std::vector<std::string>{oldPath});
  EXPECT_EQ(read.batch.NewPaths(), std::vector<std::string>{newPath});
}

TEST(BatchToUndo, AcceptsLinesEndingInCarriageReturnLineFeed) {
  Disk disk{{"/p/H0001.jpg"}};
  const Undoable read = ReadUndoable(
      "December 08, 2026 at 16:02:17\r\n/p/a.jpg renamed to /p/H0001.jpg\r\n", disk.Test());
  ASSERT_FALSE(read.error);
  EXPECT_EQ(read.batch.Size(), 1u);
}

TEST(BatchToUndo, RefusesABatchItCannotRead) {
  Disk disk{{"/p/H0001.jpg", "/p/H0002.jpg"}};
  for (const std::string& bad :
       {std::string("garbage\n"), std::string("\n"), std::string("/p/b renamed back to /p/c\n"),
        std::string("/p/b\\q renamed to /p/H0002.jpg\n")}) {
    const Undoable read =
        ReadUndoable(std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg") + bad, disk.Test());
    ASSERT_TRUE(read.error) << bad;
    EXPECT_NE(read.error->find("line 3"), std::string::npos) << *read.error;
    EXPECT_TRUE(read.batch.Empty());
  }
}

// An undo trusts its log by what the file system tells of the very file
// it read, and by what that file system can express: a card keeps no
// permission bits, so there the owner alone decides. The path's stat says
// "trusted" here throughout, as it would for a log swapped after it.
TEST(ReadUndoFromLog, TrustsTheFileItReadByWhatItsFileSystemCanExpress) {
  testing::TempDir dir;
  dir.MakeFile("H1");
  dir.MakeFile("run.log", kHeader + Line(dir.Join("a"), dir.Join("H1")));
  PosixFileSystem real;
  class Facts : public FileSystemWrapper {
   public:
    using FileSystemWrapper::FileSystemWrapper;
    std::error_code Stat(const std::string& path, bool followLinks, PathStat* stat) override {
      const std::error_code error = FileSystemWrapper::Stat(path, followLinks, stat);
      stat->permissions = 0600;
      stat->owner = UserId();
      return error;
    }
    std::optional<std::string> ReadLog(const std::string& path, LogFileFacts* facts,
                                       std::string* error) override {
      std::optional<std::string> text = FileSystemWrapper::ReadLog(path, facts, error);
      *facts = read;
      return text;
    }
    LogFileFacts read;
  } fs(real);
  const std::uint32_t me = real.UserId(), other = me + 1234;
  const struct {
    bool storesModes;
    unsigned permissions;
    std::uint32_t owner;
    std::string reason;  // empty: trusted
  } cases[] = {
      {true, 0644, me, ""},
      {true, 0644, 0, ""},
      {true, 0664, me, "users other than its owner may write to it"},
      {true, 0602, me, "users other than its owner may write to it"},
      {true, 0644, other, "it belongs to another user"},
      {false, 0777, me, ""},  // a card mounted by the user
      {false, 0777, 0, ""},   // or by root
      {false, 0777, other, "it belongs to another user"},
  };
  for (const auto& c : cases) {
    fs.read = {{}, c.owner, c.permissions, c.storesModes};
    const UndoFromLog undo = ReadUndoFromLog(fs, dir.Join("run.log"));
    const std::string what = std::to_string(c.permissions) + " " + std::to_string(c.owner);
    if (c.reason.empty()) {
      EXPECT_EQ(undo.refusal, UndoFromLog::Refusal::None) << what;
      EXPECT_EQ(undo.batch.Size(), 1u) << what;
    } else {
      EXPECT_EQ(undo.refusal, UndoFromLog::Refusal::Untrusted) << what;
      EXPECT_EQ(undo.reason, c.reason) << what;
    }
  }
  // A link at the end of the path is not followed.
  ASSERT_EQ(::symlink("run.log", dir.Join("link.log").c_str()), 0);
  const UndoFromLog linked = ReadUndoFromLog(real, dir.Join("link.log"));
  EXPECT_EQ(linked.refusal, UndoFromLog::Refusal::Unreadable);
  EXPECT_EQ(linked.reason, "it is a symbolic link");
}

// The disk as the reader sees it: a reservation a crash left is no entry,
// names are looked up in their folder held open (also where the whole path
// is longer than the kernel takes), and two names of one file are one
// entry only when the listing holds one entry of that file.
TEST(DiskTestsOn, SeesThroughLeftoversLongPathsAndOneEntryUnderTwoNames) {
  testing::TempDir dir;
  PosixFileSystem real;
  dir.MakeFile("photo", "x");
  dir.MakeFile("single", "y");
  dir.MakeFile("leftover");
  ASSERT_EQ(::link(dir.Join("photo").c_str(), dir.Join("second").c_str()), 0);
  const timespec mark[2] = {{449899444, 0}, {449899444, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, dir.Join("leftover").c_str(), mark, 0), 0);
  // A file system that ignores case finds "SINGLE" as "single", and keeps
  // names in its own spelling ("Second" as "second").
  class CaseBlind : public FileSystemWrapper {
   public:
    using FileSystemWrapper::FileSystemWrapper;
    std::error_code StatEntry(const FolderHandle& folder, const std::string& name,
                              EntryStat* stat) override {
      const std::string kept = name == "SINGLE" ? "single" : name == "Second" ? "second" : name;
      return FileSystemWrapper::StatEntry(folder, kept, stat);
    }
  } fs(real);
  const DiskTests disk = DiskTestsOn(fs);
  EXPECT_TRUE(disk.exists(dir.Join("photo")));
  EXPECT_TRUE(disk.exists(dir.Join("SINGLE")));
  EXPECT_FALSE(disk.exists(dir.Join("leftover")));
  EXPECT_FALSE(disk.exists(dir.Join("missing")));
  EXPECT_EQ(disk.relate(dir.Join("photo"), dir.Join("second")), NamePair::OneFile);
  EXPECT_EQ(disk.relate(dir.Join("photo"), dir.Join("Second")), NamePair::OneFile);
  EXPECT_EQ(disk.relate(dir.Join("single"), dir.Join("SINGLE")), NamePair::OneEntry);
  EXPECT_EQ(disk.relate(dir.Join("photo"), dir.Join("leftover")), NamePair::Separate);

  // A folder path of some 4,000 bytes: its files' full paths are past PATH_MAX.
  std::string deep = dir.Path();
  const std::string step(250, 'd');
  while (deep.size() + step.size() + 1 < 4050) {
    deep += "/" + step;
    ASSERT_EQ(::mkdir(deep.c_str(), 0755), 0);
  }
  const std::string name(200, 'f');
  ASSERT_GE(deep.size() + 1 + name.size(), static_cast<std::size_t>(PATH_MAX));
  const int fd = ::open((deep + "/" + name.substr(0, 10)).c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ::close(fd);
  ASSERT_EQ(::rename((deep + "/" + name.substr(0, 10)).c_str(), (deep + "/x").c_str()), 0);
  const int folder = ::open(deep.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(::renameat(folder, "x", folder, name.c_str()), 0);
  EXPECT_TRUE(disk.exists(deep + "/" + name));
  EXPECT_FALSE(disk.exists(deep + "/" + name + "g"));
  ASSERT_EQ(::unlinkat(folder, name.c_str(), 0), 0);
  ::close(folder);
}

// A run killed between creating a reservation and marking it leaves an
// empty, unmarked file: where the commit stood (the first pair not proven
// renamed, its old name still there) or where an undo stood (the first pair
// it tried that is neither back nor said to have failed). Those, and marked
// ones anywhere in the batch, are named for the undo to remove; an empty
// file anywhere else, or where a line says the rename failed, is a user's.
TEST(ReadUndoFromLog, NamesTheReservationsAKilledRunLeft) {
  using Files = std::map<std::string, std::string>;  // name -> content; "" empty
  const struct {
    const char* what;
    std::vector<std::string> lines;  // "<old> <new>" pairs and undo lines, as below
    Files files;
    std::vector<std::string> undo, leftovers;
  } cases[] = {
      {"commit killed at b",
       {"a H1", "b H2", "c H3"},
       {{"H1", "a"}, {"b", "b"}, {"H2", ""}, {"c", "c"}},
       {"a"},
       {"H2"}},
      {"a user's empty file where the commit failed",
       {"a H1", "b H2", "!b"},
       {{"H1", "a"}, {"b", "b"}, {"H2", ""}},
       {"a"},
       {}},
      {"an empty file past where the commit stood",
       {"a H1", "b H2", "c H3"},
       {{"H1", "a"}, {"b", "b"}, {"c", "c"}, {"H3", ""}},
       {"a"},
       {}},
      {"undo killed at b",
       {"a H1", "b H2", "c H3", "<", "<a", "<b", "<c"},
       {{"a", "a"}, {"b", ""}, {"H2", "b"}, {"H3", "c"}},
       {"b", "c"},
       {"b"}},
      {"a user's empty file where the undo failed",
       {"a H1", "b H2", "<", "<a", "<b", "!<b"},
       {{"a", "a"}, {"b", ""}, {"H2", "b"}},
       {"b"},
       {}},
  };
  for (const auto& c : cases) {
    testing::TempDir dir;
    std::string log = kHeader;
    for (const std::string& l : c.lines) {
      if (l == "<") {
        log += kUndoHeader;
      } else if (l.starts_with("!<")) {
        log += EscapeLogPath(dir.Join("H" + std::to_string(l[2] - 'a' + 1))) +
               " was not renamed back: access denied.\n";
      } else if (l.starts_with("<")) {
        const std::string name(1, l[1]);
        log += dir.Join("H" + std::to_string(l[1] - 'a' + 1)) + " renamed back to " +
               dir.Join(name) + "\n";
      } else if (l.starts_with("!")) {
        log += dir.Join(l.substr(1)) + " was not renamed: access denied.\n";
      } else {
        log += Line(dir.Join(l.substr(0, 1)), dir.Join(l.substr(2)));
      }
    }
    dir.MakeFile("run.log", log);
    for (const auto& [name, content] : c.files) dir.MakeFile(name, content);
    PosixFileSystem real;
    class Card : public FileSystemWrapper {
     public:
      using FileSystemWrapper::FileSystemWrapper;
      bool MayHoldLeftovers(const FolderHandle&) override { return true; }
    } card(real);
    const UndoFromLog undo = ReadUndoFromLog(card, dir.Join("run.log"));
    std::vector<std::string> undone, leftovers;
    for (const std::string& path : undo.batch.OldPaths()) undone.push_back(SplitPath(path).name);
    for (const std::string& path : undo.batch.Leftovers())
      leftovers.push_back(SplitPath(path).name);
    EXPECT_EQ(undone, c.undo) << c.what;
    EXPECT_EQ(leftovers, c.leftovers) << c.what;
  }
}

}  // namespace
}  // namespace kalvenor

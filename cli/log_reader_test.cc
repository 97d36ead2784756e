#include "log_reader.h"

#include <gtest/gtest.h>

#include <set>

#include "log_format.h"

namespace kalvenor {
namespace {

const char kHeader[] = "December 08, 2026 at 16:02:17\n";
const char kUndoHeader[] = "December 08, 2026 at 16:05:40 (UNDO)\n";

std::string Line(const std::string& oldPath, const std::string& newPath) {
  return EscapeLogPath(oldPath) + " renamed to " + EscapeLogPath(newPath) + "\n";
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

TEST(ReadLastBatch, TakesTheRenamesAfterTheLastBatchHeader) {
  Disk disk{{"/p/H0001.jpg", "/p/H0002.jpg", "/p/H0003.jpg"}};
  const std::string log = std::string(kHeader) + Line("/p/old.jpg", "/p/H0009.jpg") + kHeader +
                          Line("/p/a.jpg", "/p/H0001.jpg") + Line("/p/b.jpg", "/p/H0002.jpg") +
                          Line("/p/c.jpg", "/p/H0003.jpg");
  const LogReadResult read = ReadLastBatch(log, disk.Test());
  ASSERT_FALSE(read.error);
  EXPECT_EQ(read.batch.OldPaths(), (std::vector<std::string>{"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"}));
  EXPECT_EQ(read.batch.NewPaths(),
            (std::vector<std::string>{"/p/H0001.jpg", "/p/H0002.jpg", "/p/H0003.jpg"}));
}

TEST(ReadLastBatch, FindsNothingToUndo) {
  Disk disk{{"/p/H0001.jpg"}};
  const std::string batch = std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg");
  for (const std::string& log : {std::string(), std::string("\n"), std::string(kHeader),
                                 batch + kUndoHeader + "/p/H0001.jpg renamed back to /p/a.jpg\n",
                                 batch + kUndoHeader, Line("/p/a.jpg", "/p/H0001.jpg")}) {
    const LogReadResult read = ReadLastBatch(log, disk.Test());
    EXPECT_FALSE(read.error) << log;
    EXPECT_TRUE(read.batch.Empty()) << log;
  }
}

TEST(ReadLastBatch, SkipsRenamesThatNeverHappened) {
  // b failed (its target was taken), so the batch stopped there; c's line is
  // not even in the log. a was renamed.
  Disk stopped{{"/p/H0001.jpg", "/p/b.jpg", "/p/H0002.jpg", "/p/c.jpg"}};
  LogReadResult read = ReadLastBatch(
      std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg") + Line("/p/b.jpg", "/p/H0002.jpg"),
      stopped.Test());
  EXPECT_EQ(read.batch.OldPaths(), std::vector<std::string>{"/p/a.jpg"});

  // A line in the middle whose file still has its old name and whose new
  // name is free: skipped. One whose old name was taken again since is kept
  // (the undo then reports it), and so is one whose file is gone.
  Disk middle{{"/p/a.jpg", "/p/b.jpg", "/p/H0002.jpg", "/p/H0004.jpg"}};
  read = ReadLastBatch(std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg") +
                           Line("/p/b.jpg", "/p/H0002.jpg") + Line("/p/c.jpg", "/p/H0003.jpg") +
                           Line("/p/d.jpg", "/p/H0004.jpg"),
                       middle.Test());
  EXPECT_EQ(read.batch.OldPaths(), (std::vector<std::string>{"/p/b.jpg", "/p/c.jpg", "/p/d.jpg"}));
}

TEST(ReadLastBatch, IgnoresALineCutOffWhileWritten) {
  Disk disk{{"/p/H0001.jpg", "/p/b.jpg"}};
  const std::string log = std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg") + "/p/b.jpg ren";
  const LogReadResult read = ReadLastBatch(log, disk.Test());
  ASSERT_FALSE(read.error);
  EXPECT_EQ(read.batch.OldPaths(), std::vector<std::string>{"/p/a.jpg"});
}

TEST(ReadLastBatch, UnescapesOddNames) {
  const std::string oldPath = "/p\\q/li\nne\r renamed to x\xff.jpg";
  const std::string newPath = "/p\\q/0001Holiday.jpg";
  Disk disk{{newPath}};
  const LogReadResult read =
      ReadLastBatch(std::string(kHeader) + Line(oldPath, newPath), disk.Test());
  ASSERT_FALSE(read.error);
  EXPECT_EQ(read.batch.OldPaths(), std::vector<std::string>{oldPath});
  EXPECT_EQ(read.batch.NewPaths(), std::vector<std::string>{newPath});
}

TEST(ReadLastBatch, AcceptsLinesEndingInCarriageReturnLineFeed) {
  Disk disk{{"/p/H0001.jpg"}};
  const LogReadResult read = ReadLastBatch(
      "December 08, 2026 at 16:02:17\r\n/p/a.jpg renamed to /p/H0001.jpg\r\n", disk.Test());
  ASSERT_FALSE(read.error);
  EXPECT_EQ(read.batch.Size(), 1u);
}

TEST(ReadLastBatch, RefusesABatchItCannotRead) {
  Disk disk{{"/p/H0001.jpg", "/p/H0002.jpg"}};
  for (const std::string& bad :
       {std::string("garbage\n"), std::string("\n"), std::string("/p/b renamed back to /p/c\n"),
        std::string("/p/b\\q renamed to /p/H0002.jpg\n")}) {
    const LogReadResult read =
        ReadLastBatch(std::string(kHeader) + Line("/p/a.jpg", "/p/H0001.jpg") + bad, disk.Test());
    ASSERT_TRUE(read.error) << bad;
    EXPECT_NE(read.error->find("line 3"), std::string::npos) << *read.error;
    EXPECT_TRUE(read.batch.Empty());
  }
}

}  // namespace
}  // namespace kalvenor

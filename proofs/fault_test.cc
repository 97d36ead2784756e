// On each FUSE file system, the faults that storage and other programs
// bring: a log on the volume itself, a target taken by another program
// between the plan and its rename, a log named in other capitals, a rename
// that only changes the case of a hard-linked name, and a program writing
// into each target as it appears. Each proof holds to names, bytes and
// exit statuses only. (A kill inside a reservation, and one between the
// link and the unlink on sshfs, are proved in crash_every_step_test.cc.)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "proof_fixture.h"

namespace kalvenor::proofs {
namespace {

namespace fs = std::filesystem;

using FaultOnVolume = VolumeProof;
using FaultOnCaseInsensitiveVolume = VolumeProof;
using FaultOnVolumeWithoutLinks = VolumeProof;

// Whether `call` is a rename, link or exclusive creation onto `name`: the
// first step of a rename that gives a file that name.
bool RenamesOnto(const TracedCall& call, const std::string& name) {
  const bool renaming = call.name == "renameat2" || call.name == "renameat" ||
                        call.name == "rename" || call.name == "linkat" || call.name == "link";
  const bool reserving = call.name == "openat" && call.text.find("O_EXCL") != std::string::npos;
  return (renaming || reserving) && call.text.find("\"" + name + "\"") != std::string::npos;
}

// Whether `call` adds, removes or renames a name in `folder`.
bool ChangesAName(const TracedCall& call, const std::string& folder) {
  static const std::set<std::string> kNaming = {"renameat2", "renameat", "rename", "linkat",
                                                "link",      "unlinkat", "unlink"};
  const bool creating = call.name == "openat" && call.text.find("O_CREAT") != std::string::npos;
  return (kNaming.count(call.name) != 0 || creating) && call.text.find(folder) != std::string::npos;
}

// Appends `bytes` to the existing file `path`, as another program would;
// false when there is no such file.
bool WriteInto(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) return false;
  const bool written =
      ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  return ::close(fd) == 0 && written;
}

// A log on the volume serves the undo, wherever on it it lies, whether or
// not the volume keeps modes; where it does, a log that others may write
// is still refused before anything is renamed.
TEST_P(FaultOnVolume, ALogOnTheVolumeTakesItsBatchBack) {
  const std::string folder = OnVolume("p");
  const std::string log = OnVolume("logs/k.log");
  WriteContents(folder, SmallBatch());
  fs::create_directories(OnVolume("logs"));
  const FolderContents start = ReadContents(folder);

  EXPECT_TRUE(m_tool->Run(CommitArgs(folder, log)).Exited(0));
  const UndoSeries undos = m_tool->UndoUntilDone(log);
  EXPECT_TRUE(undos.Clean()) << undos.Describe();
  EXPECT_TRUE(SameContents(start, ReadContents(folder)));

  if (!TraitsOf(Kind()).storesModes) return;
  ASSERT_TRUE(m_tool->Run(CommitArgs(folder, log)).Exited(0));
  const FolderContents renamed = ReadContents(folder);
  ASSERT_EQ(::chmod(log.c_str(), 0666), 0);
  EXPECT_TRUE(m_tool->Run({"--undo-log", log}).Exited(2));
  EXPECT_TRUE(SameContents(renamed, ReadContents(folder)));
  ASSERT_EQ(::chmod(log.c_str(), 0644), 0);
  EXPECT_TRUE(m_tool->UndoUntilDone(log).Clean());
}

// Another program makes the last file's new name while the tool is about
// to rename it: that rename fails, and no undo, now or once the file's
// old name is free, ever renames the other program's file.
TEST_P(FaultOnVolume, AnUndoNeverRenamesAFileThatNoBatchRenamed) {
  const std::string folder = OnVolume("p");
  const std::string log = OffVolume("k.log");
  const std::vector<std::string> commit = CommitArgs(folder, log);
  WriteContents(folder, SmallBatch());
  const FolderContents start = ReadContents(folder);
  const std::string last = AsListed("d e.png"), target = AsListed("H0004.png");

  std::vector<TracedCall> calls;
  m_tool->Trace(commit, &calls);
  // Just after the rename before it: the plan is made, and the last file
  // is not yet tried.
  const std::optional<CallMark> before = MarkBefore(
      calls, [&](const TracedCall& call) { return RenamesOnto(call, "H0004.png"); },
      [&](const TracedCall& call) { return ChangesAName(call, folder); });
  ASSERT_TRUE(before) << "no rename onto H0004.png in the traced commit";
  WriteContents(folder, SmallBatch());
  fs::remove(log);
  std::string whyNot;
  std::unique_ptr<StoppedTool> stopped = m_tool->RunStoppedAfter(commit, *before, &whyNot);
  ASSERT_NE(stopped, nullptr) << whyNot;
  const std::string theirs = "made by another program";
  WriteContents(OnVolume("q"), {{"H0004.png", theirs}});
  ASSERT_EQ(::rename(OnVolume("q/H0004.png").c_str(), (folder + "/H0004.png").c_str()), 0);
  EXPECT_TRUE(stopped->Finish().Exited(3));

  FolderContents want = start;
  want[target] = theirs;
  const UndoSeries undos = m_tool->UndoUntilDone(log);
  EXPECT_TRUE(undos.Clean()) << undos.Describe();
  EXPECT_TRUE(SameContents(want, ReadContents(folder)));

  // The last file goes elsewhere; its old name is free again.
  ASSERT_EQ(::rename((folder + "/" + last).c_str(), OnVolume("q/moved").c_str()), 0);
  want.erase(last);
  m_tool->UndoUntilDone(log);
  EXPECT_TRUE(SameContents(want, ReadContents(folder)));
  EXPECT_EQ(ReadWholeFile(OnVolume("q/moved")), start.at(last));
}

// On a volume that ignores case, a log inside the folder named with other
// capitals than it has is still the open log: it keeps its name, and the
// undo through the same typed name takes the batch back.
TEST_P(FaultOnCaseInsensitiveVolume, ALogNamedInOtherCapitalsIsNeverRenamed) {
  ASSERT_TRUE(IgnoresCase()) << "the volume was expected to ignore case";
  const std::string folder = OnVolume("p");
  FolderContents files = SmallBatch();
  files["k.log"] = "";
  WriteContents(folder, files);
  const FolderContents start = ReadContents(folder);
  const std::string typed = folder + "/K.LOG";

  m_tool->Run(CommitArgs(folder, typed));
  EXPECT_EQ(ReadContents(folder).count(AsListed("k.log")), 1u) << "the log lost its name";
  const UndoSeries undos = m_tool->UndoUntilDone(typed);
  EXPECT_TRUE(undos.Clean()) << undos.Describe();
  FolderContents want = start;
  want[AsListed("k.log")] = ReadWholeFile(folder + "/k.log");
  EXPECT_TRUE(SameContents(want, ReadContents(folder)));
}

// On a volume that ignores case beyond A to Z, "été0000.jpg" renamed to
// "Été0000.jpg" is the same entry: the rename cannot be told from a file
// that kept its name. With a second hard link elsewhere and without one,
// the undos get through and every name and byte is where it was.
TEST_P(FaultOnCaseInsensitiveVolume, ARenameThatOnlyChangesCaseLosesNoName) {
  ASSERT_TRUE(IgnoresCase()) << "the volume was expected to ignore case";
  const std::string name =
      "\xC3\xA9t\xC3\xA9"
      "0000.jpg";  // été0000.jpg
  for (const bool linked : {true, false}) {
    SCOPED_TRACE(linked ? "with a second link" : "with one name");
    const std::string log = OffVolume(linked ? "linked.log" : "single.log");
    try {
      WriteContents(OnVolume("p"), {{name, "the only photo"}});
    } catch (const std::exception& e) {
      GTEST_SKIP() << "the volume cannot hold the name: " << e.what();
    }
    WriteContents(OnVolume("q"), {});
    if (linked && ::link(OnVolume("p/" + name).c_str(), OnVolume("q/keep.jpg").c_str()) != 0) {
      std::printf("no hard links here; the proof with a second link is left out\n");
      continue;
    }
    const FolderContents start = ReadContents(m_volume->Root());

    m_tool->Run({"-b", "\xC3\x89t\xC3\xA9", "-c", "-l", log, OnVolume("p")});  // "Été"
    const UndoSeries undos = m_tool->UndoUntilDone(log);
    EXPECT_TRUE(undos.Clean()) << undos.Describe();
    EXPECT_TRUE(SameContents(start, ReadContents(m_volume->Root())));
  }
}

// Where a rename first reserves its new name with an empty file of its own
// (no renameat2 flag, no hard links: exFAT, FAT), another program may
// write into that file before the rename. For each file of the batch in
// turn, the proof writes into the reservation just before the rename over
// it: those bytes are never lost, and the undos still bring every photo
// back under its own name.
TEST_P(FaultOnVolumeWithoutLinks, BytesWrittenIntoATargetAsItAppearsAreNeverLost) {
  const std::string folder = OnVolume("p");
  const std::string log = OffVolume("k.log");
  const std::vector<std::string> commit = CommitArgs(folder, log);
  WriteContents(folder, SmallBatch());
  const FolderContents start = ReadContents(folder);
  std::vector<TracedCall> calls;
  m_tool->Trace(commit, &calls);
  std::vector<std::string> reserved;
  for (const TracedCall& call : ChangesUnder(calls, {folder})) {
    if (call.name != "openat" || call.text.find("O_EXCL") == std::string::npos) continue;
    const std::size_t open = call.text.find(">, \"") + 4;
    reserved.push_back(call.text.substr(open, call.text.find('"', open) - open));
  }
  if (reserved.empty()) GTEST_SKIP() << "renames here reserve no name";

  for (const std::string& target : reserved) {
    SCOPED_TRACE("written into " + target);
    // Just after the last look at the target (by its name or through a
    // descriptor) before the rename over the reservation.
    const auto reservation = std::find_if(calls.begin(), calls.end(), [&](const TracedCall& call) {
      return call.name == "openat" && RenamesOnto(call, target);
    });
    const std::optional<CallMark> before = MarkBefore(
        calls,
        [&](const TracedCall& call) {
          return &call > &*reservation && call.name != "openat" && RenamesOnto(call, target);
        },
        [&](const TracedCall& call) {
          return call.text.find("\"" + target + "\"") != std::string::npos ||
                 call.text.find("/" + target + ">") != std::string::npos;
        });
    ASSERT_TRUE(before) << "no rename over the reservation of " << target;

    WriteContents(folder, SmallBatch());
    fs::remove(log);
    std::string whyNot;
    std::unique_ptr<StoppedTool> stopped = m_tool->RunStoppedAfter(commit, *before, &whyNot);
    ASSERT_NE(stopped, nullptr) << whyNot;
    const std::string theirs = "written into " + target + " by another program";
    ASSERT_TRUE(WriteInto(folder + "/" + target, theirs))
        << "no reservation to write into after " << before->Label();
    stopped->Finish();
    const UndoSeries undos = m_tool->UndoUntilDone(log);
    EXPECT_TRUE(undos.Clean()) << undos.Describe();

    // Every photo under its own name, and the other program's bytes in
    // one more file, under whatever name.
    FolderContents now = ReadContents(folder);
    std::string theirsAt;
    for (const auto& [name, bytes] : now)
      if (bytes == theirs && start.count(name) == 0) theirsAt = name;
    EXPECT_NE(theirsAt, "") << "the other program's bytes are lost";
    now.erase(theirsAt);
    EXPECT_TRUE(SameContents(start, now));
  }
}

INSTANTIATE_TEST_SUITE_P(Fuse, FaultOnVolume, ::testing::ValuesIn(FuseKinds()), KindName);
INSTANTIATE_TEST_SUITE_P(Fuse, FaultOnCaseInsensitiveVolume,
                         ::testing::ValuesIn(FuseKinds([](const VolumeTraits& traits) {
                           return traits.caseInsensitive;
                         })),
                         KindName);
// On every kind: sshfs has hard links, but without inode numbers of its
// own a rename there reserves its name too.
INSTANTIATE_TEST_SUITE_P(Fuse, FaultOnVolumeWithoutLinks, ::testing::ValuesIn(FuseKinds()),
                         KindName);

}  // namespace
}  // namespace kalvenor::proofs

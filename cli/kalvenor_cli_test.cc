// End-to-end tests: the built kalvenor-cli run as its own process on real
// temporary folders, judged by its exit status, its two output streams, the
// files on disk and the log.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "kalvenor_version.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

using kalvenor::testing::TempDir;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Names of the entries of a folder.
std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the tool with `args` in the folder `cwd`; `env` sets (or, with
// nullopt, removes) environment variables for the child only. With
// `readerGone` its standard output is a pipe nobody reads any more; with
// `stdoutTo` it is that file (e.g. /dev/full).
Outcome RunCli(const std::vector<std::string>& args, const std::string& cwd,
               const std::map<std::string, std::optional<std::string>>& env = {},
               bool readerGone = false, const char* stdoutTo = nullptr) {
  TempDir streams;
  const std::string outPath = streams.Join("out"), errPath = streams.Join("err");
  int pipeEnds[2] = {-1, -1};
  if (readerGone && (::pipe(pipeEnds) != 0 || ::close(pipeEnds[0]) != 0)) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(cwd.c_str()) != 0) ::_exit(120);
    for (const auto& [name, value] : env) {
      if (value) ::setenv(name.c_str(), value->c_str(), 1);
      else ::unsetenv(name.c_str());
    }
    const int out = ::open(stdoutTo != nullptr ? stdoutTo : outPath.c_str(),
                           O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0 || ::dup2(readerGone ? pipeEnds[1] : out, 1) < 0 || ::dup2(err, 2) < 0)
      ::_exit(121);
    std::vector<char*> argv{const_cast<char*>(KALVENOR_CLI_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(KALVENOR_CLI_PATH, argv.data());
    ::_exit(122);
  }
  if (readerGone) ::close(pipeEnds[1]);
  Outcome outcome;
  int waitStatus = 0;
  if (child > 0 && ::waitpid(child, &waitStatus, 0) == child && WIFEXITED(waitStatus))
    outcome.status = WEXITSTATUS(waitStatus);
  outcome.out = ReadFile(outPath);
  outcome.err = ReadFile(errPath);
  return outcome;
}

// Whether `line` is a log header: an English month, then the rest of the
// time stamp digit by digit ('#' in the template), then `suffix`.
bool IsHeader(const std::string& line, const std::string& suffix = "") {
  static const char* const kMonths[] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};
  for (const char* month : kMonths) {
    const std::string pattern = std::string(month) + " ##, #### at ##:##:##" + suffix;
    if (line.size() != pattern.size()) continue;
    bool matches = true;
    for (std::size_t i = 0; i < line.size() && matches; ++i)
      matches = pattern[i] == '#' ? std::isdigit(static_cast<unsigned char>(line[i])) != 0
                                  : pattern[i] == line[i];
    if (matches) return true;
  }
  return false;
}

// A folder with a few photos whose bytes tell them apart.
class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::create_directory(m_photos));
    for (const char* name : {"b.jpg", "a.jpg", "c.png"}) WriteFile(m_photos + "/" + name, name);
  }
  std::string Photo(const std::string& name) const { return m_photos + "/" + name; }

  TempDir m_dir;
  const std::string m_photos = m_dir.Join("photos");
  const std::string m_log = m_dir.Join("rename.log");
};

TEST_F(CliTest, WrongArgumentsGiveStatusTwoAndTheUsage) {
  const std::vector<std::vector<std::string>> wrong = {
      {"-b", "H", "-i", "10000", "photos"},
      {"-b", "H", "-i", "-1", "photos"},
      {"-b", "H", "-i", "abc", "photos"},
      {"-b", "H", "-i", "", "photos"},
      {"photos"},
      {"-b", "H"},
      {"-b", "H", "photos", "photos"},
      {"--undo-log", "rename.log", "photos"},
      {"-b", "H", "--sort", "size", "photos"},
  };
  for (const auto& args : wrong) {
    const Outcome run = RunCli(args, m_dir.Path());
    EXPECT_EQ(run.status, 2) << args.front() << " " << args.back();
    EXPECT_NE(run.err.find("usage: kalvenor-cli [OPTIONS] FOLDER"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(Names(m_photos), (std::set<std::string>{"a.jpg", "b.jpg", "c.png"}));
}

TEST_F(CliTest, HelpAndVersion) {
  const Outcome help = RunCli({"--help"}, m_dir.Path());
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--undo-log FILE"), std::string::npos);
  const Outcome version = RunCli({"--version"}, m_dir.Path());
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "kalvenor-cli " KALVENOR_VERSION_SHOWN "\n");
}

TEST_F(CliTest, PreviewListsThePlanAndTouchesNothing) {
  const Outcome run =
      RunCli({"-b", "Holiday", "--prefix", "-l", "rename.log", "photos"}, m_dir.Path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "a.jpg -> 0000Holiday.jpg\n"
            "b.jpg -> 0001Holiday.jpg\n"
            "c.png -> 0002Holiday.png\n"
            "Run again with --commit to do the above.\n");
  EXPECT_EQ(Names(m_photos), (std::set<std::string>{"a.jpg", "b.jpg", "c.png"}));
  EXPECT_FALSE(fs::exists(m_log));
}

TEST_F(CliTest, CommitRenamesAndLogsFullPaths) {
  WriteFile(Photo("Holiday0001.gif"), "kept");
  const Outcome run = RunCli({"-b", "Holiday", "--no-fill-gaps", "--sort=type", "--descending",
                              "-l", m_log, "-c", m_photos},
                             m_dir.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "Holiday0001.gif -> Not Renamed\n"
            "c.png -> Holiday0002.png\n"
            "b.jpg -> Holiday0003.jpg\n"
            "a.jpg -> Holiday0004.jpg\n"
            "Operations complete.\n");
  EXPECT_EQ(Names(m_photos), (std::set<std::string>{"Holiday0001.gif", "Holiday0002.png",
                                                    "Holiday0003.jpg", "Holiday0004.jpg"}));
  EXPECT_EQ(ReadFile(Photo("Holiday0003.jpg")), "b.jpg");
  const std::vector<std::string> log = Lines(ReadFile(m_log));
  ASSERT_EQ(log.size(), 4u);
  EXPECT_TRUE(IsHeader(log[0])) << log[0];
  EXPECT_EQ(log[1], m_photos + "/c.png renamed to " + m_photos + "/Holiday0002.png");
  EXPECT_EQ(log[3], m_photos + "/a.jpg renamed to " + m_photos + "/Holiday0004.jpg");
}

TEST_F(CliTest, RelativeFolderAndLogBecomeAbsoluteWithoutResolvingLinks) {
  fs::create_directory_symlink("photos", m_dir.Join("album"));
  ASSERT_TRUE(fs::create_directory(m_dir.Join("logs")));
  const Outcome run = RunCli({"-b", "H", "-c", "-l", "logs/../r.log", "./album/"}, m_dir.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> log = Lines(ReadFile(m_dir.Join("r.log")));
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[1], m_dir.Join("album/a.jpg renamed to ") + m_dir.Join("album/H0000.jpg"));
  EXPECT_TRUE(fs::exists(Photo("H0000.jpg")));

  // The undo reads the relative log path against the current folder too.
  const Outcome undo = RunCli({"--undo-log", "r.log"}, m_dir.Path());
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(Names(m_photos), (std::set<std::string>{"a.jpg", "b.jpg", "c.png"}));
}

TEST_F(CliTest, TheCurrentFolderIsTakenAsTheShellNamesIt) {
  fs::create_directory_symlink("photos", m_dir.Join("album"));
  const Outcome run = RunCli({"-b", "H", "-c", "-l", "../r.log", "."}, m_dir.Join("album"),
                             {{"PWD", m_dir.Join("album")}});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> log = Lines(ReadFile(m_dir.Join("r.log")));
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[1], m_dir.Join("album/a.jpg renamed to ") + m_dir.Join("album/H0000.jpg"));

  // A $PWD that names another folder is not believed.
  const Outcome stale =
      RunCli({"-b", "H", "-c", "-l", "../s.log", "."}, m_photos, {{"PWD", m_dir.Path()}});
  EXPECT_EQ(stale.status, 0) << stale.err;
  EXPECT_TRUE(fs::exists(m_dir.Join("s.log")));
}

TEST_F(CliTest, ACommitOutlivesTheReaderOfItsOutput) {
  // Enough files that the output is written out while the renames go on.
  const std::string many = m_dir.Join("many");
  ASSERT_TRUE(fs::create_directory(many));
  for (int i = 0; i < 3000; ++i) WriteFile(many + "/file" + std::to_string(i) + ".jpg", "");
  const Outcome run = RunCli({"-b", "H", "-c", many}, m_dir.Path(), {}, true);
  // Every rename was done, but the user did not see the Results: a failure.
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_EQ(run.err, "kalvenor-cli: write error: the output could not be written\n");
  EXPECT_TRUE(fs::exists(many + "/H2999.jpg"));
  EXPECT_FALSE(fs::exists(many + "/file0.jpg"));
}

// Output that cannot be written fails the run: status 2 when nothing was
// changed, 3 after a commit or an undo (whose renames still all happen).
TEST_F(CliTest, AFullOutputIsAFailure) {
  const struct {
    std::vector<std::string> args;
    int status;
    std::set<std::string> names;
  } cases[] = {
      {{"--help"}, 2, {"a.jpg", "b.jpg", "c.png"}},
      {{"-b", "H", m_photos}, 2, {"a.jpg", "b.jpg", "c.png"}},
      {{"-b", "H", "-c", "-l", m_log, m_photos}, 3, {"H0000.jpg", "H0001.jpg", "H0002.png"}},
      {{"--undo-log", m_log}, 3, {"a.jpg", "b.jpg", "c.png"}},
  };
  for (const auto& c : cases) {
    const Outcome run = RunCli(c.args, m_dir.Path(), {}, false, "/dev/full");
    EXPECT_EQ(run.status, c.status) << c.args[0];
    EXPECT_EQ(run.err, "kalvenor-cli: write error: the output could not be written\n");
    EXPECT_EQ(Names(m_photos), c.names);
  }
}

TEST_F(CliTest, ControlCharactersInNamesAreShownEscaped) {
  WriteFile(Photo("\x1b[2Jclear\x07.jpg"), "x");
  const Outcome run = RunCli({"-b", "H", m_photos}, m_dir.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\\x1b[2Jclear\\x07.jpg -> H0000.jpg\n"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
  const Outcome refused = RunCli({"-b", "H", m_dir.Join("no\x1b]folder")}, m_dir.Path());
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("no\\x1b]folder'"), std::string::npos) << refused.err;
  EXPECT_EQ(refused.err.find('\x1b'), std::string::npos);
}

TEST_F(CliTest, FailedRenameGivesStatusThreeAndStopsTheBatch) {
  // aa.jpeg's new name is one byte longer than a name may be.
  WriteFile(Photo("aa.jpeg"), "aa.jpeg");
  const std::string base(247, 'H');
  const Outcome run = RunCli({"-b", base, "-c", "-l", m_log, m_photos}, m_dir.Path());
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err, "kalvenor-cli: Rename error: bad path. ('" + Photo("aa.jpeg") + "' -> '" +
                         Photo(base + "0001.jpeg") + "': File name too long)\n");
  EXPECT_EQ(run.out, "a.jpg -> " + base + "0000.jpg\naa.jpeg -> " + base +
                         "0001.jpeg\nOperations complete.\n");
  EXPECT_EQ(Names(m_photos),
            (std::set<std::string>{base + "0000.jpg", "aa.jpeg", "b.jpg", "c.png"}));

  const Outcome undo = RunCli({"--undo-log", m_log}, m_dir.Path());
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(undo.out, base + "0000.jpg -> a.jpg\nOperations complete.\n");
  EXPECT_EQ(Names(m_photos), (std::set<std::string>{"a.jpg", "aa.jpeg", "b.jpg", "c.png"}));
}

// A subfolder named like a new name is passed over, not run into; hidden
// files are numbered unless --keep-hidden leaves them alone.
TEST_F(CliTest, NamesOfOtherEntriesAreTakenAndHiddenFilesMayBeKept) {
  ASSERT_TRUE(fs::create_directory(Photo("H0000.jpg")));
  WriteFile(Photo(".DS_Store"), "finder");
  const Outcome preview = RunCli({"-b", "H", m_photos}, m_dir.Path());
  EXPECT_EQ(preview.status, 0) << preview.err;
  EXPECT_EQ(preview.out,
            ".DS_Store -> H0001.DS_Store\na.jpg -> H0002.jpg\nb.jpg -> H0003.jpg\n"
            "c.png -> H0004.png\nRun again with --commit to do the above.\n");

  const Outcome run = RunCli({"-b", "H", "--keep-hidden", "-c", m_photos}, m_dir.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "a.jpg -> H0001.jpg\nb.jpg -> H0002.jpg\nc.png -> H0003.png\n"
            "Operations complete.\n");
  EXPECT_EQ(Names(m_photos), (std::set<std::string>{".DS_Store", "H0000.jpg", "H0001.jpg",
                                                    "H0002.jpg", "H0003.png"}));
  EXPECT_TRUE(fs::is_directory(Photo("H0000.jpg")));
}

TEST_F(CliTest, LimitsGiveStatusOne) {
  const Outcome index = RunCli({"-b", "H", "-i", "9998", "-c", m_photos}, m_dir.Path());
  EXPECT_EQ(index.status, 1);
  EXPECT_EQ(index.out, "a.jpg -> H9998.jpg\nb.jpg -> H9999.jpg\nIndex exceeds limit.\n");
  EXPECT_EQ(Names(m_photos), (std::set<std::string>{"H9998.jpg", "H9999.jpg", "c.png"}));

  const std::string crowded = m_dir.Join("crowded");
  ASSERT_TRUE(fs::create_directory(crowded));
  for (int i = 0; i < 10000; ++i) WriteFile(crowded + "/f" + std::to_string(i), "");
  const Outcome count = RunCli({"-b", "H", "-c", crowded}, m_dir.Path());
  EXPECT_EQ(count.status, 1);
  EXPECT_EQ(count.out, "File count exceeds 9999.\nOperations complete.\n");
  EXPECT_TRUE(fs::exists(crowded + "/f0"));
}

TEST_F(CliTest, RefusedFoldersGiveStatusTwo) {
  const std::string trash = m_dir.Join("home/.local/share/Trash/files/photos");
  fs::create_directories(trash);
  WriteFile(trash + "/a.jpg", "a");
  const std::map<std::string, std::optional<std::string>> env = {{"HOME", m_dir.Join("home")},
                                                                 {"XDG_DATA_HOME", std::nullopt}};
  for (const std::string& folder : {Photo("a.jpg"), m_dir.Join("missing"), trash}) {
    const Outcome run = RunCli({"-b", "H", "-c", folder}, m_dir.Path(), env);
    EXPECT_EQ(run.status, 2) << folder;
    EXPECT_NE(run.err.find("kalvenor-cli: "), std::string::npos);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(Names(trash), std::set<std::string>{"a.jpg"});
}

TEST_F(CliTest, AFolderThatCannotBeListedGivesStatusTwoAndNoLogLine) {
  if (::geteuid() == 0) GTEST_SKIP() << "root lists any folder";
  ASSERT_EQ(::chmod(m_photos.c_str(), 0300), 0);  // can enter, cannot list
  for (const bool commit : {false, true}) {
    std::vector<std::string> args = {"-b", "H", "-l", m_log, m_photos};
    if (commit) args.push_back("-c");
    const Outcome run = RunCli(args, m_dir.Path());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "kalvenor-cli: cannot read the folder '" + m_photos + "': Permission denied\n");
  }
  ::chmod(m_photos.c_str(), 0755);
  EXPECT_FALSE(fs::exists(m_log));
}

TEST_F(CliTest, ALogThatCannotBeOpenedStopsACommitBeforeAnyRename) {
  const Outcome run =
      RunCli({"-b", "H", "-c", "-l", m_dir.Join("no/such/r.log"), m_photos}, m_dir.Path());
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "kalvenor-cli: cannot open log file '" + m_dir.Join("no/such/r.log") +
                         "': No such file or directory; nothing was renamed\n");
  EXPECT_EQ(Names(m_photos), (std::set<std::string>{"a.jpg", "b.jpg", "c.png"}));
}

TEST_F(CliTest, UndoRestoresNamesAndBytesAndLogsTheUndo) {
  ASSERT_EQ(RunCli({"-b", "Trip", "--prefix", "-c", "-l", m_log, m_photos}, m_dir.Path()).status,
            0);
  const Outcome undo = RunCli({"--undo-log", m_log}, m_dir.Path());
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(undo.out,
            "0000Trip.jpg -> a.jpg\n0001Trip.jpg -> b.jpg\n0002Trip.png -> c.png\n"
            "Operations complete.\n");
  for (const char* name : {"a.jpg", "b.jpg", "c.png"}) EXPECT_EQ(ReadFile(Photo(name)), name);
  EXPECT_EQ(Names(m_photos).size(), 3u);
  const std::vector<std::string> log = Lines(ReadFile(m_log));
  ASSERT_EQ(log.size(), 8u);
  EXPECT_TRUE(IsHeader(log[4], " (UNDO)")) << log[4];
  EXPECT_EQ(log[5], m_photos + "/0000Trip.jpg renamed back to " + m_photos + "/a.jpg");

  // The batch is undone now: a second undo finds nothing.
  const Outcome again = RunCli({"--undo-log", m_log}, m_dir.Path());
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(again.err, "kalvenor-cli: Nothing to undo.\n");
  EXPECT_EQ(Lines(ReadFile(m_log)).size(), 8u);
}

// Repeated undos walk back through the log: an interrupted undo is
// finished first, a batch that renamed nothing hides nothing, and a wholly
// undone batch gives way to the one before it.
TEST_F(CliTest, RepeatedUndosFinishAnInterruptedUndoAndWalkBack) {
  const std::vector<std::string> commit = {"-b", "T", "-c", "-l", m_log, m_photos};
  ASSERT_EQ(RunCli(commit, m_dir.Path()).status, 0);
  WriteFile(Photo("d.gif"), "d.gif");
  ASSERT_EQ(RunCli(commit, m_dir.Path()).status, 0);  // renames d.gif only
  ASSERT_EQ(RunCli(commit, m_dir.Path()).status, 0);  // renames nothing
  // An undo of the last batch killed after its header and first line, the
  // file still under its new name; then one of the first batch killed
  // after renaming a back.
  std::ofstream(m_log, std::ios::app)
      << "December 08, 2026 at 16:05:40 (UNDO)\n"
      << Photo("T0003.gif") << " renamed back to " << Photo("d.gif") << "\n";
  const struct {
    std::string out;
    std::set<std::string> names;
  } steps[] = {
      {"T0003.gif -> d.gif\nOperations complete.\n",
       {"T0000.jpg", "T0001.jpg", "T0002.png", "d.gif"}},
      {"T0000.jpg -> a.jpg\nT0001.jpg -> b.jpg\nT0002.png -> c.png\nOperations complete.\n",
       {"a.jpg", "b.jpg", "c.png", "d.gif"}},
  };
  for (const auto& step : steps) {
    const Outcome undo = RunCli({"--undo-log", m_log}, m_dir.Path());
    EXPECT_EQ(undo.status, 0) << undo.err;
    EXPECT_EQ(undo.out, step.out);
    EXPECT_EQ(Names(m_photos), step.names);
  }
  for (const char* name : {"a.jpg", "b.jpg", "c.png", "d.gif"})
    EXPECT_EQ(ReadFile(Photo(name)), name);
  const Outcome done = RunCli({"--undo-log", m_log}, m_dir.Path());
  EXPECT_EQ(done.status, 1);
  EXPECT_EQ(done.err, "kalvenor-cli: Nothing to undo.\n");
}

TEST_F(CliTest, AnUndoKilledHalfWayIsFinishedByTheNextOne) {
  ASSERT_EQ(RunCli({"-b", "T", "-c", "-l", m_log, m_photos}, m_dir.Path()).status, 0);
  fs::rename(Photo("T0000.jpg"), Photo("a.jpg"));
  std::ofstream(m_log, std::ios::app)
      << "December 08, 2026 at 16:05:40 (UNDO)\n"
      << Photo("T0000.jpg") << " renamed back to " << Photo("a.jpg") << "\n"
      << Photo("T0001.jpg") << " renamed back to " << Photo("b.jpg") << "\n";
  const Outcome undo = RunCli({"--undo-log", m_log}, m_dir.Path());
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(undo.out, "T0001.jpg -> b.jpg\nT0002.png -> c.png\nOperations complete.\n");
  EXPECT_EQ(Names(m_photos), (std::set<std::string>{"a.jpg", "b.jpg", "c.png"}));
}

// A log someone else may write is refused; a pair naming a folder is not
// renamed back.
TEST_F(CliTest, UndoTrustsOnlyTheCallersLogAndRenamesBackOnlyFiles) {
  ASSERT_EQ(RunCli({"-b", "T", "-c", "-l", m_log, m_photos}, m_dir.Path()).status, 0);
  const struct {
    mode_t mode;
    uid_t owner;
    const char* why;
  } refused[] = {
      {0664, ::geteuid(), "users other than its owner may write to it"},
      {0646, ::geteuid(), "users other than its owner may write to it"},
      {0644, ::geteuid() + 1234, "it belongs to another user"},
  };
  for (const auto& c : refused) {
    if (c.owner != ::geteuid() && ::geteuid() != 0) continue;  // only root gives files away
    ASSERT_EQ(::chown(m_log.c_str(), c.owner, static_cast<gid_t>(-1)), 0);
    ASSERT_EQ(::chmod(m_log.c_str(), c.mode), 0);
    const Outcome run = RunCli({"--undo-log", m_log}, m_dir.Path());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "kalvenor-cli: refusing log file '" + m_log + "': " + c.why +
                           "; nothing was renamed\n");
    EXPECT_EQ(Names(m_photos), (std::set<std::string>{"T0000.jpg", "T0001.jpg", "T0002.png"}));
  }
  ASSERT_EQ(::chown(m_log.c_str(), ::geteuid(), static_cast<gid_t>(-1)), 0);
  ASSERT_EQ(::chmod(m_log.c_str(), 0644), 0);

  // A folder put where a file was renamed to stays where it is.
  fs::remove(Photo("T0000.jpg"));
  ASSERT_TRUE(fs::create_directory(Photo("T0000.jpg")));
  const Outcome undo = RunCli({"--undo-log", m_log}, m_dir.Path());
  EXPECT_EQ(undo.status, 3);
  EXPECT_EQ(undo.err, "kalvenor-cli: Rename error: access denied. ('" + Photo("T0000.jpg") +
                          "' -> '" + Photo("a.jpg") + "': Is a directory)\n");
  EXPECT_TRUE(fs::is_directory(Photo("T0000.jpg")));
  EXPECT_EQ(Names(m_photos), (std::set<std::string>{"T0000.jpg", "b.jpg", "c.png"}));

  // A commit that appends to a log an undo would refuse says so at once.
  ASSERT_EQ(::chmod(m_log.c_str(), 0664), 0);
  const Outcome warned = RunCli({"-b", "U", "-c", "-l", m_log, m_photos}, m_dir.Path());
  EXPECT_EQ(warned.status, 0);
  EXPECT_EQ(warned.err, "kalvenor-cli: This batch cannot be undone from log file " + m_log +
                            ": users other than its owner may write to it.\n");
}

TEST_F(CliTest, HistoryListsTheBatchesNewestFirst) {
  const std::vector<std::string> commit = {"-b", "T", "-c", "-l", m_log, m_photos};
  ASSERT_EQ(RunCli(commit, m_dir.Path()).status, 0);
  WriteFile(Photo("d.gif"), "d.gif");
  ASSERT_EQ(RunCli(commit, m_dir.Path()).status, 0);
  ASSERT_EQ(RunCli(commit, m_dir.Path()).status, 0);
  ASSERT_EQ(RunCli({"--undo-log", m_log}, m_dir.Path()).status, 0);  // d.gif back
  // An undo of the first batch that got as far as a.jpg.
  fs::rename(Photo("T0000.jpg"), Photo("a.jpg"));
  std::ofstream(m_log, std::ios::app)
      << "December 08, 2026 at 16:05:40 (UNDO)\n"
      << Photo("T0000.jpg") << " renamed back to " << Photo("a.jpg") << "\n";
  const Outcome run = RunCli({"--history", m_log}, m_dir.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> lines = Lines(run.out);
  const std::vector<std::string> expected = {"  0 files  renamed nothing",
                                             "  1 file  undone  " + m_photos + "/",
                                             "  3 files  partly undone  " + m_photos + "/"};
  ASSERT_EQ(lines.size(), expected.size()) << run.out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t stamp = std::string("December 08, 2026 at 16:02:17").size();
    EXPECT_TRUE(lines[i].size() > stamp && IsHeader(lines[i].substr(0, lines[i].find("  "))))
        << lines[i];
    EXPECT_TRUE(lines[i].ends_with(expected[i])) << lines[i];
  }
  EXPECT_EQ(RunCli({"--history", m_dir.Join("missing.log")}, m_dir.Path()).status, 2);
}

// A commit killed between the link and the unlink of a rename (on a file
// system without RENAME_NOREPLACE) left the file under both names: the
// undo removes the new name, and keeps the bytes under the old one.
TEST_F(CliTest, UndoRemovesTheSecondNameACutOffRenameLeft) {
  ASSERT_EQ(::link(Photo("a.jpg").c_str(), Photo("T0000.jpg").c_str()), 0);
  WriteFile(m_log, "December 08, 2026 at 16:02:17\n" + Photo("a.jpg") + " renamed to " +
                       Photo("T0000.jpg") + "\n");
  const Outcome history = RunCli({"--history", m_log}, m_dir.Path());
  EXPECT_NE(history.out.find("  1 file  done  "), std::string::npos) << history.out;
  const Outcome undo = RunCli({"--undo-log", m_log}, m_dir.Path());
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(undo.out, "T0000.jpg -> a.jpg\nOperations complete.\n");
  EXPECT_EQ(Names(m_photos), (std::set<std::string>{"a.jpg", "b.jpg", "c.png"}));
  EXPECT_EQ(ReadFile(Photo("a.jpg")), "a.jpg");
  EXPECT_EQ(RunCli({"--undo-log", m_log}, m_dir.Path()).status, 1);
}

// A batch's last line is written before its rename is tried: a file gone
// before that rename (neither name exists) is passed over; any other gone
// file is reported.
TEST_F(CliTest, UndoPassesOverALastFileThatVanishedBeforeItsRename) {
  fs::rename(Photo("a.jpg"), Photo("T0000.jpg"));
  fs::remove(Photo("b.jpg"));
  const std::string header = "December 08, 2026 at 16:02:17\n";
  const std::string lineA = Photo("a.jpg") + " renamed to " + Photo("T0000.jpg") + "\n";
  const std::string lineB = Photo("b.jpg") + " renamed to " + Photo("T0001.jpg") + "\n";
  const struct {
    std::string log;
    int status;
    std::string err;
  } cases[] = {
      {header + lineA + lineB, 0, ""},
      {header + lineB + lineA, 3,
       "kalvenor-cli: Rename error: file not found. ('" + Photo("T0001.jpg") + "' -> '" +
           Photo("b.jpg") + "': No such file or directory)\n"},
  };
  for (const auto& c : cases) {
    if (fs::exists(Photo("a.jpg"))) fs::rename(Photo("a.jpg"), Photo("T0000.jpg"));
    WriteFile(m_log, c.log);
    const Outcome undo = RunCli({"--undo-log", m_log}, m_dir.Path());
    EXPECT_EQ(undo.status, c.status) << undo.err;
    EXPECT_EQ(undo.err, c.err);
    EXPECT_EQ(Names(m_photos), (std::set<std::string>{"a.jpg", "c.png"}));
  }
}

TEST_F(CliTest, NothingToUndoAndUnreadableLogs) {
  WriteFile(m_log, "");
  Outcome run = RunCli({"--undo-log", m_log}, m_dir.Path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "kalvenor-cli: Nothing to undo.\n");

  run = RunCli({"--undo-log", m_dir.Join("missing.log")}, m_dir.Path());
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("cannot read log file"), std::string::npos) << run.err;

  run = RunCli({"--undo-log", m_photos}, m_dir.Path());  // a folder
  EXPECT_EQ(run.status, 2);

  // A batch with a line that is not ours: nothing is renamed, not even the good lines.
  fs::rename(Photo("a.jpg"), Photo("H0000.jpg"));
  WriteFile(m_log, "December 08, 2026 at 16:02:17\n" + Photo("a.jpg") + " renamed to " +
                       Photo("H0000.jpg") + "\nsomething else\n");
  run = RunCli({"--undo-log", m_log}, m_dir.Path());
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("line 3"), std::string::npos) << run.err;
  EXPECT_TRUE(fs::exists(Photo("H0000.jpg")));
}

TEST_F(CliTest, UndoOfAKilledBatchRenamesBackOnlyWhatWasRenamed) {
  // As a run killed after renaming a and c, with b's rename never done and
  // the line of the next file written but its rename not yet tried.
  fs::rename(Photo("a.jpg"), Photo("H0000.jpg"));
  fs::rename(Photo("c.png"), Photo("H0002.png"));
  WriteFile(Photo("d.gif"), "d");
  std::string log = "December 08, 2026 at 16:02:17\n";
  for (const auto& [from, to] :
       std::vector<std::pair<std::string, std::string>>{{"a.jpg", "H0000.jpg"},
                                                        {"b.jpg", "H0001.jpg"},
                                                        {"c.png", "H0002.png"},
                                                        {"d.gif", "H0003.gif"}})
    log += Photo(from) + " renamed to " + Photo(to) + "\n";
  WriteFile(m_log, log + Photo("e.tif") + " renamed to " + Photo("H00"));  // cut off mid-line

  const Outcome undo = RunCli({"--undo-log", m_log}, m_dir.Path());
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(undo.out, "H0000.jpg -> a.jpg\nH0002.png -> c.png\nOperations complete.\n");
  EXPECT_EQ(Names(m_photos), (std::set<std::string>{"a.jpg", "b.jpg", "c.png", "d.gif"}));
  EXPECT_EQ(ReadFile(Photo("c.png")), "c.png");

  // The undo's header went on a line of its own after the cut-off line, so
  // the batch now reads as undone.
  const Outcome again = RunCli({"--undo-log", m_log}, m_dir.Path());
  EXPECT_EQ(again.status, 1) << again.err;
  EXPECT_EQ(again.err, "kalvenor-cli: Nothing to undo.\n");
}

// The FIFO a test hands to the tool, for ReleaseFifo.
char fifoPath[4096];

// Opens and closes the FIFO for writing, so that a reader waiting in its
// open goes on (and then reads an empty log).
void ReleaseFifo(int) {
  const int fd = ::open(fifoPath, O_WRONLY | O_NONBLOCK);
  if (fd >= 0) ::close(fd);
}

TEST_F(CliTest, AnUndoLogThatIsNoPlainFileIsRefusedAtOnce) {
  ASSERT_EQ(::mkfifo(m_log.c_str(), 0644), 0);
  ASSERT_LT(m_log.size(), sizeof fifoPath);
  m_log.copy(fifoPath, m_log.size());
  fifoPath[m_log.size()] = '\0';
  // A tool that waits for a writer is released after a while, and fails.
  const auto saved = std::signal(SIGALRM, ReleaseFifo);
  ::alarm(5);
  const Outcome run = RunCli({"--undo-log", m_log}, m_dir.Path());
  ::alarm(0);
  std::signal(SIGALRM, saved);
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("cannot read log file"), std::string::npos) << run.err;
}

TEST_F(CliTest, OddNamesSurviveCommitAndUndo) {
  const std::vector<std::string> odd = {"x renamed to y.jpg", "two\nlines.jpg", "cr\r.jpg",
                                        "back\\slash.jpg", "latin1 \xe9\xff.jpg"};
  const std::string folder = m_dir.Join("odd renamed to odd");
  ASSERT_TRUE(fs::create_directory(folder));
  for (const std::string& name : odd) WriteFile(folder + "/" + name, name);

  const Outcome commit = RunCli({"-b", "Z", "-c", "-l", m_log, folder}, m_dir.Path());
  EXPECT_EQ(commit.status, 0) << commit.err;
  const std::vector<std::string> out = Lines(commit.out);
  ASSERT_EQ(out.size(), odd.size() + 1);  // each Results line stays one output line
  EXPECT_EQ(std::count(out.begin(), out.end(), "two\\nlines.jpg -> Z0003.jpg"), 1);
  EXPECT_EQ(std::count(out.begin(), out.end(), "back\\\\slash.jpg -> Z0000.jpg"), 1);
  EXPECT_EQ(Names(folder).size(), odd.size());
  EXPECT_EQ(Names(folder).count(odd[0]), 0u);

  const Outcome undo = RunCli({"--undo-log", m_log}, m_dir.Path());
  EXPECT_EQ(undo.status, 0) << undo.err;
  std::set<std::string> expected(odd.begin(), odd.end());
  EXPECT_EQ(Names(folder), expected);
  for (const std::string& name : odd) EXPECT_EQ(ReadFile(folder + "/" + name), name);
}

}  // namespace

// Real camera files (engine/testdata/camera, named after their capture
// times), under names that say nothing and with write times in the
// opposite order, are numbered in the order they were taken; the one
// without a capture time by its write time; a sidecar keeps its picture's
// number with --sets. Commit and undo as always.
TEST(CliPhotoTest, RealCameraPhotosAreNumberedInTheOrderTheyWereTaken) {
  const std::vector<std::string> byTime = {
      "2004-01-11-22-45-15-sep-2004-01-11-22-45-15a.jpg",
      "2008-06-02-10-03-57-sep-2008-06-02-10-03-57a.jpg",
      "2008-09-02-17-43-48-sep-2008-09-02-17-43-48a.jpg",
      "FailedHash-NoDate-sep-remembory.jpg",  // written 2010-01-01
      "2011-10-28-17-50-18-sep-2011-10-28-17-50-18a.jpg",
      "2011-10-28-18-25-43-sep-2011-10-28-18-25-43.jpg",
      "2012-12-21-11-15-19-sep-IMG_0001.jpg"};
  TempDir dir;
  const std::string folder = dir.Join("card");
  ASSERT_TRUE(fs::create_directory(folder));
  const char* const neutral[] = {"q", "d", "x", "a", "m", "b", "k"};
  for (std::size_t i = 0; i < byTime.size(); ++i) {
    const std::string name = std::string(neutral[i]) + ".jpg";
    WriteFile(folder + "/" + name,
              ReadFile(std::string(KALVENOR_CAMERA_SAMPLES) + "/" + byTime[i]));
    // Written in the opposite order, a day apart; the undated one in 2010.
    const time_t written = i == 3 ? 1262304000 : 1700000000 - static_cast<time_t>(i) * 86400;
    const timespec times[2] = {{written, 0}, {written, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (folder + "/" + name).c_str(), times, 0), 0);
  }
  WriteFile(folder + "/k.jpg.xmp", "<x:xmpmeta/>");
  const std::map<std::string, std::optional<std::string>> utc = {{"TZ", "UTC"}};
  const std::string log = dir.Join("card.log");
  const Outcome preview =
      RunCli({"-b", "Trip", "--prefix", "-s", "taken", "--sets", folder}, dir.Path(), utc);
  EXPECT_EQ(preview.status, 0) << preview.err;
  EXPECT_EQ(Lines(preview.out),
            (std::vector<std::string>{"q.jpg -> 0000Trip.jpg", "d.jpg -> 0001Trip.jpg",
                                      "x.jpg -> 0002Trip.jpg", "a.jpg -> 0003Trip.jpg",
                                      "m.jpg -> 0004Trip.jpg", "b.jpg -> 0005Trip.jpg",
                                      "k.jpg -> 0006Trip.jpg", "k.jpg.xmp -> 0006Trip.jpg.xmp",
                                      "Files without a capture time, ordered by their file time: 1",
                                      "Run again with --commit to do the above."}));
  const Outcome commit =
      RunCli({"-b", "Trip", "--prefix", "-s", "taken", "--sets", "-c", "-l", log, folder},
             dir.Path(), utc);
  EXPECT_EQ(commit.status, 0) << commit.err;
  EXPECT_EQ(ReadFile(folder + "/0006Trip.jpg.xmp"), "<x:xmpmeta/>");
  EXPECT_EQ(ReadFile(folder + "/0000Trip.jpg"),
            ReadFile(std::string(KALVENOR_CAMERA_SAMPLES) + "/" + byTime[0]));
  EXPECT_EQ(RunCli({"--undo-log", log}, dir.Path()).status, 0);
  EXPECT_EQ(Names(folder), (std::set<std::string>{"a.jpg", "b.jpg", "d.jpg", "k.jpg", "k.jpg.xmp",
                                                  "m.jpg", "q.jpg", "x.jpg"}));
}

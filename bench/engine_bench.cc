// Times a preview and a commit of 9,999 files against floors measured in
// the same run on the same folder:
//   preview floor: readdir + one fstatat per entry + a sort of the names;
//   commit floor:  per file one write(2) of its log line to an open log,
//                  then renameat2(RENAME_NOREPLACE) (the engine's commit is
//                  timed here with its log unsynced, one line per write).
// Then the durable commit (its log written ahead on the storage, a group of
// lines per sync, the folder synced at the end) against the commit as it
// was before (one write per line, nothing synced) and against the floor of
// a durable commit (every line in one write, one sync of the log and the
// folder at the end).
// Each is repeated and the median taken, of wall time and of the thread's
// CPU time (steadier when other programs share the machine). The preview's
// peak memory is measured in a fresh process (this program re-run with
// --preview-memory) as the growth of its maximum resident set across one
// preview. The folders: the arguments, else /var/tmp and /dev/shm.
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "file_system.h"
#include "log_format.h"
#include "rename_run.h"
#include "test_support.h"
#include "undo_last.h"

namespace {

using namespace kalvenor;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 9999;
constexpr int kRepeats = 11;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Wall time and this thread's CPU time (user + system) of one measurement:
// on a loaded machine the CPU time is the steadier of the two.
struct Sample {
  double wall = 0;
  double cpu = 0;
};

double ThreadCpu() {
  timespec ts{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

class Stopwatch {
 public:
  Stopwatch() : m_wall(Clock::now()), m_cpu(ThreadCpu()) {}
  Sample Stop() const { return {Seconds(Clock::now() - m_wall), ThreadCpu() - m_cpu}; }

 private:
  Clock::time_point m_wall;
  double m_cpu;
};

Sample Median(const std::vector<Sample>& samples) {
  std::vector<double> wall, cpu;
  for (const Sample& s : samples) {
    wall.push_back(s.wall);
    cpu.push_back(s.cpu);
  }
  return {bench::Median(wall), bench::Median(cpu)};
}

std::string FileName(int i) {
  char name[64];
  std::snprintf(name, sizeof name, "IMG_%05d holiday photo.jpg", i);
  return name;
}

void MakeFiles(const std::string& folder) {
  for (int i = 0; i < kFiles; ++i) {
    const int fd =
        ::open((folder + "/" + FileName(i)).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
      std::perror("create");
      std::exit(1);
    }
    ::close(fd);
  }
}

// readdir + fstatat + sort: what any preview must at least do.
Sample PreviewFloor(const std::string& folder) {
  const Stopwatch watch;
  const int dirfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* dir = ::fdopendir(::dup(dirfd));
  std::vector<std::string> names;
  while (const dirent* d = ::readdir(dir)) {
    if (d->d_type == DT_DIR) continue;
    struct stat st {};
    if (::fstatat(dirfd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    names.emplace_back(d->d_name);
  }
  ::closedir(dir);
  ::close(dirfd);
  std::sort(names.begin(), names.end());
  const Sample sample = watch.Stop();
  if (names.size() != static_cast<std::size_t>(kFiles))
    std::fprintf(stderr, "floor saw %zu\n", names.size());
  return sample;
}

// Every file of `folder` to be named Holiday with a number.
void AimAt(testing::RunBench& run, const std::string& folder) {
  run.options.folder = folder;
  run.options.baseName = "Holiday";
}

// A message means the measurement went wrong; shown once the timing is over.
void ShowMessages(const testing::RunBench& run) {
  for (const auto& [text, icon] : run.messages.shown)
    std::fprintf(stderr, "message: %s\n", text.c_str());
}

Sample Preview(const std::string& folder, std::size_t* lines) {
  PosixFileSystem fs;
  testing::RunBench run(fs);
  AimAt(run, folder);
  const Stopwatch watch;
  run.Run(false);
  const Sample sample = watch.Stop();
  *lines = run.results.lines.size();
  ShowMessages(run);
  return sample;
}

// Counts the syncs of the log.
class CountingSyncs : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  std::error_code SyncLog(const LogHandle& log) override {
    ++syncs;
    return FileSystemWrapper::SyncLog(log);
  }
  int syncs = 0;
};

// One commit with a log, timed; the undo that puts the names back is not.
// `*syncs` (when given) tells how often the log was synced.
Sample CommitAndUndo(const std::string& folder, const std::string& log, LogSync sync,
                     int* syncs = nullptr) {
  PosixFileSystem real;
  CountingSyncs fs(real);
  testing::RunBench run(fs);
  AimAt(run, folder);
  run.options.logPath = log;
  run.options.logSync = sync;
  const Stopwatch watch;
  run.Run(true);
  const Sample sample = watch.Stop();
  if (run.batch.Size() != static_cast<std::size_t>(kFiles)) {
    std::fprintf(stderr, "commit renamed %zu\n", run.batch.Size());
  }
  if (syncs != nullptr) *syncs = fs.syncs;
  UndoLastBatch(/*logPath=*/"", /*logRequired=*/false, run.ctx, run.batch);
  ShowMessages(run);
  return sample;
}

// The file system's name for what statfs tells of `path`.
const char* FileSystemName(const std::string& path) {
  struct statfs info {};
  if (::statfs(path.c_str(), &info) != 0) return "?";
  switch (static_cast<unsigned long>(info.f_type)) {
    case 0xEF53: return "ext4";
    case 0x01021994: return "tmpfs";
    case 0x58465342: return "xfs";
    case 0x9123683E: return "btrfs";
    case 0x65735546: return "fuse";
    default: return "other";
  }
}

// The same renames as bare system calls, each after its log line's write.
Sample CommitFloor(const std::string& folder, const std::string& log) {
  std::vector<std::string> from, to, lines;
  for (int i = 0; i < kFiles; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%04dHoliday.jpg", i + 1);
    from.push_back(FileName(i));
    to.push_back(name);
    lines.push_back(RenameLogLine(folder + "/" + from.back(), folder + "/" + to.back()));
  }
  const Stopwatch watch;
  const int dirfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const int logfd = ::open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  for (int i = 0; i < kFiles; ++i) {
    if (::write(logfd, lines[i].data(), lines[i].size()) < 0) std::perror("write");
    if (::syscall(SYS_renameat2, dirfd, from[i].c_str(), dirfd, to[i].c_str(), RENAME_NOREPLACE) !=
        0) {
      std::perror("renameat2");
    }
  }
  ::close(logfd);
  const Sample sample = watch.Stop();
  for (int i = 0; i < kFiles; ++i) ::renameat(dirfd, to[i].c_str(), dirfd, from[i].c_str());
  ::close(dirfd);
  return sample;
}

long MaxRssKb() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

int PreviewMemory(const std::string& folder) {
  const long before = MaxRssKb();
  std::size_t lines = 0;
  Preview(folder, &lines);
  const long after = MaxRssKb();
  std::printf("%ld %ld\n", before, after);
  return 0;
}

// Runs this program again in a fresh process for the memory figure.
bool MeasurePreviewMemory(const std::string& self, const std::string& folder, long* before,
                          long* after) {
  const std::string command = "'" + self + "' --preview-memory '" + folder + "'";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return false;
  const bool ok = std::fscanf(pipe, "%ld %ld", before, after) == 2;
  ::pclose(pipe);
  return ok;
}

void RunOn(const std::string& base, const std::string& self) {
  std::optional<testing::TempDir> temp;
  try {
    temp.emplace("kalvenor-bench-", base);
  } catch (const std::runtime_error&) {
    std::printf("%s: cannot create a folder, skipped\n", base.c_str());
    return;
  }
  const std::string root = temp->Path();
  const std::string folder = root + "/photos";
  const std::string log = root + "/rename.log";
  ::mkdir(folder.c_str(), 0755);
  MakeFiles(folder);

  std::vector<Sample> previewFloor, preview, commitFloor, commit, unsynced, durable, atEnd;
  std::size_t lines = 0;
  int syncs = 0;
  PreviewFloor(folder);  // warm the caches once
  Preview(folder, &lines);
  for (int r = 0; r < kRepeats; ++r) {
    previewFloor.push_back(PreviewFloor(folder));
    preview.push_back(Preview(folder, &lines));
    commitFloor.push_back(CommitFloor(folder, log));
    commit.push_back(CommitAndUndo(folder, log, LogSync::Never));
    // The three ways of syncing, in turn, so that a slow spell of the
    // machine falls on all of them alike.
    unsynced.push_back(CommitAndUndo(folder, log, LogSync::Never));
    durable.push_back(CommitAndUndo(folder, log, LogSync::WriteAhead, &syncs));
    atEnd.push_back(CommitAndUndo(folder, log, LogSync::AtEndOnly));
  }
  long before = 0, after = 0;
  const bool memory = MeasurePreviewMemory(self, folder, &before, &after);

  const Sample pf = Median(previewFloor), p = Median(preview);
  const Sample cf = Median(commitFloor), c = Median(commit);
  std::printf("%s, %s (%d files, median of %d; wall time, then thread CPU time):\n", base.c_str(),
              FileSystemName(base), kFiles, kRepeats);
  std::printf(
      "  preview %7.2f ms  floor %7.2f ms  ratio %.2f | cpu %7.2f / %7.2f ms  ratio %.2f  (goal 1.5, %zu lines)\n",
      p.wall * 1e3, pf.wall * 1e3, p.wall / pf.wall, p.cpu * 1e3, pf.cpu * 1e3, p.cpu / pf.cpu,
      lines);
  std::printf(
      "  commit  %7.2f ms  floor %7.2f ms  ratio %.2f | cpu %7.2f / %7.2f ms  ratio %.2f  (goal 1.2)\n",
      c.wall * 1e3, cf.wall * 1e3, c.wall / cf.wall, c.cpu * 1e3, cf.cpu * 1e3, c.cpu / cf.cpu);
  const Sample b = Median(unsynced), d = Median(durable), e = Median(atEnd);
  std::printf(
      "  durable commit %7.2f ms (%d syncs of the log) | as before %7.2f ms  ratio %.2f (goal "
      "1.3) | synced once at the end %7.2f ms  ratio %.2f\n",
      d.wall * 1e3, syncs, b.wall * 1e3, d.wall / b.wall, e.wall * 1e3, d.wall / e.wall);
  std::printf(
      "                 cpu %7.2f ms                   | cpu %7.2f ms  ratio %.2f          | "
      "cpu %7.2f ms  ratio %.2f\n",
      d.cpu * 1e3, b.cpu * 1e3, d.cpu / b.cpu, e.cpu * 1e3, d.cpu / e.cpu);
  if (memory) {
    std::printf(
        "  preview peak memory: +%.2f MB over a fresh process (max RSS %ld -> %ld kB; goal < 10 MB)\n",
        static_cast<double>(after - before) / 1024.0, before, after);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--preview-memory") == 0) return PreviewMemory(argv[2]);
  char self[4096];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return 1;
  self[n] = '\0';
  std::vector<std::string> bases(argv + 1, argv + argc);
  if (bases.empty()) bases = {"/var/tmp", "/dev/shm"};
  for (const std::string& base : bases) RunOn(base, self);
  return 0;
}

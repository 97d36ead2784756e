#include "capture_times.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "capture_time_reader.h"

namespace kalvenor {
namespace {

// How often the caller's thread reports progress and looks for a stop.
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

std::optional<CaptureTime> CaptureTimeOf(FileSystem& fs, const FolderHandle& folder,
                                         const FileEntry& entry, ExifReader& exif,
                                         std::string& buffer) {
  try {
    HeldFileBytes file(fs, folder, entry.name, buffer);
    const std::optional<std::string_view> start = file.ReadStart();
    if (!start) return std::nullopt;
    return ReadCaptureTime(file, *start, exif);
  } catch (const std::exception&) {
    // Out of memory for one file's bytes: that file keeps its write time.
    return std::nullopt;
  }
}

}  // namespace

TakenTimes ReadTakenTimes(const std::vector<FileEntry*>& files, const FolderHandle& folder,
                          const RenameContext& ctx, ExifReader& exif) {
  if (files.empty()) return {};
  FileSystem& fs = ctx.fs;
  std::atomic<std::size_t> next{0}, done{0}, untimed{0};
  std::atomic<bool> stop{false};
  const auto work = [&] {
    std::string buffer;  // each file's first bytes, in memory kept from file to file
    // A file taken is always read, so that after a stop exactly the files
    // from `next` on are unread.
    while (!stop.load()) {
      const std::size_t i = next.fetch_add(1);
      if (i >= files.size()) return;
      FileEntry& entry = *files[i];
      if (const std::optional<CaptureTime> time = CaptureTimeOf(fs, folder, entry, exif, buffer)) {
        entry.taken = TakenKey(*time, fs);
      } else {
        entry.taken = TakenKeyOfFileTime(entry.time, fs);
        untimed.fetch_add(1);
      }
      done.fetch_add(1);
    }
  };

  const std::size_t threads = std::min(kCaptureReadThreads, files.size());
  std::mutex mutex;
  std::condition_variable finished;
  std::size_t running = threads;
  std::vector<std::thread> pool;
  pool.reserve(threads);
  for (std::size_t t = 0; t < threads; ++t) {
    pool.emplace_back([&] {
      work();
      const std::lock_guard lock(mutex);
      --running;
      finished.notify_one();
    });
  }
  {
    std::unique_lock lock(mutex);
    while (!finished.wait_for(lock, kProgressInterval, [&] { return running == 0; })) {
      lock.unlock();
      ctx.Advance(done.load(), files.size());
      if (ctx.StopRequested()) stop.store(true);
      lock.lock();
    }
  }
  for (std::thread& thread : pool) thread.join();

  TakenTimes result;
  result.withoutCaptureTime = untimed.load();
  if (stop.load()) {
    result.stopped = true;
    for (std::size_t i = std::min(next.load(), files.size()); i < files.size(); ++i) {
      files[i]->taken = TakenKeyOfFileTime(files[i]->time, fs);
      ++result.withoutCaptureTime;
    }
  }
  ctx.Advance(done.load(), files.size());
  return result;
}

}  // namespace kalvenor

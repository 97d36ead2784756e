// For tests of the folder tree and the form on a slow file system: the real
// file system, but with calls held at a gate until the test opens it, and
// folders that cannot be opened. Held calls wait on whatever thread made
// them.
#pragma once

#include <QTest>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>

#include "cause.h"
#include "file_system.h"

namespace kalvenor::testing {

// A held call lets itself through after this long, so that a test that
// forgets to release it fails instead of hanging.
inline constexpr std::chrono::milliseconds kSelfRelease{20000};

// The real file system, but for calls held at a gate until Release(), and
// folders that cannot be opened.
class GatedFileSystem : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;

  // Holds every OpenFolder (of `path` only, when given) from now on.
  void HoldFolders(const std::string& path = std::string()) {
    const std::lock_guard lock(m_mutex);
    m_holdFolders = true;
    m_heldPath = path;
    m_open = false;
  }
  // Holds every Stat as well.
  void HoldStats() {
    const std::lock_guard lock(m_mutex);
    m_holdStats = true;
    m_open = false;
  }
  // Lets every held call, and every later one, through.
  void Release() {
    {
      const std::lock_guard lock(m_mutex);
      m_open = true;
      m_holdFolders = m_holdStats = false;
    }
    m_changed.notify_all();
  }
  void Fail(const std::string& path) {
    const std::lock_guard lock(m_mutex);
    m_failing.insert(path);
  }
  // How many calls wait at the gate now.
  int Held() {
    const std::lock_guard lock(m_mutex);
    return m_held;
  }
  // Turns the event loop (which may start the read) until a call waits at
  // the gate; false when none came.
  bool WaitUntilHeld() {
    return QTest::qWaitFor([this] { return Held() > 0; }, static_cast<int>(kSelfRelease.count()));
  }

  kalvenor::FolderHandle OpenFolder(const std::string& path, std::error_code* error) override {
    {
      std::unique_lock lock(m_mutex);
      if (m_holdFolders && (m_heldPath.empty() || path == m_heldPath)) Wait(lock);
      if (m_failing.count(path) != 0) {
        *error = kalvenor::ErrorFromErrno(EACCES);
        return {};
      }
    }
    return FileSystemWrapper::OpenFolder(path, error);
  }
  std::error_code Stat(const std::string& path, bool followLinks,
                       kalvenor::PathStat* stat) override {
    {
      std::unique_lock lock(m_mutex);
      if (m_holdStats) Wait(lock);
    }
    return FileSystemWrapper::Stat(path, followLinks, stat);
  }

 private:
  void Wait(std::unique_lock<std::mutex>& lock) {
    ++m_held;
    m_changed.notify_all();
    m_changed.wait_for(lock, kSelfRelease, [this] { return m_open; });
    --m_held;
  }

  std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_holdFolders = false;
  bool m_holdStats = false;
  bool m_open = true;
  std::string m_heldPath;
  std::set<std::string> m_failing;
  int m_held = 0;
};

}  // namespace kalvenor::testing

// One piece of the folder tree's disk work, run on a worker thread, and its
// result handed back to the thread that asked for it.
//
// The work may touch nothing but a FileSystem and data of its own (copies;
// never the namespace, the model or a collator someone else uses), since it
// runs on a thread of the pool. Its result is taken once, on the asking
// thread: by waiting for it a short while (WaitFor), or with Take() once
// `arrived` has run there through a queued call. Dropping every handle drops
// the result; the work itself always runs to its end. `context` must live
// until the work has ended: its owner waits for the pool
// (QThreadPool::waitForDone) before it goes, and before the FileSystem goes.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThreadPool>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

template <typename Result>
class BackgroundRead {
  struct Private {};

 public:
  explicit BackgroundRead(Private /*onlyStart*/) {}

  // Runs `work` on `pool`; then `arrived` on `context`'s thread, unless
  // `context` is gone by then.
  static std::shared_ptr<BackgroundRead> Start(QThreadPool& pool, QObject* context,
                                               std::function<Result()> work,
                                               std::function<void()> arrived) {
    auto read = std::make_shared<BackgroundRead>(Private{});
    pool.start([read, context, work = std::move(work), arrived = std::move(arrived)] {
      Result result = work();
      {
        const std::lock_guard lock(read->m_mutex);
        read->m_result = std::move(result);
        read->m_done = true;
      }
      read->m_ended.notify_all();
      QMetaObject::invokeMethod(context, arrived, Qt::QueuedConnection);
    });
    return read;
  }

  // The result when the work ends within `budget` and nobody took it yet;
  // nullopt otherwise. Blocks the calling thread for at most `budget`.
  std::optional<Result> WaitFor(std::chrono::milliseconds budget) {
    std::unique_lock lock(m_mutex);
    m_ended.wait_for(lock, budget, [this] { return m_done; });
    return TakeLocked();
  }

  // The result when the work has ended and nobody took it yet; nullopt
  // otherwise.
  std::optional<Result> Take() {
    const std::lock_guard lock(m_mutex);
    return TakeLocked();
  }

 private:
  std::optional<Result> TakeLocked() {
    if (!m_done || m_taken) return std::nullopt;
    m_taken = true;
    return std::move(m_result);
  }

  std::mutex m_mutex;
  std::condition_variable m_ended;
  bool m_done = false;
  bool m_taken = false;
  std::optional<Result> m_result;
};

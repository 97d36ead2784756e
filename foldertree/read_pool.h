// Disk work that must not hold up the window (a folder's listing, a path
// test, the read of a log) runs on threads of a ReadPool, and its result
// comes back on the thread of a context object through a QFutureWatcher.
// The asking thread never waits for it.
//
// Work may be given up at any time. Its result is dropped when its context
// has gone or the pool has; a future cancelled before its work started
// never starts it. What cannot be given up is a call already blocked in the
// kernel: a read of a hung network share may not return for minutes, or
// ever. So a pool never joins its threads when it goes: while work still
// runs, the pool is left behind on purpose (leaked, with its threads) rather
// than have the window's close wait for the share. Whoever owns the
// FileSystem that such work reads through keeps it until WorkRunning() is
// zero, or for the rest of the process.
//
// In Qt 6.4 the continuation of QFuture::then(context, ...) reaches its
// context through a QPointer read on the worker thread, which races with the
// context being deleted on its own thread; a QFutureWatcher is disconnected
// from the future under the future's own lock, so it has no such race.
#pragma once

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <memory>
#include <type_traits>
#include <utility>

class QThreadPool;

class ReadPool {
 public:
  // A pool of at most `threads` threads, kept while work comes.
  explicit ReadPool(int threads);
  // Drops the results of all work in flight and returns at once; see above.
  ~ReadPool();
  ReadPool(const ReadPool&) = delete;
  ReadPool& operator=(const ReadPool&) = delete;

  // Runs `work` on one of the pool's threads, then `arrived(result)` on
  // `context`'s thread, unless `context` or the pool has gone by then or the
  // returned future was cancelled. `work` is disk work only: it may touch
  // nothing but a FileSystem (which must outlive it, see above) and data of
  // its own, never objects of the asking thread. Its result must be
  // default-constructible and copyable.
  template <typename Work, typename Arrived>
  QFuture<std::invoke_result_t<Work&>> Run(QObject* context, Work work, Arrived arrived);

  // Pieces of work that are being carried out now, in every pool of the
  // process (work that was given up included), and other work counted with
  // CountedWork.
  static int WorkRunning();

  // Counts one piece of work as running for its lifetime: for work run
  // outside a ReadPool that may be left behind the same way.
  class CountedWork {
   public:
    CountedWork();
    ~CountedWork();
    CountedWork(const CountedWork&) = delete;
    CountedWork& operator=(const CountedWork&) = delete;
  };
  // Results not yet delivered or dropped, in every pool of the process:
  // zero once everything asked for has come back. For tests.
  static int Outstanding();

 private:
  // Counts one result as outstanding until the last copy goes.
  static std::shared_ptr<void> OutstandingToken();

  QThreadPool* m_threads;
  // Set when the pool goes; work that starts later does nothing.
  std::shared_ptr<std::atomic<bool>> m_abandoned;
};

template <typename Work, typename Arrived>
QFuture<std::invoke_result_t<Work&>> ReadPool::Run(QObject* context, Work work, Arrived arrived) {
  using Result = std::invoke_result_t<Work&>;
  QFuture<Result> future =
      QtConcurrent::run(m_threads, [abandoned = m_abandoned, work = std::move(work)]() mutable {
        const CountedWork running;
        // The abandoned flag is read after the work counts as running, so
        // that the file system's owner, which looks at WorkRunning() after
        // the pool went, either sees this work or this work sees the flag.
        if (abandoned->load()) return Result();
        return work();
      });
  auto* watcher = new QFutureWatcher<Result>(context);
  QObject::connect(watcher, &QFutureWatcherBase::finished, watcher,
                   [watcher, abandoned = m_abandoned, arrived = std::move(arrived),
                    token = OutstandingToken()]() mutable {
                     watcher->deleteLater();
                     if (abandoned->load() || watcher->isCanceled()) return;
                     arrived(watcher->result());
                   });
  watcher->setFuture(future);
  return future;
}

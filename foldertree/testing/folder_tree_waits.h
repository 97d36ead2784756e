// For callers that must see the end of what the folder tree started on its
// worker threads (tests, benchmarks): waits, turning the event loop, until
// the walk of Populate has ended, until no folder is being read, or until
// every piece of disk work asked of any ReadPool has come back. Each gives
// false when `timeout` passed first; the timeout only guards against a hang
// and says nothing about how fast the tree is.
#pragma once

#include <QTest>
#include <chrono>

#include "folder_tree.h"
#include "folder_tree_model.h"
#include "read_pool.h"

inline constexpr std::chrono::milliseconds kTreeWaitLimit{60000};

inline bool WaitUntilPopulated(FolderTree& tree,
                               std::chrono::milliseconds timeout = kTreeWaitLimit) {
  return QTest::qWaitFor([&tree] { return !tree.IsPopulating(); },
                         static_cast<int>(timeout.count()));
}

inline bool WaitUntilRead(FolderTree& tree, std::chrono::milliseconds timeout = kTreeWaitLimit) {
  return QTest::qWaitFor([&tree] { return !tree.FolderModel()->IsReading(); },
                         static_cast<int>(timeout.count()));
}

// Also waits until no work runs any more, so that a file system the work
// read through may go.
inline bool WaitUntilNoDiskWork(std::chrono::milliseconds timeout = kTreeWaitLimit) {
  return QTest::qWaitFor(
      [] { return ReadPool::Outstanding() == 0 && ReadPool::WorkRunning() == 0; },
      static_cast<int>(timeout.count()));
}

// For callers that must see the end of what the folder tree started on its
// worker threads (tests, benchmarks): waits, turning the event loop, until
// the walk of Populate has ended, or until no folder is being read. Each
// gives false when `timeout` passed first; the timeout only guards against a
// hang and says nothing about how fast the tree is.
#pragma once

#include <QEventLoop>
#include <QTimer>
#include <chrono>

#include "folder_tree.h"
#include "folder_tree_model.h"

inline constexpr std::chrono::milliseconds kTreeWaitLimit{60000};

inline bool WaitUntilPopulated(FolderTree& tree,
                               std::chrono::milliseconds timeout = kTreeWaitLimit) {
  if (!tree.IsPopulating()) return true;
  QEventLoop loop;
  QObject::connect(&tree, &FolderTree::populated, &loop, &QEventLoop::quit);
  QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
  loop.exec();
  return !tree.IsPopulating();
}

inline bool WaitUntilRead(FolderTree& tree, std::chrono::milliseconds timeout = kTreeWaitLimit) {
  FolderTreeModel& model = *tree.FolderModel();
  if (!model.IsReading()) return true;
  QEventLoop loop;
  QObject::connect(&model, &FolderTreeModel::folderRead, &loop, [&] {
    if (!model.IsReading()) loop.quit();
  });
  QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
  loop.exec();
  return !model.IsReading();
}

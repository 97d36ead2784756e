#include "read_pool.h"

#include <QThreadPool>

namespace {

std::atomic<int> workRunning{0};
std::atomic<int> outstanding{0};

}  // namespace

ReadPool::CountedWork::CountedWork() { ++workRunning; }

ReadPool::CountedWork::~CountedWork() { --workRunning; }

std::shared_ptr<void> ReadPool::OutstandingToken() {
  ++outstanding;
  return std::shared_ptr<void>(nullptr, [](void*) { --outstanding; });
}

int ReadPool::WorkRunning() { return workRunning.load(); }

int ReadPool::Outstanding() { return outstanding.load(); }

ReadPool::ReadPool(int threads)
    : m_threads(new QThreadPool), m_abandoned(std::make_shared<std::atomic<bool>>(false)) {
  m_threads->setMaxThreadCount(threads);
}

ReadPool::~ReadPool() {
  m_abandoned->store(true);
  // Idle threads are joined at once. A thread still at work may be blocked
  // in the kernel for good; the pool is then deliberately left behind with
  // it (never deleted, which would join it), and its threads end on their
  // own once their work returns, if it ever does.
  if (m_threads->activeThreadCount() == 0) delete m_threads;
}

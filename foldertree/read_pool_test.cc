// The read pool: results come back on the asking thread through its event
// loop, never inside Run; results whose context, future or pool went are
// dropped; and a pool whose work is blocked goes at once, leaving the work
// to end on its own.
#include "read_pool.h"

#include <gtest/gtest.h>

#include <QSemaphore>
#include <QTest>
#include <QThread>
#include <atomic>
#include <memory>
#include <vector>

#include "folder_tree_waits.h"

namespace {

// Work that waits at the gate until the test opens it (or 20 s pass, which
// fails the test through Held()).
struct Gate {
  QSemaphore entered;
  QSemaphore open;
  bool Pass() {
    entered.release();
    return open.tryAcquire(1, 20000);
  }
};

TEST(ReadPoolTest, ResultsComeBackOnTheAskingThreadOrAreDropped) {
  enum class Meanwhile { Nothing, ContextGoes, FutureCancelled, PoolGoes };
  for (const Meanwhile meanwhile : {Meanwhile::Nothing, Meanwhile::ContextGoes,
                                    Meanwhile::FutureCancelled, Meanwhile::PoolGoes}) {
    SCOPED_TRACE(static_cast<int>(meanwhile));
    auto pool = std::make_unique<ReadPool>(1);
    auto context = std::make_unique<QObject>();
    Gate gate;
    std::vector<QThread*> arrivedOn;
    std::atomic<bool> workRan{false};
    // The first piece holds the pool's one thread, so that the second is
    // still waiting to start when the test acts.
    pool->Run(
        context.get(), [&gate] { return gate.Pass(); }, [](bool) {});
    QFuture<int> second = pool->Run(
        context.get(),
        [&workRan] {
          workRan = true;
          return 42;
        },
        [&arrivedOn](int result) {
          EXPECT_EQ(result, 42);
          arrivedOn.push_back(QThread::currentThread());
        });
    ASSERT_TRUE(gate.entered.tryAcquire(1, 20000));
    switch (meanwhile) {
      case Meanwhile::Nothing: break;
      case Meanwhile::ContextGoes: context.reset(); break;
      case Meanwhile::FutureCancelled: second.cancel(); break;
      case Meanwhile::PoolGoes: pool.reset(); break;
    }
    gate.open.release();
    ASSERT_TRUE(WaitUntilNoDiskWork());
    // Whose context went has no result to wait for: its work may start only
    // now.
    if (meanwhile == Meanwhile::ContextGoes) {
      ASSERT_TRUE(QTest::qWaitFor([&workRan] { return workRan.load(); }, 20000));
    }
    if (meanwhile == Meanwhile::Nothing) {
      EXPECT_EQ(arrivedOn, std::vector<QThread*>{QThread::currentThread()});
    } else {
      EXPECT_TRUE(arrivedOn.empty());
    }
    // Work not yet started never starts once cancelled, or once its pool
    // went; work whose context went still runs, as nobody cancelled it.
    EXPECT_EQ(workRan.load(),
              meanwhile == Meanwhile::Nothing || meanwhile == Meanwhile::ContextGoes);
  }
}

TEST(ReadPoolTest, AResultIsNeverDeliveredInsideRun) {
  ReadPool pool(2);
  QObject context;
  int arrived = 0;
  for (int i = 0; i < 20; ++i) {
    pool.Run(
        &context, [] { return 1; }, [&arrived](int one) { arrived += one; });
    EXPECT_EQ(arrived, 0) << i;  // however fast the work was
  }
  ASSERT_TRUE(WaitUntilNoDiskWork());
  EXPECT_EQ(arrived, 20);
}

TEST(ReadPoolTest, APoolWhoseWorkIsBlockedGoesAtOnce) {
  Gate gate;
  QObject context;
  bool arrived = false;
  {
    ReadPool pool(1);
    pool.Run(
        &context, [&gate] { return gate.Pass(); }, [&arrived](bool) { arrived = true; });
    ASSERT_TRUE(gate.entered.tryAcquire(1, 20000));
  }  // had this joined the blocked thread, the gate would have timed out first
  EXPECT_EQ(gate.open.available(), 0);
  EXPECT_EQ(ReadPool::WorkRunning(), 1);  // still blocked, and counted
  gate.open.release();
  ASSERT_TRUE(WaitUntilNoDiskWork());
  EXPECT_FALSE(arrived);
}

}  // namespace

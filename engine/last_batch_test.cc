#include "last_batch.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace kalvenor {
namespace {

// What a batch holds, kept as plain vectors.
struct Lists {
  std::vector<std::string> oldPaths, newPaths, leftovers;
};

void ExpectHolds(const LastBatch& batch, const Lists& lists) {
  EXPECT_EQ(batch.OldPaths(), lists.oldPaths);
  EXPECT_EQ(batch.NewPaths(), lists.newPaths);
  EXPECT_EQ(batch.Leftovers(), lists.leftovers);
  EXPECT_EQ(batch.Size(), lists.oldPaths.size());
  EXPECT_EQ(batch.Empty(), lists.oldPaths.empty());
}

// Copies share their paths, yet every copy behaves as a value of its own:
// random changes, copies and moves among three batches always leave each
// one holding exactly what was done to it.
TEST(LastBatchTest, CopiesStayApartWhateverIsDoneToThem) {
  std::mt19937 random(7);
  std::array<LastBatch, 3> batches;
  std::array<Lists, 3> lists;
  for (int step = 0; step < 2000; ++step) {
    const std::size_t i = random() % 3, j = random() % 3;
    const std::string path = "/p/" + std::to_string(step);
    switch (random() % 6) {
      case 0:
        batches[i].Add(path, path + "n");
        lists[i].oldPaths.push_back(path);
        lists[i].newPaths.push_back(path + "n");
        break;
      case 1:
        batches[i].AddLeftover(path);
        lists[i].leftovers.push_back(path);
        break;
      case 2:
        if (random() % 4 == 0) {
          batches[i].Clear();
          lists[i] = {};
        }
        break;
      case 3:
        batches[i] = batches[j];
        lists[i] = lists[j];
        break;
      case 4:
        if (i != j) {
          batches[i] = std::move(batches[j]);
          lists[i] = std::move(lists[j]);
          batches[j].Clear();
          lists[j] = {};
        }
        break;
      default: {
        const LastBatch copy = batches[i];  // goes again at once
        (void)copy;
      }
    }
    for (std::size_t k = 0; k < 3; ++k) ExpectHolds(batches[k], lists[k]);
  }
}

// A copy handed to another thread is changed there while the original is
// read here (the form's record going to its worker and back).
TEST(LastBatchTest, ACopyChangesOnAnotherThreadWhileTheOriginalIsRead) {
  LastBatch original;
  for (int i = 0; i < 1000; ++i) original.Add("/a/" + std::to_string(i), "/b/" + std::to_string(i));
  LastBatch copy = original;
  std::thread worker([&copy] {
    for (int i = 0; i < 1000; ++i) copy.AddLeftover("/c/" + std::to_string(i));
    copy.Clear();
  });
  std::size_t read = 0;
  for (int round = 0; round < 100; ++round) read += original.NewPaths().size();
  worker.join();
  EXPECT_EQ(read, 100u * 1000u);
  EXPECT_TRUE(original.Leftovers().empty());
  EXPECT_TRUE(copy.Empty());
}

}  // namespace
}  // namespace kalvenor

// The folder tree on a slow file system: folder reads held at a gate that
// the test opens, so that every step is seen in a known order. The tree
// never waits for a read: not while it works, nor when it is cleared or
// goes.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "file_system.h"
#include "folder_tree.h"
#include "folder_tree_model.h"
#include "folder_tree_waits.h"
#include "gated_file_system.h"
#include "posix_file_system.h"
#include "shell_namespace.h"
#include "test_home.h"

namespace {

using kalvenor::testing::GatedFileSystem;
using kalvenor::testing::kSelfRelease;
using kalvenor::testing::MakeFolders;
using kalvenor::testing::MakeTempFolder;
using kalvenor::testing::TestHome;
using std::chrono::milliseconds;

// Turns the event loop until a timer has fired `count` times. A tree that
// read on its own thread would not let the timer fire while a read is held.
bool TimerFires(int count) {
  QEventLoop loop;
  QTimer timer;
  int fired = 0;
  QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
    if (++fired >= count) loop.quit();
  });
  QTimer::singleShot(kSelfRelease / 2, &loop, &QEventLoop::quit);
  timer.start(1);
  loop.exec();
  return fired >= count;
}

// Every row under `parent` that tells how the tree stands, depth first:
// its depth, label, and whether it is expanded, selectable and current.
// Rows outside the test's home folder count only when expanded or current,
// since other tests add folders there (in /tmp) while this one runs.
QStringList Rows(const FolderTree& tree, const QModelIndex& parent = QModelIndex(), int depth = 0) {
  QStringList rows;
  const QAbstractItemModel& model = *tree.model();
  const QByteArray home = QByteArray::fromStdString(TestHome() + "/");
  for (int row = 0; row < model.rowCount(parent); ++row) {
    const QModelIndex child = model.index(row, 0, parent);
    const bool inHome =
        child.data(FolderTreeModel::kParsingNameRole).toByteArray().startsWith(home);
    if (!inHome && !tree.isExpanded(child) && tree.currentIndex() != child) continue;
    rows << QStringLiteral("%1%2%3%4%5")
                .arg(QString(depth, QLatin1Char(' ')), child.data().toString(),
                     tree.isExpanded(child) ? QStringLiteral(" open") : QString(),
                     (model.flags(child) & Qt::ItemIsSelectable) ? QString()
                                                                 : QStringLiteral(" unselectable"),
                     tree.currentIndex() == child ? QStringLiteral(" current") : QString());
    rows << Rows(tree, child, depth + 1);
  }
  return rows;
}

QStringList Labels(const QAbstractItemModel& model, const QModelIndex& parent) {
  QStringList labels;
  for (int row = 0; row < model.rowCount(parent); ++row) {
    labels << model.index(row, 0, parent).data().toString();
  }
  return labels;
}

class FolderTreeAsyncTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_base = MakeTempFolder(TestHome(), "async");
    for (const char* name : {"b10", "B2", "a", ".dot", "b1/inner"})
      MakeFolders(m_base + "/" + name);
    MakeTempTree();
  }
  void TearDown() override {
    // The tree never waits for its reads; they are let go and waited for
    // here, before the file system they read through goes.
    m_fs.Release();
    ASSERT_TRUE(WaitUntilNoDiskWork());
    std::filesystem::remove_all(m_base);
  }

  void MakeTempTree() {
    m_tree = std::make_unique<FolderTree>(m_fs);
    m_tree->resize(300, 400);
    QObject::connect(m_tree.get(), &FolderTree::folderSelected, m_tree.get(),
                     [this](const std::string& path) { m_announced.push_back(path); });
  }
  FolderTreeModel& Model() { return *m_tree->FolderModel(); }
  // Lets every read in flight end and its result come back (or be dropped).
  void Drain() {
    ASSERT_TRUE(WaitUntilNoDiskWork());
    ASSERT_TRUE(TimerFires(2));
  }
  void Populate(const std::string& path) {
    m_tree->Populate(path);
    ASSERT_TRUE(WaitUntilPopulated(*m_tree)) << path;
  }
  // The subfolders of `path` as a tree on the unhindered file system shows
  // them.
  QStringList FastLabels(const std::string& path) {
    FolderTree tree(m_posix);
    tree.Populate(path);
    EXPECT_TRUE(WaitUntilPopulated(tree));
    tree.FolderModel()->fetchMore(tree.currentIndex());
    EXPECT_TRUE(WaitUntilRead(tree));
    return Labels(*tree.model(), tree.currentIndex());
  }
  // Populate on the unhindered file system: the rows and what was announced.
  std::pair<QStringList, std::vector<std::string>> FastPopulate(const std::string& path) {
    FolderTree tree(m_posix);
    std::vector<std::string> announced;
    QObject::connect(&tree, &FolderTree::folderSelected, &tree,
                     [&](const std::string& folder) { announced.push_back(folder); });
    tree.Populate(path);
    EXPECT_TRUE(WaitUntilPopulated(tree));
    return {Rows(tree), announced};
  }

  std::string m_base;
  std::vector<std::string> m_announced;
  kalvenor::PosixFileSystem m_posix;
  GatedFileSystem m_fs{m_posix};
  std::unique_ptr<FolderTree> m_tree;
};

TEST_F(FolderTreeAsyncTest, SlowFolderShowsABusyRowWhileTheWindowTurnsThenItsSubfolders) {
  const QStringList fast = FastLabels(m_base);
  ASSERT_EQ(fast, (QStringList{".dot", "a", "b1", "B2", "b10"}));
  Populate(m_base);
  const QModelIndex base = m_tree->currentIndex();
  ASSERT_EQ(m_announced, std::vector<std::string>{m_base});

  m_fs.HoldFolders(m_base);
  QSignalSpy read(&Model(), &FolderTreeModel::folderRead);
  m_tree->expand(base);
  m_tree->grab();  // lays out, which reads what is expanded
  ASSERT_TRUE(m_fs.WaitUntilHeld());
  EXPECT_TRUE(Model().IsReading(base));
  EXPECT_EQ(Model().rowCount(base), 0);  // until the read has taken a while
  ASSERT_TRUE(QTest::qWaitFor([&] { return Model().rowCount(base) == 1; }));
  const QModelIndex busy = Model().index(0, 0, base);
  EXPECT_TRUE(Model().IsBusyRow(busy));
  EXPECT_EQ(busy.data().toString(), QStringLiteral("Reading\u2026"));
  EXPECT_FALSE(Model().flags(busy) & (Qt::ItemIsSelectable | Qt::ItemIsEnabled));
  EXPECT_FALSE(Model().hasChildren(busy));
  EXPECT_TRUE(m_tree->isExpanded(base));

  ASSERT_TRUE(TimerFires(5));
  EXPECT_EQ(m_fs.Held(), 1);  // the timer fired while the read was held
  EXPECT_EQ(read.count(), 0);
  // Made current, the busy row announces nothing.
  m_tree->setCurrentIndex(busy);
  EXPECT_EQ(m_announced.size(), 1u);

  m_fs.Release();
  ASSERT_TRUE(WaitUntilRead(*m_tree));
  EXPECT_EQ(read.count(), 1);
  EXPECT_EQ(read.at(0).at(0).value<QModelIndex>(), base);
  EXPECT_EQ(Labels(Model(), base), fast);
  EXPECT_TRUE(m_tree->isExpanded(base));
  EXPECT_EQ(Model().Namespace().FolderReadsOf(m_base), 1);
  // Read once: expanding again reads nothing.
  m_tree->collapse(base);
  m_tree->expand(base);
  m_tree->grab();
  EXPECT_FALSE(Model().IsReading());
  EXPECT_EQ(Model().Namespace().FolderReadsOf(m_base), 1);
}

TEST_F(FolderTreeAsyncTest, ReadThatEndsBeforeTheBusyRowDelayShowsNoBusyRow) {
  QStringList inserted;
  QObject::connect(&Model(), &QAbstractItemModel::rowsInserted, m_tree.get(),
                   [&](const QModelIndex& parent, int first, int last) {
                     for (int row = first; row <= last; ++row) {
                       inserted << Model().index(row, 0, parent).data().toString();
                     }
                   });
  // The subfolders go in when the read comes back, and nothing else does.
  const auto fetch = [&](const QModelIndex& folder) {
    inserted.clear();
    Model().fetchMore(folder);
    EXPECT_TRUE(inserted.isEmpty());  // never within the call
    ASSERT_TRUE(WaitUntilRead(*m_tree));
    EXPECT_FALSE(inserted.isEmpty());
    EXPECT_EQ(inserted, Labels(Model(), folder));
  };
  Model().SetBusyRowDelay(kSelfRelease);
  Populate(m_base);
  const QModelIndex base = m_tree->currentIndex();
  fetch(base);
  EXPECT_EQ(Labels(Model(), base), FastLabels(m_base));
  Populate(TestHome() + "/Desktop");
  const QModelIndex root = m_tree->currentIndex();
  fetch(root);

  // Computer needs no disk work: it is filled within the call.
  const QModelIndex computer = Model().index(0, 0, root);
  ASSERT_EQ(computer.data().toString(), QStringLiteral("Computer"));
  ASSERT_TRUE(Model().canFetchMore(computer));
  inserted.clear();
  Model().fetchMore(computer);
  EXPECT_FALSE(Model().IsReading());
  EXPECT_FALSE(inserted.isEmpty());
  EXPECT_EQ(inserted, Labels(Model(), computer));
}

TEST_F(FolderTreeAsyncTest, FolderThatCannotBeReadGetsNoChildrenSlowOrFast) {
  // Fast: the read ends within the wait; slow: it is held and not waited for.
  for (const bool slow : {false, true}) {
    const std::string failing = m_base + (slow ? "/b1" : "/b10");
    MakeFolders(failing + "/sub");
    m_fs.Fail(failing);
    Populate(failing);
    const QModelIndex folder = m_tree->currentIndex();
    ASSERT_TRUE(Model().hasChildren(folder)) << slow;
    if (slow) m_fs.HoldFolders(failing);
    QSignalSpy read(&Model(), &FolderTreeModel::folderRead);
    Model().SetBusyRowDelay(slow ? milliseconds(0) : kSelfRelease);
    Model().fetchMore(folder);
    if (slow) {
      EXPECT_TRUE(QTest::qWaitFor([&] { return Model().IsBusyRow(Model().index(0, 0, folder)); }));
      m_fs.Release();
    }
    ASSERT_TRUE(WaitUntilRead(*m_tree));
    EXPECT_EQ(read.count(), 1) << slow;
    EXPECT_EQ(Model().rowCount(folder), 0) << slow;
    EXPECT_FALSE(Model().hasChildren(folder)) << slow;
    EXPECT_FALSE(Model().canFetchMore(folder)) << slow;
  }
}

TEST_F(FolderTreeAsyncTest, HeldReadOfAFolderCollapsedClearedOrGoneInsertsNothingStale) {
  enum class Meanwhile { Collapse, Clear, Repopulate, Destroy };
  for (const Meanwhile meanwhile :
       {Meanwhile::Collapse, Meanwhile::Clear, Meanwhile::Repopulate, Meanwhile::Destroy}) {
    SCOPED_TRACE(static_cast<int>(meanwhile));
    MakeTempTree();
    Populate(m_base);
    const QModelIndex base = m_tree->currentIndex();
    m_fs.HoldFolders(m_base);
    m_tree->expand(base);
    m_tree->grab();
    ASSERT_TRUE(m_fs.WaitUntilHeld());
    ASSERT_TRUE(Model().IsReading(base));
    QSignalSpy read(&Model(), &FolderTreeModel::folderRead);

    switch (meanwhile) {
      case Meanwhile::Collapse:
        m_tree->collapse(base);
        m_fs.Release();
        ASSERT_TRUE(WaitUntilRead(*m_tree));
        // The subfolders came all the same, into the shut folder.
        EXPECT_FALSE(m_tree->isExpanded(base));
        EXPECT_EQ(Labels(Model(), base), (QStringList{".dot", "a", "b1", "B2", "b10"}));
        EXPECT_EQ(read.count(), 1);
        break;
      case Meanwhile::Clear:
        m_tree->ClearTree();
        EXPECT_FALSE(Model().IsReading());
        m_fs.Release();
        Drain();
        m_tree->grab();
        EXPECT_EQ(Model().rowCount(), 0);
        EXPECT_EQ(Model().Namespace().Allocator().OutstandingBlocks(), 0u);
        EXPECT_EQ(read.count(), 0);
        break;
      case Meanwhile::Repopulate: {
        // The new walk reads everything above the folder, not the folder.
        m_tree->Populate(m_base);
        ASSERT_TRUE(WaitUntilPopulated(*m_tree));
        read.clear();
        m_fs.Release();
        Drain();
        const QModelIndex again = m_tree->currentIndex();
        EXPECT_EQ(again.data(FolderTreeModel::kParsingNameRole).toByteArray().toStdString(),
                  m_base);
        // The new item is shut and unread: the old read left nothing in it.
        EXPECT_EQ(Model().rowCount(again), 0);
        EXPECT_TRUE(Model().canFetchMore(again));
        EXPECT_EQ(Model().Namespace().FolderReadsOf(m_base), 1);
        EXPECT_EQ(read.count(), 0);
        break;
      }
      case Meanwhile::Destroy:
        // The tree goes at once, its read still held (as a read of a hung
        // share would be); the listing that comes later finds no model to
        // go into.
        m_tree.reset();
        EXPECT_EQ(m_fs.Held(), 1);
        m_fs.Release();
        Drain();
        break;
    }
  }
}

TEST_F(FolderTreeAsyncTest, SlowPopulateEndsAsAFastOneWhileTheWindowTurns) {
  MakeFolders(m_base + "/x/y/z");
  { std::ofstream(m_base + "/x/file.txt") << "x"; }
  const std::string cases[] = {m_base + "/x/y/z",      m_base + "/x/gone/deeper",
                               m_base + "/x/file.txt", TestHome() + "/Desktop",
                               "relative/dir",         m_base + "/"};
  for (const std::string& target : cases) {
    SCOPED_TRACE(target);
    const auto [fastRows, fastAnnounced] = FastPopulate(target);
    m_announced.clear();
    QSignalSpy populated(m_tree.get(), &FolderTree::populated);
    m_fs.HoldFolders();
    m_fs.HoldStats();
    m_tree->Populate(target);
    EXPECT_TRUE(m_tree->IsPopulating());
    ASSERT_TRUE(m_fs.WaitUntilHeld());
    ASSERT_TRUE(TimerFires(5));
    EXPECT_GE(m_fs.Held(), 1);
    EXPECT_TRUE(m_tree->IsPopulating());
    EXPECT_EQ(populated.count(), 0);
    EXPECT_TRUE(m_announced.empty());

    m_fs.Release();
    ASSERT_TRUE(WaitUntilPopulated(*m_tree));
    EXPECT_EQ(populated.count(), 1);
    EXPECT_EQ(Rows(*m_tree), fastRows);
    EXPECT_EQ(m_announced, fastAnnounced);
  }
}

TEST_F(FolderTreeAsyncTest, LaterPopulateOrClearingSupersedesAWalkInFlight) {
  MakeFolders(m_base + "/first/deep");
  MakeFolders(m_base + "/second");
  for (const bool clear : {false, true}) {
    SCOPED_TRACE(clear);
    m_announced.clear();
    QSignalSpy populated(m_tree.get(), &FolderTree::populated);
    m_fs.HoldFolders();
    m_tree->Populate(m_base + "/first/deep");
    ASSERT_TRUE(m_fs.WaitUntilHeld());
    if (clear) {
      m_tree->ClearTree();
      EXPECT_FALSE(m_tree->IsPopulating());
      EXPECT_EQ(populated.count(), 1);  // ended, with nothing selected
    } else {
      m_tree->Populate(m_base + "/second");
    }
    m_fs.Release();
    ASSERT_TRUE(WaitUntilPopulated(*m_tree));
    ASSERT_TRUE(WaitUntilRead(*m_tree));
    Drain();
    EXPECT_EQ(populated.count(), 1);
    if (clear) {
      EXPECT_EQ(Model().rowCount(), 0);
      EXPECT_TRUE(m_announced.empty());
    } else {
      EXPECT_EQ(m_announced, std::vector<std::string>{m_base + "/second"});
      EXPECT_EQ(Rows(*m_tree), FastPopulate(m_base + "/second").first);
    }
  }
}

TEST_F(FolderTreeAsyncTest, ItemPickedDuringTheWalkWinsOverTheWalk) {
  MakeFolders(m_base + "/deep/deeper");
  m_tree->show();
  const struct { bool byKey; } cases[] = {{false}, {true}};
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.byKey);
    m_announced.clear();
    QSignalSpy populated(m_tree.get(), &FolderTree::populated);
    // Every folder read is held: the walk waits for the Desktop's.
    m_fs.HoldFolders();
    m_tree->Populate(m_base + "/deep/deeper");
    ASSERT_TRUE(m_fs.WaitUntilHeld());
    const QModelIndex root = Model().index(0, 0);
    ASSERT_TRUE(root.isValid());
    m_tree->setCurrentIndex(QModelIndex());
    if (entry.byKey) {
      m_tree->setFocus();
      QTest::keyClick(m_tree.get(), Qt::Key_Home);
    } else {
      QTest::mouseClick(m_tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                        m_tree->visualRect(root).center());
    }
    ASSERT_EQ(m_tree->currentIndex(), root);
    EXPECT_FALSE(m_tree->IsPopulating());
    EXPECT_EQ(populated.count(), 1);
    // Announced once its test has come back.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_announced.empty(); }));
    EXPECT_EQ(m_announced, std::vector<std::string>{TestHome() + "/Desktop"});

    m_fs.Release();
    ASSERT_TRUE(WaitUntilRead(*m_tree));
    Drain();
    EXPECT_EQ(m_tree->currentIndex(), root);
    EXPECT_EQ(m_announced.size(), 1u);
    EXPECT_EQ(populated.count(), 1);
  }
}

}  // namespace

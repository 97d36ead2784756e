#include "folder_tree.h"
#include "posix_file_system.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "folder_path_box.h"
#include "folder_tree_model.h"
#include "folder_tree_waits.h"
#include "shell_namespace.h"
#include "test_home.h"

namespace {

using kalvenor::testing::MakeFolders;
using kalvenor::testing::MakeTempFolder;
using kalvenor::testing::TestHome;

std::string BytesOf(const QModelIndex& index) {
  const QByteArray bytes = index.data(FolderTreeModel::kParsingNameRole).toByteArray();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

class FolderTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_base = MakeTempFolder(TestHome(), "tree");
    m_tree.resize(300, 400);
    // The form's wiring: the box shows what the tree announces.
    QObject::connect(&m_tree, &FolderTree::folderSelected, &m_box, &FolderPathBox::SetPath);
    QObject::connect(&m_tree, &FolderTree::folderSelected, &m_box,
                     [this](const std::string& path) { m_announced.push_back(path); });
  }
  void TearDown() override {
    // Reads still on their way use the file system, which goes with the test.
    ASSERT_TRUE(WaitUntilNoDiskWork());
    std::filesystem::remove_all(m_base);
  }

  FolderTreeModel& Model() { return *m_tree.FolderModel(); }
  const kalvenor::ShellNamespace& Space() { return Model().Namespace(); }
  QModelIndex Current() { return m_tree.currentIndex(); }
  // Selects `index` as the user would, and waits for its announcement.
  void Select(const QModelIndex& index) {
    m_tree.setCurrentIndex(index);
    ASSERT_TRUE(WaitUntilNoDiskWork());
  }
  // Lets the view lay out (and so read what it expands) as it would before
  // painting, and waits for those reads.
  void Settle() {
    m_tree.grab();
    ASSERT_TRUE(WaitUntilRead(m_tree));
  }
  // Populates the tree and waits for the walk's end.
  void Populate(const std::string& path) {
    m_tree.Populate(path);
    ASSERT_TRUE(WaitUntilPopulated(m_tree)) << path;
  }
  QModelIndex ChildNamed(const QModelIndex& parent, const QString& label) {
    for (int row = 0; row < Model().rowCount(parent); ++row) {
      const QModelIndex child = Model().index(row, 0, parent);
      if (child.data().toString() == label) return child;
    }
    return QModelIndex();
  }

  std::string m_base;
  std::vector<std::string> m_announced;  // what the tree announced, in order
  kalvenor::PosixFileSystem m_fs;
  FolderTree m_tree{m_fs};
  FolderPathBox m_box;
};

TEST_F(FolderTreeTest, PopulateWalksDownAndSelectsTheFolder) {
  const std::string target = m_base + "/one/two/three";
  MakeFolders(target + "/four");
  QSignalSpy spy(&m_box, &FolderPathBox::pathSet);
  Populate(target);

  EXPECT_EQ(m_box.Path(), target);
  EXPECT_EQ(spy.count(), 1);  // only the final selection reaches the box
  EXPECT_EQ(m_announced, std::vector<std::string>{target});
  ASSERT_TRUE(Current().isValid());
  EXPECT_EQ(BytesOf(Current()), target);
  EXPECT_EQ(Current().data().toString(), QStringLiteral("three"));
  EXPECT_FALSE(m_tree.isExpanded(Current()));  // the folder itself stays shut
  EXPECT_EQ(Space().FolderReadsOf(target), 0);
  // Everything above it is open, up to Computer and the Desktop.
  int depth = 0;
  for (QModelIndex up = Current().parent(); up.isValid(); up = up.parent()) {
    EXPECT_TRUE(m_tree.isExpanded(up)) << up.data().toString().toStdString();
    ++depth;
  }
  EXPECT_GE(depth, 5);  // Desktop, Computer, a volume, ..., one, two
  EXPECT_TRUE(m_tree.selectionModel()->isSelected(Current()));

  // A '/' at the end names the same folder.
  Populate(target + "/");
  EXPECT_EQ(m_box.Path(), target);
}

TEST_F(FolderTreeTest, DesktopDirectorySelectsTheRootWithoutReadingIt) {
  const std::string desktop = TestHome() + "/Desktop";
  const int readsBefore = Space().FolderReads();
  Populate(desktop);
  const QModelIndex root = Model().index(0, 0);
  EXPECT_EQ(Current(), root);
  EXPECT_EQ(root.data().toString(), QStringLiteral("Desktop"));
  EXPECT_FALSE(m_tree.isExpanded(root));
  EXPECT_EQ(Model().rowCount(root), 0);
  EXPECT_EQ(Space().FolderReads(), readsBefore);
  EXPECT_EQ(m_box.Path(), desktop);
}

TEST_F(FolderTreeTest, NamesDifferingInCaseLeadToTheirOwnFolders) {
  MakeFolders(m_base + "/Photos/upper");
  MakeFolders(m_base + "/photos/lower");
  for (const std::string leaf : {"/Photos/upper", "/photos/lower", "/Photos", "/photos"}) {
    Populate(m_base + leaf);
    EXPECT_EQ(m_box.Path(), m_base + leaf);
    EXPECT_EQ(BytesOf(Current()), m_base + leaf);
  }
  // A case that exists nowhere matches no folder of another case: the
  // nearest folder above it is selected.
  Populate(m_base + "/PHOTOS");
  EXPECT_EQ(BytesOf(Current()), m_base);
  EXPECT_EQ(m_box.Path(), m_base);
}

TEST_F(FolderTreeTest, FoldersAreReadOnlyWhenFirstExpanded) {
  MakeFolders(m_base + "/leaf");
  MakeFolders(m_base + "/branch/sub");
  Populate(m_base);
  const QModelIndex base = Current();
  ASSERT_TRUE(base.isValid());
  EXPECT_TRUE(Model().hasChildren(base));
  EXPECT_EQ(Space().FolderReadsOf(m_base), 0);

  m_tree.expand(base);
  Settle();
  EXPECT_EQ(Space().FolderReadsOf(m_base), 1);
  const QModelIndex leaf = ChildNamed(base, QStringLiteral("leaf"));
  const QModelIndex branch = ChildNamed(base, QStringLiteral("branch"));
  ASSERT_TRUE(leaf.isValid());
  ASSERT_TRUE(branch.isValid());
  // No expand button for a folder without subfolders, and painting the tree
  // reads neither folder.
  EXPECT_FALSE(Model().hasChildren(leaf));
  EXPECT_TRUE(Model().hasChildren(branch));
  EXPECT_FALSE(Model().canFetchMore(leaf));
  m_tree.expand(leaf);
  Settle();
  EXPECT_EQ(Space().FolderReadsOf(m_base + "/leaf"), 0);
  EXPECT_EQ(Space().FolderReadsOf(m_base + "/branch"), 0);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);  // wait cursor gone

  // Collapsing and expanding again reads nothing; a new folder shows only
  // after the next Populate.
  m_tree.collapse(base);
  MakeFolders(m_base + "/later");
  m_tree.expand(base);
  Settle();
  EXPECT_EQ(Space().FolderReadsOf(m_base), 1);
  EXPECT_FALSE(ChildNamed(base, QStringLiteral("later")).isValid());

  Populate(m_base);
  m_tree.expand(Current());
  Settle();
  EXPECT_EQ(Space().FolderReadsOf(m_base), 2);
  EXPECT_TRUE(ChildNamed(Current(), QStringLiteral("later")).isValid());
}

TEST_F(FolderTreeTest, FolderThatCannotBeReadLosesItsExpandButton) {
  MakeFolders(m_base + "/branch/sub");
  Populate(m_base);
  m_tree.expand(Current());
  Settle();
  const QModelIndex branch = ChildNamed(Current(), QStringLiteral("branch"));
  ASSERT_TRUE(branch.isValid());
  EXPECT_TRUE(Model().hasChildren(branch));
  std::filesystem::remove_all(m_base + "/branch");
  m_tree.expand(branch);
  Settle();
  EXPECT_EQ(Space().FolderReadsOf(m_base + "/branch"), 1);
  EXPECT_EQ(Model().rowCount(branch), 0);
  EXPECT_FALSE(Model().hasChildren(branch));
  EXPECT_FALSE(Model().canFetchMore(branch));
}

TEST_F(FolderTreeTest, SiblingsStandInNaturalOrderWithSpecialPlacesFirst) {
  for (const char* name : {"b10", "B2", "a", ".dot", "b1"}) MakeFolders(m_base + "/" + name);
  Populate(m_base);
  m_tree.expand(Current());
  Settle();
  QStringList labels;
  for (int row = 0; row < Model().rowCount(Current()); ++row) {
    labels << Model().index(row, 0, Current()).data().toString();
  }
  EXPECT_EQ(labels, (QStringList{".dot", "a", "b1", "B2", "b10"}));

  const QModelIndex root = Model().index(0, 0);
  ASSERT_GE(Model().rowCount(root), 3);
  EXPECT_EQ(Model().index(0, 0, root).data().toString(), QStringLiteral("Computer"));
  EXPECT_EQ(Model().index(1, 0, root).data().toString(), QStringLiteral("Home"));
  EXPECT_EQ(Model().index(2, 0, root).data().toString(), QStringLiteral("Network"));
}

TEST_F(FolderTreeTest, SelectingPlacesThatAreNoFoldersEmptiesTheBox) {
  Populate(m_base);
  ASSERT_EQ(m_box.Path(), m_base);
  const QModelIndex root = Model().index(0, 0);
  QSignalSpy spy(&m_box, &FolderPathBox::pathSet);

  Select(ChildNamed(root, QStringLiteral("Computer")));
  EXPECT_EQ(m_box.Path(), "");
  EXPECT_EQ(spy.count(), 1);
  Select(ChildNamed(root, QStringLiteral("Home")));
  EXPECT_EQ(m_box.Path(), TestHome());
  Select(ChildNamed(root, QStringLiteral("Network")));
  EXPECT_EQ(m_box.Path(), "");
  Select(root);
  EXPECT_EQ(m_box.Path(), TestHome() + "/Desktop");
  EXPECT_EQ(spy.count(), 4);

  // Of quick selections, only the last is announced: a test that comes back
  // late for an earlier one announces nothing.
  spy.clear();
  m_tree.setCurrentIndex(ChildNamed(root, QStringLiteral("Home")));
  Select(root);
  EXPECT_EQ(spy.count(), 1);
  EXPECT_EQ(m_box.Path(), TestHome() + "/Desktop");
}

TEST_F(FolderTreeTest, SelectionsDuringPopulateDoNotReachTheBox) {
  MakeFolders(m_base + "/a/b");
  m_box.SetPath("before");
  QSignalSpy spy(&m_box, &FolderPathBox::pathSet);
  // Something selects every item as soon as it appears while the tree is
  // being rebuilt.
  const auto connection =
      QObject::connect(&Model(), &QAbstractItemModel::rowsInserted,
                       [this](const QModelIndex& parent, int first, int) {
                         m_tree.setCurrentIndex(Model().index(first, 0, parent));
                       });
  Populate("relative/missing");
  EXPECT_EQ(m_box.Path(), "before");
  EXPECT_EQ(spy.count(), 0);

  Populate(m_base + "/a/b");
  QObject::disconnect(connection);
  EXPECT_EQ(m_box.Path(), m_base + "/a/b");
  EXPECT_EQ(spy.count(), 1);
}

TEST_F(FolderTreeTest, UnreachablePathsSelectNothing) {
  m_box.SetPath("kept");
  for (const std::string& path : {std::string(), std::string("relative/dir")}) {
    Populate(path);
    EXPECT_FALSE(Current().isValid()) << path;
    EXPECT_EQ(m_box.Path(), "kept") << path;
    EXPECT_TRUE(m_announced.empty()) << path;
    EXPECT_TRUE(m_tree.isExpanded(Model().index(0, 0))) << path;
  }
}

TEST_F(FolderTreeTest, FolderInTheTrashGivesAnEmptyBox) {
  const std::string trashed = TestHome() + "/.local/share/Trash/files/old";
  MakeFolders(trashed);
  m_box.SetPath("before");
  Populate(trashed);
  EXPECT_EQ(BytesOf(Current()), trashed);  // found and selected...
  EXPECT_EQ(m_box.Path(), "");             // ...but refused
  EXPECT_EQ(m_announced, std::vector<std::string>{""});
  std::filesystem::remove_all(TestHome() + "/.local/share/Trash");
}

TEST_F(FolderTreeTest, NamesThatAreNotUtf8KeepTheirBytes) {
  const std::string odd = m_base + "/caf\xE9/\xFF\xFE";
  MakeFolders(odd);
  Populate(odd);
  EXPECT_EQ(m_box.Path(), odd);
  ASSERT_TRUE(Current().isValid());
  EXPECT_FALSE(Current().data().toString().isEmpty());
  EXPECT_TRUE(Current().parent().data().toString().startsWith(QStringLiteral("caf")));
  EXPECT_FALSE(m_box.text().isEmpty());
}

TEST_F(FolderTreeTest, ClearingTheTreeGivesBackEveryList) {
  MakeFolders(m_base + "/x/y");
  Populate(m_base + "/x/y");
  auto& allocator = Model().Namespace().Allocator();
  EXPECT_GT(allocator.OutstandingBlocks(), 0u);
  m_tree.ClearTree();
  EXPECT_EQ(allocator.OutstandingBlocks(), 0u);
  EXPECT_EQ(Model().rowCount(), 0);
  m_tree.ClearTree();  // nothing to do, nothing breaks
}

TEST(FolderPathBoxTest, ShowsPathsReadablyAndGivesTheBytesBack) {
  FolderPathBox box;
  EXPECT_TRUE(box.isReadOnly());
  EXPECT_TRUE(box.alignment() & Qt::AlignRight);
  EXPECT_EQ(box.Path(), "");
  QSignalSpy spy(&box, &FolderPathBox::pathSet);
  const std::string odd = "/data/caf\xE9";
  box.SetPath(odd);
  box.SetPath(odd);  // unchanged, still announced
  EXPECT_EQ(spy.count(), 2);
  EXPECT_EQ(box.Path(), odd);
  EXPECT_TRUE(box.text().startsWith(QStringLiteral("/data/caf")));
  box.SetPath("/data/\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(box.text(), QStringLiteral("/data/\u00E9t\u00E9"));
}

TEST_F(FolderTreeTest, DeepestOpenFolderIsShownWhole) {
  // Deep enough that the name of the last folder, which the view could
  // show whole, starts well inside the view and ends beyond it.
  const std::string deep = m_base + "/" + std::string(30, 'a') + "/Summer holidays by the sea";
  MakeFolders(deep);
  m_tree.show();
  Populate(deep);
  QCoreApplication::processEvents();
  const QModelIndex current = Current();
  ASSERT_EQ(BytesOf(current), deep);
  const QRect cell = m_tree.visualRect(current);
  const int textEnd = cell.left() + m_tree.sizeHintForIndex(current).width();
  ASSERT_LE(m_tree.sizeHintForIndex(current).width(), m_tree.viewport()->width());
  EXPECT_GT(m_tree.horizontalScrollBar()->maximum(), 0);
  EXPECT_GE(cell.left(), 0);
  EXPECT_LE(textEnd, m_tree.viewport()->width());
  EXPECT_GE(m_tree.columnWidth(0), textEnd - cell.left());

  // Going up to the Desktop and back by the keyboard or the mouse shows each
  // name whole too.
  for (const QModelIndex& index : {Model().index(0, 0), current}) {
    m_tree.setCurrentIndex(index);
    QCoreApplication::processEvents();
    const QRect shown = m_tree.visualRect(index);
    EXPECT_GE(shown.left(), 0) << BytesOf(index);
    EXPECT_LE(shown.left() + m_tree.sizeHintForIndex(index).width(), m_tree.viewport()->width())
        << BytesOf(index);
  }
}

TEST_F(FolderTreeTest, MissingFolderSelectsTheNearestFolderAboveIt) {
  MakeFolders(m_base + "/a/b");
  { std::ofstream(m_base + "/a/file.txt") << "x"; }
  const struct {
    std::string stored;
    std::string selected;
  } cases[] = {{m_base + "/a/b/gone", m_base + "/a/b"},
               {m_base + "/a/gone/deeper/", m_base + "/a"},
               {m_base + "/a/file.txt", m_base + "/a"},
               {m_base + "/absent/deeper", m_base}};
  for (const auto& entry : cases) {
    m_announced.clear();
    Populate(entry.stored);
    EXPECT_EQ(BytesOf(Current()), entry.selected) << entry.stored;
    EXPECT_EQ(m_announced, std::vector<std::string>{entry.selected}) << entry.stored;
  }
}

}  // namespace

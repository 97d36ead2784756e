// How long the folder tree takes to expand a folder of 10,000 subfolders and
// to populate itself down to a folder 10 levels deep, each beside a floor
// measured in the same run: reading the same folders with readdir and one
// stat per entry. Prints medians and their ratios. The tree reads on worker
// threads; each figure runs until the children are in (or the walk of
// Populate has ended).
#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "folder_path_box.h"
#include "folder_tree.h"
#include "folder_tree_model.h"
#include "folder_tree_waits.h"
#include "posix_file_system.h"
#include "test_support.h"

namespace {

constexpr int kRepetitions = 7;

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The floor: every entry of `path` listed and looked at once.
std::size_t ReadFolder(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return 0;
  DIR* dir = ::fdopendir(fd);
  std::size_t seen = 0;
  while (const dirent* entry = ::readdir(dir)) {
    struct stat st;
    if (::fstatat(fd, entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode)) ++seen;
  }
  ::closedir(dir);
  return seen;
}

// The folders that Populate reads on its way to `target`: the desktop
// directory, then every folder from the root down to the target's parent.
std::vector<std::string> FoldersOnTheWay(const std::string& desktop, const std::string& target) {
  std::vector<std::string> folders = {desktop};
  std::filesystem::path at = std::filesystem::path(target).parent_path();
  std::vector<std::string> chain;
  for (; at != at.root_path(); at = at.parent_path()) chain.push_back(at.string());
  chain.push_back("/");
  folders.insert(folders.end(), chain.rbegin(), chain.rend());
  return folders;
}

void Report(const char* what, double measured, double floor) {
  std::printf("%-44s %9.3f ms   floor %8.3f ms   ratio %5.2f\n", what, measured * 1e3, floor * 1e3,
              measured / floor);
}

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const kalvenor::testing::TempDir temp("kalvenor-bench-", "/tmp");
  const std::string base = temp.Path();
  ::setenv("HOME", base.c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (base + "/.config").c_str(), 1);
  ::setenv("XDG_DATA_HOME", (base + "/.local/share").c_str(), 1);
  QApplication app(argc, argv);

  const std::string wide = base + "/wide";
  for (int i = 0; i < 10000; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "/d%05d", i);
    std::filesystem::create_directories(wide + name);
  }
  std::string deep = base + "/deep";
  std::string deepSiblings = base + "/deepsiblings";
  for (int level = 1; level <= 10; ++level) {
    deep += "/level" + std::to_string(level);
    for (int sibling = 0; sibling < 100; ++sibling) {
      std::filesystem::create_directories(deepSiblings + "/s" + std::to_string(sibling));
    }
    deepSiblings += "/level" + std::to_string(level);
  }
  std::filesystem::create_directories(deep);
  std::filesystem::create_directories(deepSiblings);

  // Expanding the wide folder: once through the model alone, once through
  // the view as the user sees it (expand, lay out, paint).
  std::vector<double> floors, fetches, shown;
  for (int run = 0; run < kRepetitions; ++run) {
    floors.push_back(Seconds([&] { ReadFolder(wide); }));
    FolderPathBox box;
    kalvenor::PosixFileSystem fs;
    FolderTree tree(fs);
    QObject::connect(&tree, &FolderTree::folderSelected, &box, &FolderPathBox::SetPath);
    tree.resize(300, 500);
    tree.Populate(wide);
    WaitUntilPopulated(tree);
    FolderTreeModel& model = *tree.FolderModel();
    const QModelIndex folder = tree.currentIndex();
    fetches.push_back(Seconds([&] {
      model.fetchMore(folder);
      WaitUntilRead(tree);
    }));
    if (model.rowCount(folder) != 10000) std::fprintf(stderr, "rows: %d\n", model.rowCount(folder));
    tree.Populate(wide);
    WaitUntilPopulated(tree);
    const QModelIndex again = tree.currentIndex();
    shown.push_back(Seconds([&] {
      tree.expand(again);
      tree.grab();
      WaitUntilRead(tree);
      tree.grab();
    }));
  }
  const double wideFloor = bench::Median(floors);
  std::printf("medians of %d runs\n", kRepetitions);
  Report("expand 10,000 subfolders (model)", bench::Median(fetches), wideFloor);
  Report("expand 10,000 subfolders (view, painted)", bench::Median(shown), wideFloor);

  // Populating down 10 levels, bare and with 100 siblings at each level.
  for (const std::string& target : {deep, deepSiblings}) {
    FolderPathBox box;
    kalvenor::PosixFileSystem fs;
    FolderTree tree(fs);
    QObject::connect(&tree, &FolderTree::folderSelected, &box, &FolderPathBox::SetPath);
    tree.resize(300, 500);
    tree.Populate(target);  // warm the caches once
    WaitUntilPopulated(tree);
    if (box.Path() != target) std::fprintf(stderr, "not reached: %s\n", target.c_str());
    const std::vector<std::string> folders =
        FoldersOnTheWay(tree.FolderModel()->Namespace().DesktopDirectory(), target);
    std::vector<double> walkFloors, walks;
    for (int run = 0; run < kRepetitions; ++run) {
      walkFloors.push_back(Seconds([&] {
        for (const std::string& folder : folders) ReadFolder(folder);
      }));
      walks.push_back(Seconds([&] {
        tree.Populate(target);
        WaitUntilPopulated(tree);
      }));
    }
    Report(target == deep ? "populate 10 levels deep" : "populate 10 levels, 100 siblings each",
           bench::Median(walks), bench::Median(walkFloors));
  }

  return 0;
}

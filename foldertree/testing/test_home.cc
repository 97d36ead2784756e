#include "test_home.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <QApplication>
#include <filesystem>
#include <fstream>

#include "test_support.h"

namespace kalvenor::testing {

namespace {
std::string testHome;
}

const std::string& TestHome() { return testHome; }

std::string MakeTempFolder(const std::string& parent, const std::string& prefix) {
  std::string pattern = parent + "/" + prefix + "XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    ADD_FAILURE() << "mkdtemp failed in " << parent;
    return std::string();
  }
  return pattern;
}

void MakeFolders(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  ASSERT_FALSE(error) << path << ": " << error.message();
}

}  // namespace kalvenor::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);

  const kalvenor::testing::TempDir temp("kalvenor-tree-", "/tmp");
  kalvenor::testing::testHome = temp.Path();
  const std::string& home = kalvenor::testing::testHome;
  ::setenv("HOME", home.c_str(), 1);
  ::setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
  ::setenv("XDG_CACHE_HOME", (home + "/.cache").c_str(), 1);
  std::filesystem::create_directories(home + "/.config");
  std::filesystem::create_directories(home + "/.local/share");
  std::filesystem::create_directories(home + "/Desktop");
  std::filesystem::create_directories(home + "/.runtime");
  std::filesystem::permissions(home + "/.runtime", std::filesystem::perms::owner_all);
  ::setenv("XDG_RUNTIME_DIR", (home + "/.runtime").c_str(), 1);
  std::ofstream(home + "/.config/user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n";

  int result;
  {
    QApplication app(argc, argv);
    result = RUN_ALL_TESTS();
  }
  return result;
}

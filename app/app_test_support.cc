#include "app_test_support.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace apptest {

TempFolder::TempFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                        "/kalvenor-app-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) std::abort();
  m_path = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

void TempFolder::MakeFile(const std::string& name, const std::string& content) const {
  std::ofstream out(Join(name), std::ios::binary | std::ios::trunc);
  out << content;
}

void TempFolder::MakeDir(const std::string& name) const { ::mkdir(Join(name).c_str(), 0755); }

bool TempFolder::Exists(const std::string& name) const {
  struct stat info {};
  return ::lstat(Join(name).c_str(), &info) == 0;
}

std::string TempFolder::Read(const std::string& name) const {
  std::ifstream in(Join(name), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> TempFolder::Names() const {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(m_path.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace apptest

int main(int argc, char** argv) {
  // Every test runs offscreen and away from the user's own settings.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  apptest::TempFolder home;
  qputenv("HOME", QByteArray::fromStdString(home.Path()));
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.Join(".config")));
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.Join(".local/share")));
  QApplication application(argc, argv);
  // The tests close windows themselves; no hidden quit may pile up.
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

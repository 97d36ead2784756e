#include "test_support.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace kalvenor::testing {

TempDir::TempDir(const std::string& prefix, const std::string& parent) {
  std::string templ = parent;
  if (templ.empty()) {
    const char* base = std::getenv("TMPDIR");
    templ = base != nullptr && base[0] == '/' ? base : "/tmp";
  }
  templ += "/" + prefix + "XXXXXX";
  if (::mkdtemp(templ.data()) == nullptr) throw std::runtime_error("cannot make " + templ);
  m_path = templ;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::Join(const std::string& name) const { return m_path + "/" + name; }

void TempDir::MakeFile(const std::string& name, const std::string& content) const {
  const int fd = ::open(Join(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("cannot create " + name);
  if (!content.empty() &&
      ::write(fd, content.data(), content.size()) != static_cast<ssize_t>(content.size())) {
    ::close(fd);
    throw std::runtime_error("cannot write " + name);
  }
  ::close(fd);
}

void TempDir::MakeDir(const std::string& name) const {
  if (::mkdir(Join(name).c_str(), 0755) != 0) throw std::runtime_error("cannot mkdir " + name);
}

bool TempDir::Exists(const std::string& name) const {
  struct stat st {};
  return ::lstat(Join(name).c_str(), &st) == 0;
}

std::string TempDir::Read(const std::string& name) const {
  std::string out;
  const int fd = ::open(Join(name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return out;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
    out.append(buffer, static_cast<std::size_t>(n));
  ::close(fd);
  return out;
}

std::vector<std::string> TempDir::Names() const {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(m_path)) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace kalvenor::testing

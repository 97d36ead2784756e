// What the desktop tests share: a real temporary folder that removes itself,
// and a test main that runs every test offscreen under a QApplication with
// HOME and XDG_CONFIG_HOME pointed at a temporary folder of its own.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

namespace apptest {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, without a trailing '/'.
  const std::string& Path() const { return m_path; }
  std::string Join(const std::string& name) const { return m_path + "/" + name; }
  void MakeFile(const std::string& name, const std::string& content = {}) const;
  void MakeDir(const std::string& name) const;
  bool Exists(const std::string& name) const;
  std::string Read(const std::string& name) const;
  // The names in the folder, sorted by bytes.
  std::vector<std::string> Names() const;

 private:
  std::string m_path;
};

// `path` without a trailing '/' (but "/" stays): the folder tree may write a
// folder either way.
inline std::string WithoutSeparator(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The child of `parent` with object name `name`, failing the test when absent.
template <typename T>
T* Find(const QWidget* parent, const char* name) {
  return parent->findChild<T*>(QLatin1String(name));
}

}  // namespace apptest

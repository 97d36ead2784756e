// The read-only folder box under the folder tree. It shows a folder's path
// readably and carries the path's real bytes, so that a name that is not
// valid UTF-8 still leads the form to the right folder.
#pragma once

#include <QLineEdit>
#include <string>

class FolderPathBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit FolderPathBox(QWidget* parent = nullptr);

  // Stores `path` (bytes as the kernel gives them), shows it decoded for
  // display, and emits pathSet() – also when the path did not change.
  void SetPath(const std::string& path);
  // The bytes last given to SetPath (empty at first).
  const std::string& Path() const { return m_path; }

 signals:
  void pathSet();

 private:
  std::string m_path;
};

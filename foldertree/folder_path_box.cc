#include "folder_path_box.h"

#include <QFile>

FolderPathBox::FolderPathBox(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  setAlignment(Qt::AlignRight);
}

void FolderPathBox::SetPath(const std::string& path) {
  m_path = path;
  setText(QFile::decodeName(
      QByteArray(path.data(), static_cast<qsizetype>(path.size()))));
  emit pathSet();
}

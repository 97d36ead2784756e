#include "folder_path_box.h"

#include "display_text.h"

FolderPathBox::FolderPathBox(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  setAlignment(Qt::AlignRight);
}

void FolderPathBox::SetPath(const std::string& path) {
  m_path = path;
  setText(DisplayText(path));
  emit pathSet();
}

#include "log_file_box.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "display_text.h"

LogFileBox::LogFileBox(QWidget* parent) : QLineEdit(parent) {}

std::string LogFileBox::OfferedPath(const QMimeData* mime) {
  if (mime == nullptr || !mime->hasUrls() || mime->urls().isEmpty()) return {};
  const QUrl url = mime->urls().constFirst();
  return url.isLocalFile() ? PathBytes(url.toLocalFile()) : std::string();
}

namespace {

// Answers a drag that carries addresses: accepted when it offers a local
// file's path, refused otherwise. False for any other drag (plain text),
// which the line edit handles as usual.
bool AnsweredAsAddresses(QDragMoveEvent* event) {
  if (!event->mimeData()->hasUrls()) return false;
  if (!LogFileBox::OfferedPath(event->mimeData()).empty()) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
  return true;
}

}  // namespace

void LogFileBox::dragEnterEvent(QDragEnterEvent* event) {
  // Addresses are never taken as text; a local file's is taken as its path.
  if (!AnsweredAsAddresses(event)) QLineEdit::dragEnterEvent(event);
}

void LogFileBox::dragMoveEvent(QDragMoveEvent* event) {
  if (!AnsweredAsAddresses(event)) QLineEdit::dragMoveEvent(event);
}

void LogFileBox::dropEvent(QDropEvent* event) {
  if (event->mimeData()->hasUrls()) {
    const std::string path = OfferedPath(event->mimeData());
    if (path.empty()) {
      event->ignore();
      return;
    }
    event->acceptProposedAction();
    emit pathDropped(path);
    return;
  }
  QLineEdit::dropEvent(event);
}

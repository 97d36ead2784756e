#include "display_text.h"

#include <QByteArray>
#include <QFile>

QString DisplayText(std::string_view bytes) {
  // Qt 6 decodes file names as UTF-8 on this platform (the test holds the
  // two together); its UTF-8 decoder is also the fastest way for ASCII.
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string PathBytes(const QString& text) {
  const QByteArray encoded = QFile::encodeName(text);
  return std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}

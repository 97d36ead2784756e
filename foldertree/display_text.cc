#include "display_text.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>

QString DisplayText(std::string_view bytes) {
  const auto size = static_cast<qsizetype>(bytes.size());
  // Every encoding the file names may be in leaves ASCII as it is.
  if (std::all_of(bytes.begin(), bytes.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return QString::fromLatin1(bytes.data(), size);
  }
  return QFile::decodeName(QByteArray::fromRawData(bytes.data(), size));
}

std::string PathBytes(const QString& text) {
  const QByteArray encoded = QFile::encodeName(text);
  return std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}

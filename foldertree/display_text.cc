#include "display_text.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>

#include "shown_character.h"

QString DisplayText(std::string_view bytes) {
  // Qt 6 decodes file names as UTF-8 on this platform (the test holds the
  // two together); its UTF-8 decoder is also the fastest way for ASCII.
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString RowText(std::string_view bytes) {
  using kalvenor::BadBytes;
  using kalvenor::FirstShownCharacter;
  const auto plain = [](char c) { return c >= 0x20 && c < 0x7f && c != '\\'; };
  if (std::all_of(bytes.begin(), bytes.end(), plain)) return DisplayText(bytes);

  const auto escaped = [&](std::string_view text) {
    return FirstShownCharacter(text, BadBytes::Escaped).escaped;
  };
  std::string shown;
  shown.reserve(bytes.size() + bytes.size() / 4);
  while (!bytes.empty()) {
    if (bytes.front() == '\\') {
      const std::size_t run = std::min(bytes.find_first_not_of('\\'), bytes.size());
      const std::string_view after = bytes.substr(run);
      const bool beforeEscape = !after.empty() && (after.front() == 'x' || escaped(after));
      shown.append(beforeEscape ? 2 * run : run, '\\');
      bytes.remove_prefix(run);
      continue;
    }
    const kalvenor::ShownCharacter c = FirstShownCharacter(bytes, BadBytes::Escaped);
    if (c.escaped) {
      shown += kalvenor::HexEscapes(bytes.substr(0, c.length));
    } else {
      shown += bytes.substr(0, c.length);
    }
    bytes.remove_prefix(c.length);
  }
  return DisplayText(shown);
}

std::string PathBytes(const QString& text) {
  const QByteArray encoded = QFile::encodeName(text);
  return std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}

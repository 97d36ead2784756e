// File names and paths are bytes, as the kernel gives them; the windows show
// them as text. These are the one way between the two on the Qt side: text
// decoded as Qt decodes file names (UTF-8, a byte that fits no character
// shown as a replacement), and back.
#pragma once

#include <QString>
#include <string>
#include <string_view>

// `bytes` decoded for display, exactly as QFile::decodeName decodes them.
QString DisplayText(std::string_view bytes);

// `text` encoded as QFile::encodeName encodes a file name.
std::string PathBytes(const QString& text);

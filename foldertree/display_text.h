// File names and paths are bytes, as the kernel gives them; the windows show
// them as text. These are the one way between the two on the Qt side: text
// decoded as Qt decodes file names (UTF-8, a byte that fits no character
// shown as a replacement), and back; and, for a row of a list, text that
// shows every name apart from every other and keeps to its row.
#pragma once

#include <QString>
#include <string>
#include <string_view>

// `bytes` decoded for display, exactly as QFile::decodeName decodes them.
QString DisplayText(std::string_view bytes);

// `bytes` (a line of names, such as a Results line) as one row of a list
// shows it. The characters that would act instead of being seen (line
// feeds and other controls, line separators, bidirectional overrides:
// kalvenor::FirstShownCharacter) and every byte outside well-formed UTF-8
// are shown as "\xhh" for each of their bytes, so that no name splits its
// row and no two names look alike. A run of backslashes that stands before
// an "x" or before such an escape is shown doubled, so that a name holding
// the text of an escape is not taken for one. Any other text is shown
// exactly as DisplayText shows it.
QString RowText(std::string_view bytes);

// `text` encoded as QFile::encodeName encodes a file name.
std::string PathBytes(const QString& text);

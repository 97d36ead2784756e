#include "console_output.h"

#include "log_format.h"
#include "shown_character.h"

namespace kalvenor {

std::string DisplayText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const ShownCharacter shown = FirstShownCharacter(text, BadBytes::AsThemselves);
    const std::string_view bytes = text.substr(0, shown.length);
    text.remove_prefix(shown.length);
    if (bytes == "\\" || bytes == "\n" || bytes == "\r") {
      out += EscapeLogPath(bytes);  // as in the log
    } else if (shown.escaped) {
      out += HexEscapes(bytes);
    } else {
      out += bytes;
    }
  }
  return out;
}

std::string FormatResultsLine(const std::string& line) { return DisplayText(line); }

void ConsoleResults::AddLine(const std::string& line) {
  m_out << FormatResultsLine(line) << '\n';
  ++m_count;
}

void ConsoleResults::SetRedraw(bool on) {
  if (on) m_out.flush();
}

void ConsoleMessages::ShowMessage(const std::string& text, MessageIcon /*icon*/) {
  m_out.flush();
  m_err << "kalvenor-cli: " << DisplayText(text) << '\n';
  m_err.flush();
}

}  // namespace kalvenor

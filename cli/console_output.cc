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

std::string FailureDetail(const Failure& failure) {
  std::string detail;
  if (!failure.path.empty()) {
    detail.append("'").append(failure.path).append("'");
    if (!failure.newPath.empty()) detail.append(" -> '").append(failure.newPath).append("'");
    detail.append(": ");
  }
  return detail.append(failure.error.message());
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

void ConsoleMessages::ShowFailure(const std::string& text, MessageIcon icon,
                                  const Failure& failure) {
  if (!failure) return ShowMessage(text, icon);
  ShowMessage(text + " (" + FailureDetail(failure) + ")", icon);
}

}  // namespace kalvenor

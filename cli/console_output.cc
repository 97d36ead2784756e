#include "console_output.h"

#include "log_format.h"

namespace kalvenor {

std::string FormatResultsLine(const std::string& line) {
  if (line.find_first_of("\n\r\\") != std::string::npos) return EscapeLogPath(line);
  return line;
}

void ConsoleResults::AddLine(const std::string& line) {
  m_out << FormatResultsLine(line) << '\n';
  ++m_count;
}

void ConsoleResults::SetRedraw(bool on) {
  if (on) m_out.flush();
}

void ConsoleMessages::ShowMessage(const std::string& text, MessageIcon /*icon*/) {
  m_out.flush();
  m_err << "kalvenor-cli: " << text << '\n';
  m_err.flush();
}

}  // namespace kalvenor

#include "console_output.h"

#include "log_format.h"

namespace kalvenor {

namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7f; }

}  // namespace

std::string DisplayText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '\n' || c == '\r') {
      out += EscapeLogPath(std::string_view(&c, 1));
    } else if (IsControl(byte)) {
      constexpr char kHex[] = "0123456789abcdef";
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xf];
    } else {
      out.push_back(c);
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

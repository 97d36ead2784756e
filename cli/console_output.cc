#include "console_output.h"

#include "log_format.h"

namespace kalvenor {

std::string FormatResultsLine(const std::string& line) {
  if (line == kPreviewClosingLine) return kToolPreviewClosingLine;
  if (line.find_first_of("\n\r\\") != std::string::npos) return EscapeLogPath(line);
  return line;
}

void ConsoleResults::AddLine(const std::string& line) {
  if (line == kFileCountLimitLine || line == kIndexLimitLine) limitReached_ = true;
  out_ << FormatResultsLine(line) << '\n';
  ++count_;
}

void ConsoleResults::SetRedraw(bool on) {
  if (on) out_.flush();
}

void ConsoleMessages::ShowMessage(const std::string& text, MessageIcon) {
  out_.flush();
  err_ << "kalvenor-cli: " << text << '\n';
  err_.flush();
  ++count_;
}

}  // namespace kalvenor

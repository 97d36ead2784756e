#include "log_format.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace kalvenor {
namespace {

constexpr std::array<std::string_view, 12> kMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// "<Month> DD, YYYY at HH:MM:SS" exactly, with in-range values.
bool IsTimeStamp(std::string_view text) {
  for (std::size_t m = 0; m < kMonths.size(); ++m) {
    const std::string_view month = kMonths[m];
    if (text.substr(0, month.size()) != month) continue;
    std::string_view rest = text.substr(month.size());
    // " DD, YYYY at HH:MM:SS": 21 bytes, four-digit year.
    if (rest.size() != 21 || rest[0] != ' ' || rest.substr(3, 2) != ", " ||
        rest.substr(9, 4) != " at " || rest[15] != ':' || rest[18] != ':') {
      return false;
    }
    const std::string_view day = rest.substr(1, 2), year = rest.substr(5, 4),
                           hour = rest.substr(13, 2), minute = rest.substr(16, 2),
                           second = rest.substr(19, 2);
    if (!IsDigits(day) || !IsDigits(year) || !IsDigits(hour) || !IsDigits(minute) ||
        !IsDigits(second)) {
      return false;
    }
    auto value = [](std::string_view two) { return (two[0] - '0') * 10 + (two[1] - '0'); };
    return value(day) >= 1 && value(day) <= 31 && value(hour) <= 23 && value(minute) <= 59 &&
           value(second) <= 60;
  }
  return false;
}

}  // namespace

namespace {

// Appends `path` to `out` with the three escapes.
void AppendEscaped(std::string& out, std::string_view path) {
  // Nearly every path needs no escape at all; three vectorised byte
  // searches settle that faster than one loop over the bytes.
  std::size_t first = std::min({path.find('\\'), path.find('\n'), path.find('\r')});
  if (first == std::string_view::npos) {
    out.append(path);
    return;
  }
  out.append(path.substr(0, first));
  for (char c : path.substr(first)) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out.push_back(c);
    }
  }
}

std::string JoinLogLine(std::string_view left, std::string_view middle, std::string_view right) {
  std::string line;
  line.reserve(left.size() + middle.size() + right.size() + 8);
  AppendEscaped(line, left);
  line += middle;
  AppendEscaped(line, right);
  line += '\n';
  return line;
}

}  // namespace

std::string EscapeLogPath(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  AppendEscaped(out, path);
  return out;
}

std::optional<std::string> UnescapeLogPath(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out.push_back(text[i]);
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\': out.push_back('\\'); break;
      case 'n': out.push_back('\n'); break;
      case 'r': out.push_back('\r'); break;
      default: return std::nullopt;
    }
  }
  return out;
}

std::string FormatLogTime(const std::tm& local) {
  const int month = local.tm_mon >= 0 && local.tm_mon < 12 ? local.tm_mon : 0;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%s %02d, %04d at %02d:%02d:%02d",
                kMonths[static_cast<std::size_t>(month)].data(), local.tm_mday,
                local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
  return buffer;
}

std::string LogHeaderLine(const std::tm& local, bool undo) {
  std::string line = FormatLogTime(local);
  if (undo) line += kUndoSuffix;
  line += '\n';
  return line;
}

std::string RenameLogLine(std::string_view oldPath, std::string_view newPath) {
  return JoinLogLine(oldPath, kRenamedTo, newPath);
}

std::string UndoLogLine(std::string_view newPath, std::string_view oldPath) {
  return JoinLogLine(newPath, kRenamedBackTo, oldPath);
}

std::string NotRenamedLogLine(std::string_view oldPath, std::string_view causeText) {
  std::string line = EscapeLogPath(oldPath);
  line.append(kWasNotRenamed).append(causeText).push_back('\n');
  return line;
}

std::string NotRenamedBackLogLine(std::string_view newPath, std::string_view causeText) {
  std::string line = EscapeLogPath(newPath);
  line.append(kWasNotRenamedBack).append(causeText).push_back('\n');
  return line;
}

LogHeader ClassifyLogLine(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (IsTimeStamp(line)) return LogHeader::Batch;
  if (line.size() > kUndoSuffix.size() &&
      line.substr(line.size() - kUndoSuffix.size()) == kUndoSuffix &&
      IsTimeStamp(line.substr(0, line.size() - kUndoSuffix.size()))) {
    return LogHeader::Undo;
  }
  return LogHeader::None;
}

}  // namespace kalvenor

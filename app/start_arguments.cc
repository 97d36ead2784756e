#include "start_arguments.h"

#include <QDir>
#include <QString>

StartArguments ReadStartArguments(const std::vector<std::string>& args) {
  StartArguments read;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    const bool isOption = !optionsEnded && arg.size() > 1 && arg.front() == '-';
    if (!isOption) {
      if (!read.folder) read.folder = arg;
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all") {
      read.help = true;
    } else if (arg == "-v" || arg == "--version") {
      read.version = true;
    }
  }
  return read;
}

std::string StartFolderPath(const std::string& folder, const std::string& workingDir) {
  // Latin-1 maps each byte to one character and back, so Qt's textual
  // clean-up (which looks only at '/' and '.') keeps every other byte.
  QString path = QString::fromLatin1(folder.data(), static_cast<qsizetype>(folder.size()));
  if (!folder.starts_with('/') && !workingDir.empty()) {
    path = QString::fromLatin1(workingDir.data(), static_cast<qsizetype>(workingDir.size())) +
           QLatin1Char('/') + path;
  }
  return QDir::cleanPath(path).toLatin1().toStdString();
}

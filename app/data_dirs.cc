#include "data_dirs.h"

#include <QCoreApplication>
#include <QDir>

QStringList DataDirs() {
  const QString exeDir = QCoreApplication::applicationDirPath();
  QStringList dirs{
      exeDir, QDir::cleanPath(QDir(exeDir).filePath(QStringLiteral(KALVENOR_DATADIR_FROM_BINDIR)))};
  const QString installed = QStringLiteral(KALVENOR_INSTALLED_DATADIR);
  if (!dirs.contains(installed)) dirs << installed;
  return dirs;
}

#include "help_launcher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "app_texts.h"

namespace {

const char kHelpPageName[] = "help.html";

QStringList DefaultSearchDirs() {
  const QString exeDir = QCoreApplication::applicationDirPath();
  QStringList dirs{exeDir, QDir(exeDir).filePath(QStringLiteral(KALVENOR_DATADIR_FROM_BINDIR))};
  const QString installed = QStringLiteral(KALVENOR_INSTALLED_DATADIR);
  if (!dirs.contains(installed)) dirs << installed;
  return dirs;
}

}  // namespace

HelpLauncher::HelpLauncher() : HelpLauncher(DefaultSearchDirs()) {}

HelpLauncher::HelpLauncher(QStringList searchDirs) : m_searchDirs(std::move(searchDirs)) {
  openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  showFailure = [this](const QString& text) {
    // Opened, not run: nothing waits for the box to close.
    auto* box =
        new QMessageBox(QMessageBox::Warning, AppTexts::AppName(), text, QMessageBox::Ok, m_parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
  };
}

QString HelpLauncher::FindHelpPage() const {
  for (const QString& dir : m_searchDirs) {
    const QFileInfo page(QDir(dir).filePath(QLatin1String(kHelpPageName)));
    if (page.isFile()) return page.absoluteFilePath();
  }
  return QString();
}

bool HelpLauncher::Launch() {
  const QString page = FindHelpPage();
  if (!page.isEmpty() && openUrl(QUrl::fromLocalFile(page))) return true;
  showFailure(AppTexts::HelpFailed());
  return false;
}

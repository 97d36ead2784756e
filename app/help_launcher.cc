#include "help_launcher.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "app_texts.h"
#include "data_dirs.h"
#include "help_window.h"

namespace {

const char kHelpPageName[] = "help.html";

}  // namespace

HelpLauncher::HelpLauncher() : HelpLauncher(DataDirs()) {}

HelpLauncher::HelpLauncher(QStringList searchDirs) : m_searchDirs(std::move(searchDirs)) {}

QString HelpLauncher::FindHelpPage() const {
  for (const QString& dir : m_searchDirs) {
    const QFileInfo page(QDir(dir).filePath(QLatin1String(kHelpPageName)));
    if (page.isFile()) return page.absoluteFilePath();
  }
  return QString();
}

bool HelpLauncher::Launch() {
  const QString page = FindHelpPage();
  if (!page.isEmpty()) {
    const BrowserCheck browser = checkBrowser ? checkBrowser() : CheckDesktopBrowser();
    const QUrl url = QUrl::fromLocalFile(page);
    if (browser != BrowserCheck::NoBrowser &&
        (openUrl ? openUrl(url) : QDesktopServices::openUrl(url))) {
      return true;
    }
    if (showPage ? showPage(page) : ShowInOwnWindow(page)) return true;
  }
  if (showFailure) {
    showFailure(AppTexts::HelpFailed());
  } else {
    QMessageBox::warning(m_parent, AppTexts::AppName(), AppTexts::HelpFailed());
  }
  return false;
}

bool HelpLauncher::ShowInOwnWindow(const QString& page) {
  // One help window: a second Help brings the open one forward.
  if (m_window == nullptr) {
    m_window = new HelpWindow(m_parent);
    m_window->setAttribute(Qt::WA_DeleteOnClose);
  }
  if (!m_window->ShowPage(page)) {
    delete m_window;
    return false;
  }
  m_window->show();
  m_window->raise();
  m_window->activateWindow();
  return true;
}

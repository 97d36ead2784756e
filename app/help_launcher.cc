#include "help_launcher.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>

#include "app_texts.h"
#include "data_dirs.h"
#include "help_window.h"

namespace {

// help_de_AT.html, help_de.html, ... for "de-AT" and the other languages,
// then help.html.
QStringList PageNames(const QStringList& languages) {
  QStringList names;
  for (QString language : languages) {
    language.replace(QLatin1Char('-'), QLatin1Char('_'));
    for (const QString& name : {language, language.section(QLatin1Char('_'), 0, 0)}) {
      const QString page = QStringLiteral("help_%1.html").arg(name);
      if (!name.isEmpty() && !names.contains(page)) names << page;
    }
  }
  names << QStringLiteral("help.html");
  return names;
}

}  // namespace

HelpLauncher::HelpLauncher() : HelpLauncher(DataDirs(), QLocale::system().uiLanguages()) {}

HelpLauncher::HelpLauncher(QStringList searchDirs, QStringList languages)
    : m_searchDirs(std::move(searchDirs)), m_pageNames(PageNames(languages)) {
  showFailure = [this](const QString& text) {
    // Opened, not run: nothing waits for the box to close.
    auto* box =
        new QMessageBox(QMessageBox::Warning, AppTexts::AppName(), text, QMessageBox::Ok, m_parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
  };
}

QString HelpLauncher::FindHelpPage() const {
  for (const QString& name : m_pageNames) {
    for (const QString& dir : m_searchDirs) {
      const QFileInfo page(QDir(dir).filePath(name));
      if (page.isFile()) return page.absoluteFilePath();
    }
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
  showFailure(AppTexts::HelpFailed());
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

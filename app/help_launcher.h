// The help command: finds the program's HTML help page and shows it. The
// page lies in the data folders (data_dirs.h): help_LANG.html in the user's
// language where there is one (help_pt_BR.html, help_de.html), else
// help.html. It goes to the desktop's web
// browser; where the desktop has none (web_browser.h), or cannot open the
// page, it is shown in the program's own help window. When the page is
// missing or cannot be read, the failure message is shown.
//
// Each step goes through a replaceable function, so a test can answer it;
// left empty, each does the real thing (ask the desktop, open the page,
// show the help window, show a message box).
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

#include "help_window.h"
#include "web_browser.h"

class QWidget;

class HelpLauncher {
 public:
  // Searches the data folders, for the user's languages.
  HelpLauncher();
  // Searches `searchDirs`, in order, for `languages` (in the order of
  // preference, as QLocale::uiLanguages gives them).
  explicit HelpLauncher(QStringList searchDirs, QStringList languages = {});

  // Shows the help's contents page; gives false after showing the failure.
  bool Launch();

  // The page found in the search folders, or an empty string.
  QString FindHelpPage() const;

  // The window that owns the help window and the failure message (may be
  // null).
  void SetParentWindow(QWidget* window) { m_parent = window; }

  // The help window, while it is open (null otherwise).
  HelpWindow* Window() const { return m_window; }

  std::function<BrowserCheck()> checkBrowser;
  std::function<bool(const QUrl&)> openUrl;
  std::function<bool(const QString& page)> showPage;
  std::function<void(const QString&)> showFailure;

 private:
  bool ShowInOwnWindow(const QString& page);

  QStringList m_searchDirs;
  QStringList m_pageNames;  // most wanted first
  QWidget* m_parent = nullptr;
  QPointer<HelpWindow> m_window;
};

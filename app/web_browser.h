// Whether the desktop would show the help page in a web browser. The help
// command hands its HTML page to the desktop (xdg-open), which opens it with
// the default application for text/html; on a desktop without a browser
// that is whatever else claims HTML, often a text editor in a terminal, or
// nothing at all. The help command asks first, and shows the page in a
// window of its own when no browser would.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

enum class BrowserCheck {
  Browser,    // the default for text/html is a web browser
  NoBrowser,  // there is no default, or it is no web browser
  Unknown,    // the desktop could not be asked, or its answer not read
};

// What the [Desktop Entry] group of a desktop entry says about the program
// it starts (the other groups, such as actions, are passed over).
struct DesktopEntryFacts {
  bool terminal = false;   // Terminal=true: it runs in a terminal
  QStringList mimeTypes;   // MimeType=
  QStringList categories;  // Categories=
};
DesktopEntryFacts ReadDesktopEntry(const QString& text);

// True for a graphical web browser: it does not run in a terminal, and it
// says it is a browser (the category WebBrowser, or it opens http or https
// addresses).
bool IsWebBrowserEntry(const DesktopEntryFacts& entry);

// The check from the desktop's answer: `htmlHandler` is the desktop file id
// of the default application for text/html (empty: none; nullopt: the
// desktop could not be asked); `readEntry` gives the text of the desktop
// entry with that id, or nullopt when it is not found.
BrowserCheck CheckHtmlHandler(
    const std::optional<QString>& htmlHandler,
    const std::function<std::optional<QString>(const QString&)>& readEntry);

// The check on this desktop: asks `xdg-mime query default text/html` and
// reads the entry from the applications folders of the XDG data folders.
BrowserCheck CheckDesktopBrowser();

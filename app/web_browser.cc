#include "web_browser.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

// xdg-mime answers at once; a desktop that hangs counts as one not asked.
constexpr int kQueryTimeoutMs = 5000;

QStringList ListValue(const QString& value) {
  return value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

}  // namespace

DesktopEntryFacts ReadDesktopEntry(const QString& text) {
  DesktopEntryFacts facts;
  bool inEntry = false;
  for (const QString& rawLine : text.split(QLatin1Char('\n'))) {
    const QString line = rawLine.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    if (line.startsWith(QLatin1Char('['))) {
      inEntry = line == QLatin1String("[Desktop Entry]");
      continue;
    }
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (!inEntry || equals < 0) continue;
    const QString key = line.left(equals).trimmed();
    const QString value = line.mid(equals + 1).trimmed();
    if (key == QLatin1String("Terminal")) {
      facts.terminal = value == QLatin1String("true");
    } else if (key == QLatin1String("MimeType")) {
      facts.mimeTypes = ListValue(value);
    } else if (key == QLatin1String("Categories")) {
      facts.categories = ListValue(value);
    }
  }
  return facts;
}

bool IsWebBrowserEntry(const DesktopEntryFacts& entry) {
  if (entry.terminal) return false;
  return entry.categories.contains(QLatin1String("WebBrowser")) ||
         entry.mimeTypes.contains(QLatin1String("x-scheme-handler/http")) ||
         entry.mimeTypes.contains(QLatin1String("x-scheme-handler/https"));
}

BrowserCheck CheckHtmlHandler(
    const std::optional<QString>& htmlHandler,
    const std::function<std::optional<QString>(const QString&)>& readEntry) {
  if (!htmlHandler) return BrowserCheck::Unknown;
  if (htmlHandler->isEmpty()) return BrowserCheck::NoBrowser;
  const std::optional<QString> text = readEntry(*htmlHandler);
  if (!text) return BrowserCheck::Unknown;
  return IsWebBrowserEntry(ReadDesktopEntry(*text)) ? BrowserCheck::Browser
                                                    : BrowserCheck::NoBrowser;
}

BrowserCheck CheckDesktopBrowser() {
  std::optional<QString> handler;
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (!xdgMime.isEmpty()) {
    QProcess query;
    query.start(xdgMime,
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (query.waitForFinished(kQueryTimeoutMs) && query.exitStatus() == QProcess::NormalExit) {
      // It answers nothing (and may still end with status 0) when there is
      // no default; several ids on one line are its preference order.
      const QString answer = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
      handler = answer.section(QLatin1Char(';'), 0, 0).trimmed();
    } else {
      query.kill();
      query.waitForFinished();
    }
  }
  return CheckHtmlHandler(handler, [](const QString& id) -> std::optional<QString> {
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
    return QString::fromUtf8(file.readAll());
  });
}

#include "help_launcher.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "app_test_support.h"
#include "data_dirs.h"
#include "help_window.h"

namespace {

// Answers every step of the help command and records what was asked.
struct HelpProbe {
  HelpProbe(HelpLauncher& launcher, BrowserCheck browser, bool openResult) {
    launcher.checkBrowser = [this, browser] {
      ++checks;
      return browser;
    };
    launcher.openUrl = [this, openResult](const QUrl& url) {
      opened.push_back(url);
      return openResult;
    };
    launcher.showPage = [this](const QString& page) {
      shown.push_back(page);
      return true;
    };
    launcher.showFailure = [this](const QString& text) { messages.push_back(text); };
  }
  int checks = 0;
  std::vector<QUrl> opened;
  std::vector<QString> shown;
  std::vector<QString> messages;
};

TEST(HelpLauncherTest, MissingPageGivesTheFailureMessage) {
  apptest::TempDir empty;
  HelpLauncher launcher(QStringList{QString::fromStdString(empty.Path())});
  HelpProbe probe(launcher, BrowserCheck::Browser, true);
  EXPECT_FALSE(launcher.Launch());
  EXPECT_TRUE(probe.opened.empty());
  EXPECT_TRUE(probe.shown.empty());
  ASSERT_EQ(probe.messages.size(), 1u);
  EXPECT_EQ(probe.messages[0], QStringLiteral("Failed to launch help."));
}

// Where the page goes, by what the desktop says about its browser and
// whether the desktop could open the page.
TEST(HelpLauncherTest, PageGoesToTheBrowserOrElseToTheOwnWindow) {
  apptest::TempDir dir;
  dir.MakeFile("help.html", "<html></html>");
  const QString page = QString::fromStdString(dir.Join("help.html"));
  const struct {
    BrowserCheck browser;
    bool openResult;
    bool opened;
    bool shown;
  } cases[] = {
      {BrowserCheck::Browser, true, true, false},   {BrowserCheck::Unknown, true, true, false},
      {BrowserCheck::NoBrowser, true, false, true},  // never handed to an editor
      {BrowserCheck::Browser, false, true, true},    // the desktop could not open it
      {BrowserCheck::Unknown, false, true, true},
  };
  for (const auto& c : cases) {
    HelpLauncher launcher(QStringList{QString::fromStdString(dir.Path())});
    HelpProbe probe(launcher, c.browser, c.openResult);
    EXPECT_TRUE(launcher.Launch());
    EXPECT_EQ(probe.checks, 1);
    EXPECT_EQ(probe.opened.size(), c.opened ? 1u : 0u) << static_cast<int>(c.browser);
    if (c.opened) {
      EXPECT_EQ(probe.opened[0], QUrl::fromLocalFile(page));
    }
    EXPECT_EQ(probe.shown, c.shown ? std::vector<QString>{page} : std::vector<QString>{})
        << static_cast<int>(c.browser);
    EXPECT_TRUE(probe.messages.empty());
  }
}

TEST(HelpLauncherTest, OwnWindowShowsThePageOnceAndAPageItCannotShowFails) {
  apptest::TempDir dir;
  dir.MakeFile("help.html", "<html><head><title>T</title></head><body>Hi</body></html>");
  HelpLauncher launcher(QStringList{QString::fromStdString(dir.Path())});
  std::vector<QString> messages;
  launcher.checkBrowser = [] { return BrowserCheck::NoBrowser; };
  launcher.showFailure = [&](const QString& text) { messages.push_back(text); };
  ASSERT_TRUE(launcher.Launch());
  HelpWindow* window = launcher.Window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(launcher.Launch());
  EXPECT_EQ(launcher.Window(), window);  // the open window comes forward
  window->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(launcher.Window(), nullptr);

  // A page the window cannot read is a failure.
  launcher.showPage = [](const QString&) { return false; };
  EXPECT_FALSE(launcher.Launch());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], QStringLiteral("Failed to launch help."));
}

TEST(HelpLauncherTest, OpensTheFirstPageFoundAsALocalFile) {
  apptest::TempDir first;
  apptest::TempDir second;
  second.MakeFile("help.html", "<html>second</html>");
  HelpLauncher launcher(
      QStringList{QString::fromStdString(first.Path()), QString::fromStdString(second.Path())});
  HelpProbe probe(launcher, BrowserCheck::Browser, true);
  EXPECT_TRUE(launcher.Launch());
  ASSERT_EQ(probe.opened.size(), 1u);
  EXPECT_EQ(probe.opened[0], QUrl::fromLocalFile(QString::fromStdString(second.Join("help.html"))));

  first.MakeFile("help.html", "<html>first</html>");
  EXPECT_EQ(launcher.FindHelpPage(), QString::fromStdString(first.Join("help.html")));
}

TEST(HelpLauncherTest, PageInTheUsersLanguageComesFirst) {
  apptest::TempDir build;
  apptest::TempDir installed;
  build.MakeFile("help.html");
  installed.MakeFile("help_de.html");
  installed.MakeFile("help_pt_BR.html");
  const QStringList dirs{QString::fromStdString(build.Path()),
                         QString::fromStdString(installed.Path())};
  const struct {
    QStringList languages;
    std::string page;
  } cases[] = {
      {{QStringLiteral("de-AT")}, installed.Join("help_de.html")},
      {{QStringLiteral("pt-BR"), QStringLiteral("de")}, installed.Join("help_pt_BR.html")},
      {{QStringLiteral("pt-PT")}, build.Join("help.html")},  // no Portuguese of Portugal
      {{QStringLiteral("cs"), QStringLiteral("de-DE")}, installed.Join("help_de.html")},
      {{QStringLiteral("en-GB")}, build.Join("help.html")},
      {{}, build.Join("help.html")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HelpLauncher(dirs, c.languages).FindHelpPage(), QString::fromStdString(c.page))
        << c.languages.join(QLatin1Char(' ')).toStdString();
  }
}

TEST(HelpLauncherTest, BuildFolderHasThePageBesideTheProgram) {
  // The build copies the page beside the executables of this folder.
  HelpLauncher launcher;
  EXPECT_FALSE(launcher.FindHelpPage().isEmpty());
}

// What a translation of the help page keeps from the English page: the ids
// its links lead to, the links within the page and the code samples; and
// what it changes: its language and title.
struct PageOutline {
  QString language;
  QString title;
  QStringList ids;
  QStringList links;
  QStringList code;  // sorted: a translation may order its sentences otherwise
};

PageOutline ReadOutline(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QString html = QString::fromUtf8(file.readAll());
  const auto captures = [&html](const QString& pattern) {
    QStringList found;
    const QRegularExpression expression(pattern, QRegularExpression::DotMatchesEverythingOption);
    for (const QRegularExpressionMatch& match : expression.globalMatch(html)) {
      found << match.captured(1);
    }
    return found;
  };
  PageOutline outline{captures(QStringLiteral(R"re(<html\s+lang="([^"]*)")re")).value(0),
                      captures(QStringLiteral("<title>(.*?)</title>")).value(0),
                      captures(QStringLiteral(R"re(\sid="([^"]*)")re")),
                      captures(QStringLiteral(R"re(\shref="#([^"]*)")re")),
                      captures(QStringLiteral("<code>(.*?)</code>"))};
  outline.code.sort();
  return outline;
}

// Each language the windows are translated into has its help page beside
// the program, found for a user of that language, in that language, with
// the English page's anchors, links and code samples.
TEST(HelpLauncherTest, EveryTranslatedPageKeepsTheEnglishPagesAnchorsAndCode) {
  const QString englishPage = HelpLauncher(DataDirs()).FindHelpPage();
  ASSERT_EQ(QFileInfo(englishPage).fileName(), QStringLiteral("help.html"));
  const PageOutline english = ReadOutline(englishPage);
  EXPECT_EQ(english.language, QStringLiteral("en"));
  ASSERT_FALSE(english.ids.isEmpty());
  ASSERT_FALSE(english.code.isEmpty());
  for (const QString& link : english.links) {
    EXPECT_TRUE(english.ids.contains(link)) << link.toStdString();
  }

  const QStringList sources =
      QDir(QStringLiteral(KALVENOR_TS_DIR)).entryList({QStringLiteral("kalvenor_*.ts")});
  ASSERT_FALSE(sources.isEmpty());
  for (const QString& source : sources) {
    const QString language = source.sliced(9).chopped(3);  // kalvenor_LANG.ts
    const QString tag = QString(language).replace(QLatin1Char('_'), QLatin1Char('-'));
    const std::string where = language.toStdString();
    const QString page = HelpLauncher(DataDirs(), {tag}).FindHelpPage();
    EXPECT_EQ(QFileInfo(page).fileName(), QStringLiteral("help_%1.html").arg(language)) << where;
    const PageOutline translated = ReadOutline(page);
    EXPECT_EQ(translated.language, tag) << where;
    EXPECT_FALSE(translated.title.isEmpty()) << where;
    EXPECT_NE(translated.title, english.title) << where;
    EXPECT_EQ(translated.ids, english.ids) << where;
    EXPECT_EQ(translated.links, english.links) << where;
    EXPECT_EQ(translated.code, english.code) << where;
  }
}

TEST(WebBrowserTest, OnlyAGraphicalBrowserCounts) {
  const struct {
    const char* entry;
    bool browser;
  } cases[] = {
      {"[Desktop Entry]\nName=Firefox\nCategories=Network;WebBrowser;\n"
       "MimeType=text/html;x-scheme-handler/http;x-scheme-handler/https;\n",
       true},
      // Says it opens web addresses, without the category.
      {"[Desktop Entry]\nMimeType=text/html;x-scheme-handler/https\nCategories=Network;\n", true},
      // A text editor that claims HTML, in a terminal or not.
      {"[Desktop Entry]\nName=Vim\nTerminal=true\nCategories=Utility;TextEditor;\n"
       "MimeType=text/plain;text/html;\n",
       false},
      {"[Desktop Entry]\nCategories=GTK;Utility;TextEditor;\nMimeType=text/html;\n", false},
      // A browser that runs in a terminal shows the page as text.
      {"[Desktop Entry]\nName=w3m\nTerminal=true\nCategories=Network;WebBrowser;\n", false},
      {"[Desktop Entry]\n  Terminal = false \nCategories=WebBrowser\n", true},
      // Keys of other groups and comments do not count.
      {"# Categories=WebBrowser;\n[Desktop Entry]\nCategories=Office;\n"
       "[Desktop Action web]\nMimeType=x-scheme-handler/http;\nCategories=WebBrowser;\n",
       false},
      {"[Desktop Entry]\nCategories[de]=WebBrowser;\nMimeType=text/html;\n", false},
      {"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsWebBrowserEntry(ReadDesktopEntry(QString::fromUtf8(c.entry))), c.browser)
        << c.entry;
  }
}

TEST(WebBrowserTest, CheckFollowsTheDesktopsAnswer) {
  const QString browser = QStringLiteral("[Desktop Entry]\nCategories=WebBrowser;\n");
  const QString editor = QStringLiteral("[Desktop Entry]\nTerminal=true\nMimeType=text/html;\n");
  const auto entries = [&](const QString& id) -> std::optional<QString> {
    if (id == QLatin1String("firefox.desktop")) return browser;
    if (id == QLatin1String("vim.desktop")) return editor;
    return std::nullopt;
  };
  EXPECT_EQ(CheckHtmlHandler(QStringLiteral("firefox.desktop"), entries), BrowserCheck::Browser);
  EXPECT_EQ(CheckHtmlHandler(QStringLiteral("vim.desktop"), entries), BrowserCheck::NoBrowser);
  EXPECT_EQ(CheckHtmlHandler(QString(), entries), BrowserCheck::NoBrowser);  // no default at all
  EXPECT_EQ(CheckHtmlHandler(QStringLiteral("gone.desktop"), entries), BrowserCheck::Unknown);
  EXPECT_EQ(CheckHtmlHandler(std::nullopt, entries), BrowserCheck::Unknown);  // not asked
}

// The real check, on a desktop made of a stand-in xdg-mime and the
// applications folder of the tests' own data home.
TEST(WebBrowserTest, DesktopIsAskedThroughXdgMime) {
  apptest::TempDir bin;
  const QByteArray savedPath = qgetenv("PATH");
  const QDir applications(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/applications"));
  ASSERT_TRUE(applications.mkpath(QStringLiteral(".")));
  QFile entry(applications.filePath(QStringLiteral("kalvenor-test-browser.desktop")));
  ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
  entry.write("[Desktop Entry]\nType=Application\nName=B\nExec=b %u\nCategories=WebBrowser;\n");
  entry.close();

  const struct {
    const char* answer;
    BrowserCheck check;
  } cases[] = {{"kalvenor-test-browser.desktop", BrowserCheck::Browser},
               {"", BrowserCheck::NoBrowser},
               {"kalvenor-test-missing.desktop", BrowserCheck::Unknown}};
  qputenv("PATH", QByteArray::fromStdString(bin.Path()));
  for (const auto& c : cases) {
    bin.MakeFile("xdg-mime", std::string("#!/bin/sh\n[ \"$*\" = \"query default text/html\" ] && "
                                         "echo '") +
                                 c.answer + "'\n");
    ASSERT_TRUE(QFile::setPermissions(
        QString::fromStdString(bin.Join("xdg-mime")),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    EXPECT_EQ(CheckDesktopBrowser(), c.check) << c.answer;
  }
  QFile::remove(QString::fromStdString(bin.Join("xdg-mime")));
  EXPECT_EQ(CheckDesktopBrowser(), BrowserCheck::Unknown);  // no xdg-mime to ask
  qputenv("PATH", savedPath);
  entry.remove();
}

}  // namespace

#include "kalvenor_app.h"

#include <signal.h>

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include "about_dlg.h"
#include "app_test_support.h"
#include "file_name.h"
#include "folder_path_box.h"
#include "kalvenor_version.h"
#include "kalvenor_view.h"
#include "main_frame.h"
#include "posix_file_system.h"
#include "settings_record.h"

namespace {

using apptest::Find;

class KalvenorAppTest : public ::testing::Test {
 protected:
  QString StoreFile() const { return QString::fromStdString(m_config.Join("Kalvenor.conf")); }
  QVariant Stored(const char* key) const {
    QSettings store(StoreFile(), QSettings::IniFormat);
    return store.value(QStringLiteral("Settings/") + QLatin1String(key));
  }
  void Store(const char* key, const QVariant& value) {
    QSettings store(StoreFile(), QSettings::IniFormat);
    store.setValue(QStringLiteral("Settings/") + QLatin1String(key), value);
  }

  apptest::TempDir m_config;
  apptest::TempDir m_photos;
};

TEST_F(KalvenorAppTest, FirstStartUsesTheWorkingFolderAndWritesTheDefaultsAtExit) {
  KalvenorApp app(StoreFile());
  ASSERT_TRUE(app.InitInstance());
  const std::string cwd = kalvenor::PosixFileSystem().WorkingDirectory().value_or(std::string());
  EXPECT_EQ(kalvenor::StripTrailingSeparators(app.Settings().dir), cwd);
  const KalvenorView* view = app.View();
  EXPECT_TRUE(Find<QCheckBox>(view, "fillGapsCheck")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>(view, "postfixRadio")->isChecked());
  // The window is matched to the desktop entry by this name.
  EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("com.tessavoy.Kalvenor"));
  EXPECT_EQ(app.Frame()->windowTitle(), QStringLiteral("Untitled - Kalvenor"));
  EXPECT_TRUE(app.Frame()->isVisible());
  const QSize shown = app.Frame()->size();
  app.Frame()->close();
  EXPECT_EQ(app.ExitInstance(0), 0);

  EXPECT_EQ(kalvenor::StripTrailingSeparators(Stored("Dir").toString().toStdString()), cwd);
  EXPECT_EQ(Stored("Log").toString(), QString());
  EXPECT_EQ(Stored("Gaps").toInt(), 1);
  EXPECT_EQ(Stored("Sort").toInt(), 0);
  EXPECT_EQ(Stored("Ascending").toInt(), 1);
  EXPECT_EQ(Stored("Postfix").toInt(), 1);
  EXPECT_EQ(Stored("Sets").toInt(), 0);
  EXPECT_EQ(Stored("KeepHidden").toInt(), 0);
  // The window as it was left, for the next start.
  EXPECT_EQ(QSize(Stored("WindowWidth").toInt(), Stored("WindowHeight").toInt()), shown);
  EXPECT_EQ(Stored("WindowMaximized").toInt(), 0);
  EXPECT_GT(Stored("Split").toInt(), 0);
}

TEST_F(KalvenorAppTest, ChoicesOfTheLastStartAreWrittenAndOthersAreNot) {
  Store("Dir", QString::fromStdString(m_photos.Path()));
  Store("Sort", 1);
  {
    KalvenorApp app(StoreFile());
    ASSERT_TRUE(app.InitInstance());
    KalvenorView* view = app.View();
    ASSERT_TRUE(apptest::WaitUntilSettled(view));  // the folder's test
    Find<QLineEdit>(view, "baseNameEdit")->setText(QStringLiteral("Trip"));
    Find<QRadioButton>(view, "prefixRadio")->click();
    Find<QCheckBox>(view, "fillGapsCheck")->setChecked(false);
    Find<QCheckBox>(view, "ascendingCheck")->setChecked(false);
    Find<QRadioButton>(view, "fileTypeRadio")->click();
    Find<QPushButton>(view, "startButton")->click();
    ASSERT_TRUE(apptest::WaitUntilIdle(view));
    // Changed after Start, never seen by a Start: not stored.
    Find<QRadioButton>(view, "dateRadio")->click();
    Find<QRadioButton>(view, "postfixRadio")->click();
    Find<QLineEdit>(view, "logFileEdit")->setText(QStringLiteral("/typed/only.log"));
    app.Frame()->close();
    app.ExitInstance(0);
  }
  EXPECT_EQ(kalvenor::StripTrailingSeparators(Stored("Dir").toString().toStdString()),
            m_photos.Path());
  EXPECT_EQ(Stored("Postfix").toInt(), 0);
  EXPECT_EQ(Stored("Gaps").toInt(), 0);
  EXPECT_EQ(Stored("Ascending").toInt(), 0);
  EXPECT_EQ(Stored("Sort").toInt(), 2);
  EXPECT_EQ(Stored("Log").toString(), QString());

  // The next start shows them again.
  KalvenorApp again(StoreFile());
  ASSERT_TRUE(again.InitInstance());
  EXPECT_TRUE(Find<QRadioButton>(again.View(), "prefixRadio")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>(again.View(), "fileTypeRadio")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>(again.View(), "fillGapsCheck")->isChecked());
  again.Frame()->close();
}

TEST_F(KalvenorAppTest, PresentEmptyDirStaysEmptyAndWrongTypesGiveDefaults) {
  Store("Dir", QString());
  Store("Gaps", QStringLiteral("often"));
  Store("Postfix", 0);
  {
    KalvenorApp app(StoreFile());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.Settings().dir, "");
    EXPECT_EQ(Find<FolderPathBox>(app.View(), "folderBox")->Path(), "");
    EXPECT_FALSE(Find<QPushButton>(app.View(), "startButton")->isEnabled());
    EXPECT_TRUE(Find<QCheckBox>(app.View(), "fillGapsCheck")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(app.View(), "prefixRadio")->isChecked());
    app.Frame()->close();
    app.ExitInstance(0);
  }
  EXPECT_EQ(Stored("Dir").toString(), QString());
  EXPECT_EQ(Stored("Gaps").toInt(), 1);
}

TEST_F(KalvenorAppTest, AboutBoxClosesWithEscapeOkAndTheCloseBox) {
  for (int way = 0; way < 3; ++way) {
    AboutDlg about;
    about.show();
    QApplication::processEvents();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Kalvenor"));
    if (way == 0) QTest::keyClick(&about, Qt::Key_Escape);
    if (way == 1) Find<QPushButton>(&about, "okButton")->click();
    if (way == 2) about.close();
    QApplication::processEvents();
    EXPECT_FALSE(about.isVisible()) << way;
  }
  AboutDlg about;
  EXPECT_EQ(Find<QLabel>(&about, "versionLabel")->text(),
            QStringLiteral("Kalvenor Version " KALVENOR_VERSION_SHOWN));
  // The icon comes from the program's own resources, linked in.
  EXPECT_FALSE(Find<QLabel>(&about, "aboutIcon")->pixmap().isNull());
  EXPECT_TRUE(Find<QPushButton>(&about, "okButton")->isDefault());
}

TEST_F(KalvenorAppTest, AboutCommandOpensTheBoxModallyWithoutWaitingForIt) {
  KalvenorApp app(StoreFile());
  ASSERT_TRUE(app.InitInstance());
  app.Frame()->findChild<QAction*>(QStringLiteral("aboutAction"))->trigger();
  // The command has returned with the box open over the window.
  QWidget* modal = QApplication::activeModalWidget();
  ASSERT_NE(qobject_cast<AboutDlg*>(modal), nullptr);
  EXPECT_EQ(modal->parentWidget(), app.Frame());
  QTest::keyClick(modal, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }));
  app.Frame()->close();
}

TEST_F(KalvenorAppTest, HelpButtonAndMenuOpenTheSamePageOrReportTheFailure) {
  KalvenorApp app(StoreFile());
  ASSERT_TRUE(app.InitInstance());
  std::vector<QUrl> opened;
  std::vector<QString> failures;
  const auto answer = [&](HelpLauncher& help) {
    help.checkBrowser = [] { return BrowserCheck::Browser; };
    help.openUrl = [&](const QUrl& url) {
      opened.push_back(url);
      return true;
    };
    help.showFailure = [&](const QString& text) { failures.push_back(text); };
  };
  answer(app.Help());
  Find<QPushButton>(app.View(), "helpButton")->click();
  app.Frame()->findChild<QAction*>(QStringLiteral("helpAction"))->trigger();
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], opened[1]);
  EXPECT_TRUE(opened[0].isLocalFile());
  EXPECT_TRUE(failures.empty());

  apptest::TempDir empty;
  app.Help() = HelpLauncher(QStringList{QString::fromStdString(empty.Path())});
  answer(app.Help());
  Find<QPushButton>(app.View(), "helpButton")->click();
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0], QStringLiteral("Failed to launch help."));
  app.Frame()->close();
}

TEST_F(KalvenorAppTest, QuitSignalClosesOpenDialogsAndTheWindow) {
  KalvenorApp app(StoreFile());
  ASSERT_TRUE(app.InitInstance());
  app.OnAppAbout();
  ASSERT_NE(QApplication::activeModalWidget(), nullptr);
  ::raise(SIGTERM);
  EXPECT_TRUE(QTest::qWaitFor([&app] { return !app.Frame()->isVisible(); }));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  app.ExitInstance(0);
  EXPECT_TRUE(Stored("Dir").isValid());
}

// A logout while a rename error is on the screen: the message closes, the
// run it held ends, and the window closes after it, with the renames done
// logged.
TEST_F(KalvenorAppTest, QuitSignalWhileARunWaitsOnItsMessageEndsTheRunAndTheWindow) {
  m_photos.MakeFile("a.jpg");
  // The second file's new name is one byte longer than a name may be: its
  // rename fails, with a message.
  const std::string longName = "b." + std::string(250, 'x');
  m_photos.MakeFile(longName);
  Store("Dir", QString::fromStdString(m_photos.Path()));
  Store("Log", QString::fromStdString(m_config.Join("batches.log")));
  KalvenorApp app(StoreFile());
  ASSERT_TRUE(app.InitInstance());
  KalvenorView* view = app.View();
  ASSERT_TRUE(apptest::WaitUntilTreePopulated(view));
  ASSERT_TRUE(apptest::WaitUntilSettled(view));
  Find<QLineEdit>(view, "baseNameEdit")->setText(QStringLiteral("Trip"));
  Find<QPushButton>(view, "startButton")->click();
  ASSERT_TRUE(apptest::WaitUntilIdle(view));
  Find<QPushButton>(view, "continueButton")->click();
  ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), QStringLiteral("Rename error: bad path."));
  EXPECT_TRUE(view->IsRunning());

  ::raise(SIGTERM);
  ASSERT_TRUE(QTest::qWaitFor([&app] { return !app.Frame()->isVisible(); }));
  EXPECT_FALSE(view->IsRunning());
  EXPECT_TRUE(m_photos.Exists("Trip0000.jpg"));
  EXPECT_TRUE(m_photos.Exists(longName));
  EXPECT_NE(m_config.Read("batches.log").find("Trip0000.jpg"), std::string::npos);
  app.ExitInstance(0);
}

// Starts the built program in the folder `work`, offscreen, with its home
// and settings in `home`.
// The arguments go through the shell, so that they may be any bytes.
void StartProgram(QProcess& program, const apptest::TempDir& home, const apptest::TempDir& work,
                  const QStringList& arguments) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), QString::fromStdString(home.Path()));
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(home.Join(".config")));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  program.setProcessEnvironment(env);
  program.setWorkingDirectory(QString::fromStdString(work.Path()));
  QString command = QStringLiteral("exec \"$0\"");
  for (const QString& argument : arguments) command += QStringLiteral(" \"%1\"").arg(argument);
  program.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), command, QStringLiteral(KALVENOR_APP_PATH)});
}

// Waits until the started program catches `signalNumber` (its handlers go
// in before the window is made; a signal before the event loop waits for it).
// The shell it is started through catches SIGINT too, so the process must
// first have become the program.
bool WaitUntilItCatches(const QProcess& program, int signalNumber) {
  const auto catches = [&program](int number) {
    const QString proc = QStringLiteral("/proc/%1/").arg(program.processId());
    if (QFileInfo(proc + QStringLiteral("exe")).canonicalFilePath() !=
        QFileInfo(QStringLiteral(KALVENOR_APP_PATH)).canonicalFilePath()) {
      return false;
    }
    QFile status(proc + QStringLiteral("status"));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
      if (!line.startsWith("SigCgt:")) continue;
      const unsigned long long mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
      return (mask >> (number - 1) & 1u) != 0;
    }
    return false;
  };
  for (int waited = 0; waited < 10000 && !catches(signalNumber); waited += 20) QTest::qWait(20);
  return catches(signalNumber);
}

// The real program, ended the way a logout ends it.
class KalvenorProcessTest : public ::testing::TestWithParam<int> {};

TEST_P(KalvenorProcessTest, SettingsAreWrittenWhenTheProgramIsSignalled) {
  apptest::TempDir home;
  apptest::TempDir work;
  const QString conf = QString::fromStdString(home.Join(".config/Tessavoy/Kalvenor.conf"));
  {
    QSettings store(conf, QSettings::IniFormat);
    store.setValue(QStringLiteral("Settings/Sort"), 2);
  }
  QProcess program;
  StartProgram(program, home, work, {});
  ASSERT_TRUE(program.waitForStarted(10000));
  // Signal only once the program catches the signal.
  ASSERT_TRUE(WaitUntilItCatches(program, GetParam()));
  // SIGTERM, the logout's signal, comes once the window is up; the others
  // come at once, while the program is still starting.
  if (GetParam() == SIGTERM) QTest::qWait(700);
  ASSERT_EQ(program.state(), QProcess::Running) << program.readAllStandardError().toStdString();
  ::kill(static_cast<pid_t>(program.processId()), GetParam());
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);

  QSettings store(conf, QSettings::IniFormat);
  EXPECT_EQ(kalvenor::StripTrailingSeparators(
                store.value(QStringLiteral("Settings/Dir")).toString().toStdString()),
            work.Path());
  EXPECT_EQ(store.value(QStringLiteral("Settings/Sort")).toInt(), 2);
  EXPECT_EQ(store.value(QStringLiteral("Settings/Gaps")).toInt(), 1);
  EXPECT_EQ(store.value(QStringLiteral("Settings/Postfix")).toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(QuitSignals, KalvenorProcessTest,
                         ::testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST_F(KalvenorAppTest, FolderGivenAtStartIsSelectedInsteadOfTheStoredOne) {
  Store("Dir", QString::fromStdString(m_photos.Path()));
  apptest::TempDir other;
  const struct {
    std::string given;
    std::string selected;
  } cases[] = {{other.Path(), other.Path()},
               {other.Join("gone"), other.Path()},  // the nearest folder above
               {std::string(), m_photos.Path()}};   // none given: the stored one
  for (const auto& entry : cases) {
    KalvenorApp app(StoreFile());
    app.SetStartFolder(entry.given);
    ASSERT_TRUE(app.InitInstance());
    ASSERT_TRUE(apptest::WaitUntilTreePopulated(app.View()));
    EXPECT_EQ(
        kalvenor::StripTrailingSeparators(Find<FolderPathBox>(app.View(), "folderBox")->Path()),
        kalvenor::StripTrailingSeparators(entry.selected))
        << entry.given;
    app.Frame()->close();
  }
}

// Help and version need no window system: they print even where no display
// can be had.
TEST_F(KalvenorAppTest, CommandLineOffersHelpAndVersionWithoutADisplay) {
  const struct {
    QStringList arguments;
    const char* shown;
  } cases[] = {
      {{QStringLiteral("--version")}, "Kalvenor " KALVENOR_VERSION_SHOWN "\n"},
      {{QStringLiteral("-v")}, "Kalvenor " KALVENOR_VERSION_SHOWN "\n"},
      {{QStringLiteral("--help")}, "[FOLDER]"},
      {{QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("-h")}, "[FOLDER]"}};
  for (const auto& entry : cases) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
      env.remove(QLatin1String(name));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(KALVENOR_APP_PATH), entry.arguments);
    const std::string shown = entry.arguments.join(QLatin1Char(' ')).toStdString();
    ASSERT_TRUE(program.waitForFinished(10000)) << shown;
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << shown;
    EXPECT_EQ(program.exitCode(), 0) << shown << program.readAllStandardError().toStdString();
    EXPECT_TRUE(program.readAllStandardOutput().contains(entry.shown)) << shown;
  }
}

TEST_F(KalvenorAppTest, FolderOnTheCommandLineIsSelectedAndStored) {
  apptest::TempDir home;
  apptest::TempDir work;
  work.MakeDir("pics");
  work.MakeDir("other");
  // A name that is not UTF-8, given by the shell as its bytes.
  work.MakeDir("caf\xe9");
  // As given, from the working folder the program starts in.
  const struct {
    QString given;
    std::string stored;
  } cases[] = {{QString::fromStdString(work.Join("pics")), work.Join("pics")},
               {QStringLiteral("other/../pics/"), work.Join("pics")},
               {QStringLiteral("other"), work.Join("other")},
               {QStringLiteral("$(printf 'caf\\351')"), work.Join("caf\xe9")}};
  for (const auto& entry : cases) {
    QProcess program;
    StartProgram(program, home, work, {entry.given});
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(WaitUntilItCatches(program, SIGTERM));
    QTest::qWait(700);  // the window is up
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(10000));
    QSettings store(QString::fromStdString(home.Join(".config/Tessavoy/Kalvenor.conf")),
                    QSettings::IniFormat);
    const SettingsRecord stored = LoadSettings(store, std::string());
    EXPECT_EQ(kalvenor::StripTrailingSeparators(stored.dir), entry.stored)
        << entry.given.toStdString();
  }
}

}  // namespace

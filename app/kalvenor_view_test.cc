#include "kalvenor_view.h"
#include "posix_file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSet>
#include <QSplitter>
#include <QStyle>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>
#include <QUrl>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "app_test_support.h"
#include "file_name.h"
#include "folder_path_box.h"
#include "folder_tree.h"
#include "folder_tree_waits.h"
#include "gated_file_system.h"
#include "kalvenor_doc.h"
#include "main_frame.h"
#include "presort.h"
#include "results_list_box.h"
#include "run_announcer.h"
#include "run_progress_dialog.h"
#include "translations.h"
#include "window_dialogs.h"

namespace {

using apptest::Find;
using kalvenor::MessageIcon;

class KalvenorViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_settings.dir = m_photos.Path();
    m_settings.gaps = 0;
    m_settings.postfix = 0;
  }
  // The window goes, and then the disk work it left, which uses the file
  // system, before the file system does.
  void TearDown() override { Close(); }

  // At the form's size every caption is whole: a longer text made its
  // control, and the form, larger.
  void ExpectEveryCaptionWhole(const char* language) const {
    for (const QWidget* widget : m_view->findChildren<QWidget*>()) {
      if (qobject_cast<const QAbstractButton*>(widget) == nullptr &&
          qobject_cast<const QLabel*>(widget) == nullptr) {
        continue;
      }
      if (!widget->isVisibleTo(m_view) || widget->objectName().isEmpty()) continue;
      EXPECT_GE(widget->width(), widget->sizeHint().width())
          << language << ": " << widget->objectName().toStdString();
    }
    for (const auto* group : m_view->findChildren<QGroupBox*>()) {
      const int title =
          group->fontMetrics().horizontalAdvance(group->title().remove(QLatin1Char('&')));
      EXPECT_GE(group->width(), title) << language << ": " << group->objectName().toStdString();
    }
    EXPECT_EQ(m_frame->FormArea()->viewport()->size(), m_view->FormSize()) << language;
  }

  void Close() {
    m_frame.reset();
    ASSERT_TRUE(WaitUntilNoDiskWork());
  }

  // Builds the window as the application does, on `fs` (the real file
  // system when none is given) with dialogs that answer at once, and shows
  // it; waits for the tree's walk when `settle`.
  void Open(kalvenor::FileSystem* fs = nullptr, bool settle = true) {
    m_frame = std::make_unique<MainFrame>(m_doc);
    m_view = new KalvenorView(m_settings, m_doc, fs != nullptr ? *fs : m_fs, m_dialogs);
    m_frame->SetForm(m_view);
    QObject::connect(m_view, &KalvenorView::helpRequested, [this] { ++m_helpCalls; });
    m_view->OnInitialUpdate();
    m_frame->show();
    if (!settle) return;
    ASSERT_TRUE(apptest::WaitUntilTreePopulated(m_view));
    ASSERT_TRUE(apptest::WaitUntilSettled(m_view));
  }

  // The window as Open() builds it, but with the real dialogs.
  void OpenWithRealDialogs() {
    m_frame = std::make_unique<MainFrame>(m_doc);
    m_windowDialogs = std::make_unique<WindowDialogs>(m_frame.get());
    m_view = new KalvenorView(m_settings, m_doc, m_fs, *m_windowDialogs);
    m_frame->SetForm(m_view);
    m_view->OnInitialUpdate();
    m_frame->show();
    ASSERT_TRUE(apptest::WaitUntilTreePopulated(m_view));
    ASSERT_TRUE(apptest::WaitUntilSettled(m_view));
  }

  // Makes the window the active one, so that focus and arrow keys behave as
  // for a user.
  void ActivateWindow() {
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
  }

  template <typename T>
  T* Control(const char* name) const {
    T* control = Find<T>(m_view, name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QPushButton* Button(const char* name) const { return Control<QPushButton>(name); }
  bool Enabled(const char* name) const { return Button(name)->isEnabled(); }
  // Clicks the button and waits for what it started (a run) to end.
  void Click(const char* name) {
    Button(name)->click();
    ASSERT_TRUE(apptest::WaitUntilIdle(m_view)) << name;
  }
  void TypeBaseName(const QString& text) { Control<QLineEdit>("baseNameEdit")->setText(text); }
  // Selects a folder as the tree does, and waits for its test.
  void SelectFolder(const std::string& path) {
    Control<FolderPathBox>("folderBox")->SetPath(path);
    ASSERT_TRUE(apptest::WaitUntilSettled(m_view));
  }
  void UndoFromLog() {
    m_view->OnUndoFromLog();
    ASSERT_TRUE(apptest::WaitUntilIdle(m_view));
  }

  QStringList Lines() const {
    const ResultsListBox* list = Control<ResultsListBox>("resultsList");
    QStringList lines;
    for (int i = 0; i < list->Count(); ++i) lines << list->LineAt(i);
    return lines;
  }

  apptest::TempDir m_photos;
  SettingsRecord m_settings;
  KalvenorDoc m_doc;
  kalvenor::PosixFileSystem m_fs;
  apptest::AnsweringDialogs m_dialogs;
  std::vector<apptest::AnsweringDialogs::Shown>& m_shown = m_dialogs.shown;
  std::unique_ptr<WindowDialogs> m_windowDialogs;
  std::unique_ptr<MainFrame> m_frame;
  KalvenorView* m_view = nullptr;
  int m_helpCalls = 0;
};

TEST_F(KalvenorViewTest, FirstStartShowsTheDefaultsWithEveryActionOff) {
  m_settings = SettingsRecord();
  m_settings.dir = m_photos.Path();
  Open();
  EXPECT_TRUE(Control<QCheckBox>("fillGapsCheck")->isChecked());
  EXPECT_TRUE(Control<QCheckBox>("ascendingCheck")->isChecked());
  EXPECT_TRUE(Control<QRadioButton>("postfixRadio")->isChecked());
  EXPECT_FALSE(Control<QRadioButton>("prefixRadio")->isChecked());
  EXPECT_TRUE(Control<QRadioButton>("alphanumericRadio")->isChecked());
  EXPECT_EQ(Control<QLineEdit>("baseIndexEdit")->text(), QStringLiteral("0"));
  EXPECT_EQ(Control<QLineEdit>("baseNameEdit")->text(), QString());
  EXPECT_EQ(Control<QLineEdit>("logFileEdit")->text(), QString());
  EXPECT_EQ(Control<FolderPathBox>("folderBox")->Path().rfind(m_photos.Path(), 0), 0u);
  EXPECT_FALSE(Enabled("startButton"));
  EXPECT_FALSE(Enabled("continueButton"));
  EXPECT_FALSE(Enabled("undoButton"));
  EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("Untitled - Kalvenor"));
}

TEST_F(KalvenorViewTest, StoredChoicesAreShown) {
  m_settings.gaps = 0;
  m_settings.ascending = 0;
  m_settings.postfix = 0;
  m_settings.sort = 1;
  m_settings.sets = 1;
  m_settings.keepHidden = 1;
  m_settings.log = "/var/tmp/batches.log";
  Open();
  EXPECT_TRUE(Control<QCheckBox>("photoSetsCheck")->isChecked());
  EXPECT_TRUE(Control<QCheckBox>("keepHiddenCheck")->isChecked());
  EXPECT_FALSE(Control<QCheckBox>("fillGapsCheck")->isChecked());
  EXPECT_FALSE(Control<QCheckBox>("ascendingCheck")->isChecked());
  EXPECT_TRUE(Control<QRadioButton>("prefixRadio")->isChecked());
  EXPECT_TRUE(Control<QRadioButton>("dateRadio")->isChecked());
  EXPECT_EQ(Control<QLineEdit>("logFileEdit")->text(), QStringLiteral("/var/tmp/batches.log"));
  EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("/var/tmp/batches.log - Kalvenor"));
}

TEST_F(KalvenorViewTest, AnyOtherPresortValueSelectsFileType) {
  m_settings.sort = 7;
  Open();
  EXPECT_TRUE(Control<QRadioButton>("fileTypeRadio")->isChecked());
}

TEST_F(KalvenorViewTest, StartNeedsAValidFolderAndABaseName) {
  Open();
  EXPECT_FALSE(Enabled("startButton"));
  TypeBaseName(QStringLiteral("H"));
  EXPECT_TRUE(Enabled("startButton"));
  TypeBaseName(QString());
  EXPECT_FALSE(Enabled("startButton"));
  TypeBaseName(QStringLiteral("   "));  // blanks count as a name
  EXPECT_TRUE(Enabled("startButton"));

  SelectFolder("");
  EXPECT_FALSE(Enabled("startButton"));
  SelectFolder(m_photos.Join("missing"));
  EXPECT_FALSE(Enabled("startButton"));
  EXPECT_EQ(m_settings.dir.rfind(m_photos.Path(), 0), 0u);  // refused paths are not stored
  EXPECT_EQ(m_settings.dir.find("missing"), std::string::npos);

  apptest::TempDir other;
  SelectFolder(other.Path());
  EXPECT_TRUE(Enabled("startButton"));
  EXPECT_EQ(m_settings.dir, other.Path());
}

TEST_F(KalvenorViewTest, PreviewSwapsStartForContinueUntilFolderOrNameChanges) {
  m_photos.MakeFile("a.jpg");
  Open();
  TypeBaseName(QStringLiteral("Holiday"));
  Click("startButton");
  EXPECT_FALSE(Enabled("startButton"));
  EXPECT_TRUE(Enabled("continueButton"));

  // Choices other than folder and name keep the preview.
  Control<QRadioButton>("postfixRadio")->click();
  Control<QCheckBox>("fillGapsCheck")->click();
  Control<QLineEdit>("baseIndexEdit")->setText(QStringLiteral("40"));
  Control<QLineEdit>("logFileEdit")->setText(QStringLiteral("x.log"));
  EXPECT_TRUE(Enabled("continueButton"));

  TypeBaseName(QStringLiteral("Holidays"));
  EXPECT_FALSE(Enabled("continueButton"));
  EXPECT_TRUE(Enabled("startButton"));

  Click("startButton");
  EXPECT_TRUE(Enabled("continueButton"));
  SelectFolder(m_photos.Path());  // the tree selecting a folder, even the same one
  EXPECT_FALSE(Enabled("continueButton"));
  EXPECT_TRUE(Enabled("startButton"));
}

TEST_F(KalvenorViewTest, ContinueUsesTheChoicesOfTheLastStart) {
  m_photos.MakeFile("a.jpg");
  Open();
  TypeBaseName(QStringLiteral("Holiday"));
  Control<QRadioButton>("prefixRadio")->click();
  Click("startButton");
  Control<QRadioButton>("postfixRadio")->click();
  Control<QLineEdit>("baseIndexEdit")->setText(QStringLiteral("77"));
  Click("continueButton");
  EXPECT_EQ(m_photos.Names(), std::vector<std::string>{"0001Holiday.jpg"});
  EXPECT_EQ(m_settings.postfix, 0);  // the unpressed choice is not stored
}

TEST_F(KalvenorViewTest, BaseIndexEntriesAreReadAndTheBoxKeepsTheText) {
  m_photos.MakeFile("a.jpg");
  Open();
  TypeBaseName(QStringLiteral("Holiday"));
  const struct {
    const char* text;
    int index;
  } cases[] = {{"0", 0}, {"9999", 9999}, {"10000", 0}, {"-1", 0}, {"abc", 0}, {"  12", 12}};
  for (const auto& entry : cases) {
    Control<QLineEdit>("baseIndexEdit")->setText(QLatin1String(entry.text));
    TypeBaseName(QStringLiteral("Holiday"));  // back to Editing for the next Start
    TypeBaseName(QStringLiteral("H"));
    Click("startButton");
    EXPECT_EQ(m_view->CurrentOptions().baseIndex, entry.index) << entry.text;
    EXPECT_EQ(Control<QLineEdit>("baseIndexEdit")->text(), QLatin1String(entry.text));
  }
  // The last one, "  12", numbers from 12.
  EXPECT_EQ(Lines().value(0), QStringLiteral("a.jpg -> 0012H.jpg"));
}

TEST_F(KalvenorViewTest, PreviewStoppedByTheIndexLimitKeepsContinueOff) {
  m_photos.MakeFile("a.jpg");
  m_photos.MakeFile("b.jpg");
  Open();
  TypeBaseName(QStringLiteral("Holiday"));
  Control<QLineEdit>("baseIndexEdit")->setText(QStringLiteral("9999"));
  Click("startButton");
  EXPECT_FALSE(Enabled("continueButton"));
  EXPECT_TRUE(Enabled("startButton"));
  EXPECT_EQ(Lines().constLast(), QStringLiteral("Index exceeds limit."));
}

TEST_F(KalvenorViewTest, StartContinueAndUndoLastOnARealFolder) {
  m_photos.MakeFile("b.jpg", "bee");
  m_photos.MakeFile("a.jpg", "ay");
  Open();
  TypeBaseName(QStringLiteral("Holiday"));
  Click("startButton");
  EXPECT_EQ(Lines(), (QStringList{QStringLiteral("a.jpg -> 0001Holiday.jpg"),
                                  QStringLiteral("b.jpg -> 0002Holiday.jpg"),
                                  QStringLiteral("Click Continue to do the above.")}));
  EXPECT_EQ(m_photos.Names(), (std::vector<std::string>{"a.jpg", "b.jpg"}));

  Click("continueButton");
  EXPECT_EQ(Lines(), (QStringList{QStringLiteral("a.jpg -> 0001Holiday.jpg"),
                                  QStringLiteral("b.jpg -> 0002Holiday.jpg"),
                                  QStringLiteral("Operations complete.")}));
  EXPECT_EQ(m_photos.Names(), (std::vector<std::string>{"0001Holiday.jpg", "0002Holiday.jpg"}));
  EXPECT_EQ(m_photos.Read("0001Holiday.jpg"), "ay");
  EXPECT_FALSE(Enabled("startButton"));
  EXPECT_FALSE(Enabled("continueButton"));
  EXPECT_TRUE(Enabled("undoButton"));
  EXPECT_EQ(m_view->Batch().Size(), 2u);

  Click("refreshButton");
  EXPECT_TRUE(Enabled("startButton"));
  EXPECT_TRUE(Enabled("undoButton"));
  ASSERT_TRUE(apptest::WaitUntilTreePopulated(m_view));  // its announcement keeps them so
  EXPECT_TRUE(Enabled("startButton"));
  EXPECT_TRUE(Enabled("undoButton"));

  Click("undoButton");
  EXPECT_EQ(Lines(), (QStringList{QStringLiteral("0001Holiday.jpg -> a.jpg"),
                                  QStringLiteral("0002Holiday.jpg -> b.jpg"),
                                  QStringLiteral("Operations complete.")}));
  EXPECT_EQ(m_photos.Names(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
  EXPECT_EQ(m_photos.Read("b.jpg"), "bee");
  EXPECT_FALSE(Enabled("undoButton"));
  EXPECT_FALSE(Enabled("continueButton"));
  EXPECT_TRUE(Enabled("startButton"));
  EXPECT_TRUE(m_shown.empty());
}

// Refuses every rename as a file system refuses one onto a name taken
// after the folder was read.
class RenamesRefused : public kalvenor::FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  std::error_code RenameNoReplace(const kalvenor::FolderHandle&, const std::string&,
                                  const std::string&) override {
    return kalvenor::ErrorFromErrno(EEXIST);
  }
};

TEST_F(KalvenorViewTest, RenameErrorIsShownWithTheStopIcon) {
  m_photos.MakeFile("a.jpg");
  RenamesRefused refused(m_fs);
  Open(&refused);
  TypeBaseName(QStringLiteral("Holiday"));
  Click("startButton");
  Click("continueButton");
  ASSERT_EQ(m_shown.size(), 1u);
  EXPECT_EQ(m_shown[0].text, QStringLiteral("Rename error: access denied."));
  EXPECT_EQ(m_shown[0].icon, MessageIcon::Stop);
  EXPECT_TRUE(m_photos.Exists("a.jpg"));
  EXPECT_EQ(Lines().constLast(), QStringLiteral("Operations complete."));
  EXPECT_FALSE(Enabled("undoButton"));
}

// Lets the second rename of a run fail as a file held open elsewhere would.
class SecondRenameFails : public kalvenor::FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  std::error_code RenameNoReplace(const kalvenor::FolderHandle& folder, const std::string& from,
                                  const std::string& to) override {
    if (++renames == 2) return kalvenor::ErrorFromErrno(ETXTBSY);
    return FileSystemWrapper::RenameNoReplace(folder, from, to);
  }
  int renames = 0;
};

TEST_F(KalvenorViewTest, BatchStoppedByAFailureCanBeUndoneForTheFilesBeforeIt) {
  m_photos.MakeFile("a.jpg");
  m_photos.MakeFile("b.jpg");
  m_photos.MakeFile("c.jpg");
  SecondRenameFails faulty(m_fs);
  Open(&faulty);
  TypeBaseName(QStringLiteral("Holiday"));
  Click("startButton");
  Click("continueButton");
  ASSERT_EQ(m_shown.size(), 1u);
  EXPECT_EQ(m_shown[0].text, QStringLiteral("Rename error: sharing violation."));
  EXPECT_EQ(m_photos.Names(), (std::vector<std::string>{"0001Holiday.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(m_view->Batch().Size(), 1u);
  EXPECT_TRUE(Enabled("undoButton"));
  EXPECT_FALSE(Enabled("startButton"));

  Click("undoButton");
  EXPECT_EQ(m_photos.Names(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(Lines(), (QStringList{QStringLiteral("0001Holiday.jpg -> a.jpg"),
                                  QStringLiteral("Operations complete.")}));
}

TEST_F(KalvenorViewTest, StoredFolderShowsAtOnceWhileTheTreeReadsItsWayDown) {
  m_photos.MakeDir("inner");
  m_settings.dir = m_photos.Join("inner/gone");  // the tree goes to the folder above
  kalvenor::testing::GatedFileSystem slow(m_fs);
  slow.HoldFolders();
  Open(&slow, /*settle=*/false);
  auto* tree = Control<FolderTree>("folderTree");
  EXPECT_EQ(Control<FolderPathBox>("folderBox")->Path(), m_photos.Join("inner/gone"));
  ASSERT_TRUE(slow.WaitUntilHeld());  // the window is up and turning
  EXPECT_TRUE(m_frame->isVisible());
  EXPECT_TRUE(tree->IsPopulating());
  EXPECT_EQ(Control<FolderPathBox>("folderBox")->Path(), m_photos.Join("inner/gone"));

  slow.Release();
  ASSERT_TRUE(apptest::WaitUntilTreePopulated(m_view));
  EXPECT_EQ(Control<FolderPathBox>("folderBox")->Path(), m_photos.Join("inner"));
  EXPECT_EQ(m_settings.dir, m_photos.Join("inner"));
  Close();  // the window and its disk work go before `slow`
}

TEST_F(KalvenorViewTest, APreviewMadeWhileTheTreeReadsItsWayDownStands) {
  m_photos.MakeFile("a.jpg");
  kalvenor::testing::GatedFileSystem slow(m_fs);
  // The walk waits at the folder that holds the stored one.
  slow.HoldFolders(kalvenor::SplitPath(m_photos.Path()).folder);
  Open(&slow, /*settle=*/false);
  ASSERT_TRUE(slow.WaitUntilHeld());
  TypeBaseName(QStringLiteral("Holiday"));
  // The folder's own test, which is not held, comes back meanwhile.
  ASSERT_TRUE(QTest::qWaitFor([this] { return Enabled("startButton"); }));
  Click("startButton");
  EXPECT_TRUE(Enabled("continueButton"));

  slow.Release();
  ASSERT_TRUE(apptest::WaitUntilTreePopulated(m_view));
  EXPECT_EQ(Control<FolderPathBox>("folderBox")->Path(), m_photos.Path());
  EXPECT_TRUE(Enabled("continueButton"));  // the same folder, announced late
  EXPECT_FALSE(Enabled("startButton"));
  Close();  // the window and its disk work go before `slow`
}

// Notes every call that asks the disk and is made on the GUI thread.
class GuiThreadDiskCalls : public kalvenor::FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;

  kalvenor::FolderHandle OpenFolder(const std::string& path, std::error_code* error) override {
    Note("OpenFolder " + path);
    return FileSystemWrapper::OpenFolder(path, error);
  }
  std::error_code Stat(const std::string& path, bool followLinks,
                       kalvenor::PathStat* stat) override {
    Note("Stat " + path);
    return FileSystemWrapper::Stat(path, followLinks, stat);
  }
  std::optional<std::string> RealPath(const std::string& path) override {
    Note("RealPath " + path);
    return FileSystemWrapper::RealPath(path);
  }
  std::string ReadMountTable() override {
    Note("ReadMountTable");
    return FileSystemWrapper::ReadMountTable();
  }
  std::optional<std::string> ReadFile(const std::string& path, std::string* error) override {
    Note("ReadFile " + path);
    return FileSystemWrapper::ReadFile(path, error);
  }

  std::vector<std::string> Calls() {
    const std::lock_guard lock(m_mutex);
    return m_calls;
  }

 private:
  void Note(const std::string& call) {
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) return;
    const std::lock_guard lock(m_mutex);
    m_calls.push_back(call);
  }

  std::mutex m_mutex;
  std::vector<std::string> m_calls;
};

TEST_F(KalvenorViewTest, TypingSelectingDroppingAndUndoingFromALogNeverAskTheDiskOnTheGuiThread) {
  m_photos.MakeDir("inner");
  m_photos.MakeFile("a.jpg");
  apptest::TempDir logs;
  logs.MakeFile("earlier.log", "December 08, 2026 at 16:02:17\n");
  ASSERT_EQ(::chmod(logs.Join("earlier.log").c_str(), 0644), 0);
  GuiThreadDiskCalls disk(m_fs);
  Open(&disk);
  ActivateWindow();
  auto* tree = Control<FolderTree>("folderTree");

  QTest::keyClicks(Control<QLineEdit>("baseNameEdit"), QStringLiteral("Holiday"));
  ASSERT_TRUE(apptest::WaitUntilSettled(m_view));
  EXPECT_TRUE(Enabled("startButton"));
  // The tree's items, picked as the user picks them.
  tree->setFocus();
  for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Home}) {
    QTest::keyClick(tree, key);
    ASSERT_TRUE(apptest::WaitUntilSettled(m_view));
  }
  // A folder and a file dropped, dragged first.
  for (const std::string& path : {m_photos.Join("inner"), m_photos.Join("a.jpg")}) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    const QPoint at = m_view->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_view, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_view, &drop);
    ASSERT_TRUE(apptest::WaitUntilSettled(m_view));
    ASSERT_TRUE(apptest::WaitUntilTreePopulated(m_view));
  }
  EXPECT_EQ(kalvenor::StripTrailingSeparators(Control<FolderPathBox>("folderBox")->Path()),
            m_photos.Path());
  Click("refreshButton");
  ASSERT_TRUE(apptest::WaitUntilTreePopulated(m_view));
  m_dialogs.undoLogFileName = QString::fromStdString(logs.Join("earlier.log"));
  UndoFromLog();
  ASSERT_EQ(m_shown.size(), 1u);
  EXPECT_EQ(m_shown[0].text, QStringLiteral("Nothing to undo."));
  EXPECT_EQ(disk.Calls(), std::vector<std::string>());
  Close();  // before `disk` goes
}

TEST_F(KalvenorViewTest, AWindowWhoseReadsHangGoesAtOnce) {
  m_photos.MakeFile("a.jpg");
  kalvenor::testing::GatedFileSystem hung(m_fs);
  // Every folder read hangs, as on a share that stopped answering: the
  // tree's walk and then a preview.
  hung.HoldFolders();
  Open(&hung, /*settle=*/false);
  ASSERT_TRUE(hung.WaitUntilHeld());
  TypeBaseName(QStringLiteral("Holiday"));
  ASSERT_TRUE(QTest::qWaitFor([this] { return Enabled("startButton"); }));
  Button("startButton")->click();
  ASSERT_TRUE(QTest::qWaitFor([&hung] { return hung.Held() == 2; }));
  EXPECT_TRUE(m_view->IsRunning());

  // A preview only reads: closing does not wait for it, and neither does
  // the window's end wait for the reads.
  m_frame->close();
  EXPECT_FALSE(m_frame->isVisible());
  m_frame.reset();
  EXPECT_EQ(hung.Held(), 2);  // both reads still hang
  hung.Release();
  ASSERT_TRUE(WaitUntilNoDiskWork());
}

TEST_F(KalvenorViewTest, LogThatCannotBeOpenedIsReportedAndTheBatchGoesOn) {
  m_photos.MakeFile("a.jpg");
  Open();
  TypeBaseName(QStringLiteral("Holiday"));
  Control<QLineEdit>("logFileEdit")->setText(QString::fromStdString(m_photos.Join("no/such.log")));
  Click("startButton");
  Click("continueButton");
  ASSERT_EQ(m_shown.size(), 1u);
  EXPECT_EQ(m_shown[0].text, QStringLiteral("Cannot open log file."));
  EXPECT_EQ(m_shown[0].icon, MessageIcon::Exclamation);
  EXPECT_TRUE(m_photos.Exists("0001Holiday.jpg"));
  EXPECT_EQ(m_settings.log, "");  // only a log that opened is stored
}

TEST_F(KalvenorViewTest, OpenedLogBecomesTheSettingAndTheCaption) {
  m_photos.MakeFile("a.jpg");
  apptest::TempDir logs;
  Open();
  TypeBaseName(QStringLiteral("Holiday"));
  Control<QLineEdit>("logFileEdit")->setText(QString::fromStdString(logs.Join("batches.log")));
  EXPECT_EQ(m_settings.log, "");  // typing alone stores nothing
  Click("startButton");
  EXPECT_EQ(m_frame->windowTitle(),
            QString::fromStdString(logs.Join("batches.log")) + QStringLiteral(" - Kalvenor"));
  Click("continueButton");
  EXPECT_EQ(m_settings.log, logs.Join("batches.log"));
  EXPECT_NE(logs.Read("batches.log").find("a.jpg"), std::string::npos);
}

TEST_F(KalvenorViewTest, BrowseCancelledChangesNothing) {
  m_settings.log = "/var/tmp/old.log";
  Open();
  m_dialogs.logFileName = QString();
  Click("browseButton");
  EXPECT_EQ(m_dialogs.logFileNameAsked, 1);
  EXPECT_EQ(Control<QLineEdit>("logFileEdit")->text(), QStringLiteral("/var/tmp/old.log"));
  EXPECT_EQ(m_settings.log, "/var/tmp/old.log");
  EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("/var/tmp/old.log - Kalvenor"));
}

TEST_F(KalvenorViewTest, BrowseConfirmedSetsBoxSettingAndCaption) {
  Open();
  EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("Untitled - Kalvenor"));
  m_dialogs.logFileName = QStringLiteral("/var/tmp/chosen.log");
  Click("browseButton");
  EXPECT_EQ(Control<QLineEdit>("logFileEdit")->text(), m_dialogs.logFileName);
  EXPECT_EQ(m_settings.log, "/var/tmp/chosen.log");
  EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("/var/tmp/chosen.log - Kalvenor"));
  EXPECT_FALSE(QFile::exists(m_dialogs.logFileName));  // chosen, not created
}

TEST_F(KalvenorViewTest, BrowseDialogAddsTheDefaultExtensionToAPlainName) {
  OpenWithRealDialogs();
  apptest::TempDir logs;
  // Answers the real save dialog as a user would: types a name without an
  // extension and confirms it.
  QString filter;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    answer.stop();
    filter = dialog->selectedNameFilter();
    dialog->setDirectory(QString::fromStdString(logs.Path()));
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (name == nullptr) {
      dialog->reject();  // fails the checks below rather than hang
      return;
    }
    name->setText(QStringLiteral("batches"));
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as OK does
  });
  answer.start(20);
  Click("browseButton");
  // The dialog opens and returns at once; it is answered later.
  ASSERT_TRUE(QTest::qWaitFor([&answer] { return !answer.isActive(); }));
  EXPECT_EQ(filter, QStringLiteral("Log files (*.log)"));
  EXPECT_EQ(m_settings.log, logs.Join("batches.log"));
  EXPECT_FALSE(logs.Exists("batches.log"));  // chosen, not created
}

TEST_F(KalvenorViewTest, LogPathThatIsNotTextKeepsItsBytes) {
  Open();
  const std::string odd = m_photos.Join("caf\xe9.log");
  m_view->SetLogPath(odd);
  EXPECT_EQ(m_view->GetLogPath(), odd);
  EXPECT_EQ(m_settings.log, odd);
  Control<QLineEdit>("logFileEdit")->setText(QStringLiteral("/typed.log"));
  EXPECT_EQ(m_view->GetLogPath(), "/typed.log");
}

// The controls of the form, wherever they stand in its layouts: every
// widget with a control ID.
QList<QWidget*> FormControls(const QWidget* view) {
  QList<QWidget*> controls;
  for (QWidget* widget : view->findChildren<QWidget*>()) {
    if (widget->property("controlId").isValid()) controls << widget;
  }
  return controls;
}

QRect PlaceInForm(const QWidget* view, const QWidget* control) {
  return QRect(control->mapTo(view, QPoint(0, 0)), control->size());
}

TEST_F(KalvenorViewTest, EnlargingTheWindowGrowsOnlyResultsAndTree) {
  Open();
  QApplication::processEvents();
  const QList<QWidget*> controls = FormControls(m_view);
  auto* tree = Control<QTreeView>("folderTree");
  auto* results = Control<QWidget>("resultsList");
  // At first the window is fitted to the form: nothing scrolls.
  EXPECT_EQ(m_frame->FormArea()->viewport()->size(), m_view->FormSize());
  std::map<QWidget*, QSize> before;
  for (QWidget* control : controls) before[control] = control->size();
  const int resultsTop = PlaceInForm(m_view, results).top();
  const int treeTop = PlaceInForm(m_view, tree).top();

  for (const QSize more : {QSize(300, 0), QSize(0, 200), QSize(500, 400)}) {
    m_frame->resize(m_frame->size() + more);
    QApplication::processEvents();
    for (QWidget* control : controls) {
      const QSize was = before[control];
      const std::string name = control->objectName().toStdString();
      if (control == tree || control == results) {
        // Each takes all the extra height, and together all the extra width.
        EXPECT_EQ(control->height(), was.height() + more.height()) << name;
        EXPECT_GE(control->width(), was.width()) << name;
      } else if (control->objectName() == QLatin1String("logFileEdit") ||
                 control->objectName() == QLatin1String("folderBox")) {
        EXPECT_EQ(control->height(), was.height()) << name;  // a box under a list widens with it
      } else {
        EXPECT_EQ(control->size(), was) << name;
      }
    }
    EXPECT_EQ(tree->width() + results->width(),
              before[tree].width() + before[results].width() + more.width());
    EXPECT_EQ(PlaceInForm(m_view, results).top(), resultsTop);
    EXPECT_EQ(PlaceInForm(m_view, tree).top(), treeTop);
    m_frame->resize(m_frame->size() - more);
    QApplication::processEvents();
    for (QWidget* control : controls) {
      EXPECT_EQ(control->size(), before[control]) << control->objectName().toStdString();
    }
  }
}

TEST_F(KalvenorViewTest, TheSplitAndTheWindowSizeAreKeptForTheNextStart) {
  Open();
  auto* splitter = Control<QSplitter>("formSplitter");
  // Larger, within the offscreen screen of 800 x 800.
  m_frame->resize(m_frame->size() + QSize(60, 50));
  QApplication::processEvents();
  const QList<int> sizes = splitter->sizes();
  splitter->setSizes({sizes[0] - 40, sizes[1] + 40});
  const QSize left = m_frame->size();
  const int formSide = splitter->sizes()[0];
  m_view->RememberWindow();
  EXPECT_EQ(QSize(m_settings.windowWidth, m_settings.windowHeight), left);
  EXPECT_EQ(m_settings.windowMaximized, 0);
  Close();

  Open();
  QApplication::processEvents();
  EXPECT_EQ(m_frame->size(), left);
  EXPECT_NEAR(Control<QSplitter>("formSplitter")->sizes()[0], formSide, 2);
  m_frame->showMaximized();
  QApplication::processEvents();
  m_view->RememberWindow();
  EXPECT_EQ(QSize(m_settings.windowWidth, m_settings.windowHeight), left);  // the normal size
  EXPECT_EQ(m_settings.windowMaximized, 1);
}

TEST_F(KalvenorViewTest, SmallWindowScrollsTheFormInsteadOfSqueezingIt) {
  Open();
  m_frame->resize(300, 200);
  QApplication::processEvents();
  EXPECT_GE(m_view->width(), m_view->FormSize().width());
  EXPECT_GE(m_view->height(), m_view->FormSize().height());
  auto* tree = Control<QTreeView>("folderTree");
  EXPECT_GT(tree->width(), 0);
}

TEST_F(KalvenorViewTest, ControlsKeepTheirPlacesAndIds) {
  Open();
  const QRect start = Button("startButton")->geometry();
  const QRect cont = Button("continueButton")->geometry();
  EXPECT_EQ(start.x(), cont.x());
  EXPECT_LT(start.bottom(), cont.top());
  EXPECT_EQ(Button("startButton")->property("controlId").toInt(), 1003);
  EXPECT_EQ(Control<QWidget>("resultsList")->property("controlId").toInt(), 1005);
  EXPECT_EQ(Button("refreshButton")->text().remove(QLatin1Char('&')), QStringLiteral("Refresh ->"));
  // No push button is a default button: Enter in a box presses nothing.
  for (QPushButton* button : m_view->findChildren<QPushButton*>()) {
    EXPECT_FALSE(button->isDefault());
    EXPECT_FALSE(button->autoDefault());
  }
  // Every control lies inside the form, and no two overlap.
  const QRect form(QPoint(0, 0), m_view->FormSize());
  const QList<QWidget*> controls = FormControls(m_view);
  for (QWidget* control : controls) {
    const QRect place = PlaceInForm(m_view, control);
    EXPECT_TRUE(form.contains(place)) << control->objectName().toStdString();
    for (QWidget* other : controls) {
      if (other == control || other->isAncestorOf(control) || control->isAncestorOf(other)) {
        continue;
      }
      EXPECT_FALSE(place.intersects(PlaceInForm(m_view, other)))
          << control->objectName().toStdString() << " " << other->objectName().toStdString();
    }
  }
}

TEST_F(KalvenorViewTest, TabVisitsTheControlsInTheOrderTheyAreMade) {
  Open();
  const QStringList expected = {
      "baseNameEdit",   "baseIndexEdit",   "prefixRadio",    "postfixRadio",   "alphanumericRadio",
      "dateRadio",      "fileTypeRadio",   "dateTakenRadio", "ascendingCheck", "fillGapsCheck",
      "photoSetsCheck", "keepHiddenCheck", "logFileEdit",    "browseButton",   "startButton",
      "continueButton", "undoButton",      "helpButton",     "quitButton",     "refreshButton",
      "folderTree",     "folderBox",       "resultsList"};
  QStringList chain;
  for (QWidget* at = m_view->nextInFocusChain(); at != m_view; at = at->nextInFocusChain()) {
    if (m_view->isAncestorOf(at) && at->property("controlId").isValid()) {
      chain << at->objectName();
    }
  }
  EXPECT_EQ(chain, expected);
}

TEST_F(KalvenorViewTest, PresortButtonsCarryThePresortTypes) {
  const struct {
    const char* radio;
    int sort;
  } cases[] = {{"alphanumericRadio", kalvenor::kSortByName},
               {"dateRadio", kalvenor::kSortByDate},
               {"fileTypeRadio", kalvenor::kSortByType},
               {"dateTakenRadio", kalvenor::kSortByTaken}};
  m_photos.MakeFile("a.jpg");
  Open();
  for (const auto& c : cases) {
    auto* radio = Control<QRadioButton>(c.radio);
    EXPECT_EQ(radio->group()->id(radio), c.sort) << c.radio;
    radio->click();
    TypeBaseName(QLatin1String(c.radio));  // Start again after the last preview
    m_settings.sort = -1;
    Click("startButton");
    EXPECT_EQ(m_settings.sort, c.sort) << c.radio;
  }
}

// Date Taken, photo sets and hidden files reach the run: its lines are the
// command line's for the same choices, the line about capture times
// included, and Start stores the choices.
TEST_F(KalvenorViewTest, PhotoChoicesReachTheRunAndAreStored) {
  for (const char* name : {"a.jpg", "a.CR2", "Thumbs.db", "b.jpg"}) {
    m_photos.MakeFile(name);
    const timespec times[2] = {{1700000000, 0}, {1700000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, m_photos.Join(name).c_str(), times, 0), 0);
  }
  const struct {
    bool taken, sets, keepHidden;
    QStringList lines;
  } cases[] = {
      {/*taken=*/true,
       /*sets=*/true,
       /*keepHidden=*/true,
       {"a.CR2 -> 0001Holiday.CR2", "a.jpg -> 0001Holiday.jpg", "b.jpg -> 0002Holiday.jpg",
        "Files without a capture time, ordered by their file time: 2",
        "Click Continue to do the above."}},
      {/*taken=*/false,
       /*sets=*/false,
       /*keepHidden=*/false,
       {"a.CR2 -> 0001Holiday.CR2", "a.jpg -> 0002Holiday.jpg", "b.jpg -> 0003Holiday.jpg",
        "Thumbs.db -> 0004Holiday.db", "Click Continue to do the above."}},
  };
  Open();
  for (const auto& entry : cases) {
    Control<QRadioButton>(entry.taken ? "dateTakenRadio" : "alphanumericRadio")->click();
    Control<QCheckBox>("photoSetsCheck")->setChecked(entry.sets);
    Control<QCheckBox>("keepHiddenCheck")->setChecked(entry.keepHidden);
    TypeBaseName(entry.taken ? QStringLiteral("Holiday") : QStringLiteral("Holiday "));
    TypeBaseName(QStringLiteral("Holiday"));  // Start again after the last preview
    Click("startButton");
    EXPECT_EQ(Lines(), entry.lines) << entry.taken;
    EXPECT_EQ(m_settings.sort, entry.taken ? kalvenor::kSortByTaken : kalvenor::kSortByName);
    EXPECT_EQ(m_settings.sets, entry.sets ? 1 : 0);
    EXPECT_EQ(m_settings.keepHidden, entry.keepHidden ? 1 : 0);
    // Screen readers are told the run's last line.
    EXPECT_EQ(Control<RunAnnouncer>("runAnnouncer")->Text(), entry.lines.back());
  }
}

TEST_F(KalvenorViewTest, QuitClosesTheWindowAndHelpRunsTheHelpCommand) {
  Open();
  Click("helpButton");
  EXPECT_EQ(m_helpCalls, 1);
  Click("quitButton");
  EXPECT_TRUE(m_frame->isVisible());  // the close is posted
  QApplication::processEvents();
  EXPECT_FALSE(m_frame->isVisible());
}

TEST_F(KalvenorViewTest, SpaceTwiceOnAnActionNeverActsAgain) {
  m_photos.MakeFile("a.jpg");
  Open();
  ActivateWindow();
  TypeBaseName(QStringLiteral("Holiday"));
  // Each action pressed by Space, and Space once more wherever the focus went.
  const struct {
    const char* button;
    std::vector<std::string> names;
  } cases[] = {{"startButton", {"a.jpg"}},
               {"continueButton", {"0001Holiday.jpg"}},
               {"undoButton", {"a.jpg"}}};
  for (const auto& entry : cases) {
    Button(entry.button)->setFocus();
    ASSERT_EQ(m_frame->focusWidget(), Button(entry.button)) << entry.button;
    QTest::keyClick(m_frame->focusWidget(), Qt::Key_Space);
    ASSERT_TRUE(apptest::WaitUntilIdle(m_view));
    EXPECT_EQ(m_frame->focusWidget(), Control<QWidget>("resultsList")) << entry.button;
    QTest::keyClick(m_frame->focusWidget(), Qt::Key_Space);
    ASSERT_TRUE(apptest::WaitUntilIdle(m_view));
    EXPECT_EQ(m_photos.Names(), entry.names) << entry.button;
  }
}

TEST_F(KalvenorViewTest, ReturnAndEnterPressTheFocusedButton) {
  m_photos.MakeFile("a.jpg");
  Open();
  TypeBaseName(QStringLiteral("Holiday"));
  const struct {
    const char* button;
    Qt::Key key;
    std::function<int()> presses;
  } cases[] = {
      {"browseButton", Qt::Key_Return, [this] { return m_dialogs.logFileNameAsked; }},
      {"helpButton", Qt::Key_Enter, [this] { return m_helpCalls; }},
      {"startButton", Qt::Key_Return, [this] { return static_cast<int>(Lines().size()); }},
  };
  for (const auto& entry : cases) {
    const int before = entry.presses();
    QTest::keyClick(Button(entry.button), entry.key);
    ASSERT_TRUE(apptest::WaitUntilIdle(m_view));
    EXPECT_GT(entry.presses(), before) << entry.button;
  }
  EXPECT_TRUE(Enabled("continueButton"));  // Start took the preview
  EXPECT_EQ(m_photos.Names(), std::vector<std::string>{"a.jpg"});
}

TEST_F(KalvenorViewTest, TabVisitsEachRadioGroupOnceAndNothingInvisible) {
  m_settings.postfix = 1;
  m_settings.sort = kalvenor::kSortByDate;
  Open();
  ActivateWindow();
  // The Tab chain from the first box round to it again.
  const auto chain = [this] {
    Control<QLineEdit>("baseNameEdit")->setFocus();
    QStringList names;
    for (int guard = 0; guard < 40; ++guard) {
      QWidget* at = m_frame->focusWidget();
      if (at == nullptr) return names << QStringLiteral("(nothing)");
      if (!names.isEmpty() && at->objectName() == QLatin1String("baseNameEdit")) break;
      names << (at->isVisible() ? at->objectName() : QStringLiteral("(invisible)"));
      QTest::keyClick(at, Qt::Key_Tab);
    }
    return names;
  };
  const QStringList tail = {"ascendingCheck", "fillGapsCheck", "photoSetsCheck", "keepHiddenCheck",
                            "logFileEdit",    "browseButton",  "helpButton",     "quitButton",
                            "refreshButton",  "folderTree",    "folderBox",      "resultsList"};
  EXPECT_EQ(chain(), QStringList({"baseNameEdit", "baseIndexEdit", "postfixRadio", "dateRadio"})
                         << tail);

  // The arrows move within a group and take the stop with them.
  Control<QRadioButton>("postfixRadio")->setFocus();
  QTest::keyClick(Control<QRadioButton>("postfixRadio"), Qt::Key_Left);
  EXPECT_EQ(m_frame->focusWidget(), Control<QRadioButton>("prefixRadio"));
  EXPECT_TRUE(Control<QRadioButton>("prefixRadio")->isChecked());
  Control<QRadioButton>("fileTypeRadio")->click();
  EXPECT_EQ(chain(), QStringList({"baseNameEdit", "baseIndexEdit", "prefixRadio", "fileTypeRadio"})
                         << tail);
}

TEST_F(KalvenorViewTest, IndexLimitLineIsScrolledIntoView) {
  for (int i = 0; i < 40; ++i) m_photos.MakeFile("f" + std::to_string(100 + i) + ".jpg");
  Open();
  auto* list = Control<ResultsListBox>("resultsList");
  TypeBaseName(QStringLiteral("Holiday"));
  Control<QLineEdit>("baseIndexEdit")->setText(QStringLiteral("9980"));
  Click("startButton");
  QApplication::processEvents();
  ASSERT_EQ(Lines().constLast(), QStringLiteral("Index exceeds limit."));
  ASSERT_GT(Lines().size(), 20);  // more than the list shows at once
  const QRect last = list->visualRect(list->model()->index(list->Count() - 1, 0));
  EXPECT_TRUE(list->viewport()->rect().contains(last));
}

TEST_F(KalvenorViewTest, BaseNameRefusesCharactersNoFileNameHolds) {
  Open();
  auto* box = Control<QLineEdit>("baseNameEdit");
  const struct {
    QString typed;
    QString kept;
  } cases[] = {{QStringLiteral("Holiday"), QStringLiteral("Holiday")},
               {QStringLiteral("a/b/"), QStringLiteral("ab")},
               {QStringLiteral("x") + QChar(0) + QStringLiteral("y"), QStringLiteral("xy")},
               {QStringLiteral("caf\u00E9 2.x"), QStringLiteral("caf\u00E9 2.x")}};
  for (const auto& entry : cases) {
    box->clear();
    for (const QChar c : entry.typed) box->insert(QString(c));  // as typed, key by key
    EXPECT_EQ(box->text(), entry.kept) << entry.typed.toStdString();
    box->clear();
    box->insert(entry.typed);  // as pasted whole
    EXPECT_EQ(box->text(), entry.typed == entry.kept ? entry.kept : QString())
        << entry.typed.toStdString();
  }
}

TEST_F(KalvenorViewTest, DroppedFolderOrFileSelectsItsFolder) {
  apptest::TempDir other;
  other.MakeDir("inner");
  other.MakeFile("a.jpg");
  Open();
  const QPointF at(m_view->rect().center());
  const struct {
    QUrl dropped;
    bool accepted;
    std::string selected;
  } cases[] = {
      {QUrl::fromLocalFile(QString::fromStdString(other.Join("inner"))), true, other.Join("inner")},
      {QUrl::fromLocalFile(QString::fromStdString(other.Join("a.jpg"))), true, other.Path()},
      // Taken while dragged (a drag never waits for the disk), but a path
      // that is gone selects nothing when dropped.
      {QUrl::fromLocalFile(QString::fromStdString(other.Join("gone"))), true, other.Path()},
      {QUrl(QStringLiteral("https://example.com/photos/")), false, other.Path()},
  };
  for (const auto& entry : cases) {
    QMimeData data;
    data.setUrls({entry.dropped});
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_view, &enter);
    EXPECT_EQ(enter.isAccepted(), entry.accepted) << entry.dropped.toString().toStdString();
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_view, &drop);
    ASSERT_TRUE(apptest::WaitUntilSettled(m_view));
    ASSERT_TRUE(apptest::WaitUntilTreePopulated(m_view));
    EXPECT_EQ(kalvenor::StripTrailingSeparators(Control<FolderPathBox>("folderBox")->Path()),
              entry.selected)
        << entry.dropped.toString().toStdString();
  }
}

// A file dropped on the Log File box becomes the log by its path, never by
// a "file://" address; a folder changes nothing, nor does a web address.
TEST_F(KalvenorViewTest, ADropOnTheLogFileBoxGivesAFilesPathAndNeverAFolders) {
  apptest::TempDir other;
  other.MakeDir("inner");
  other.MakeFile("old.log");
  Open();
  auto* box = Control<QLineEdit>("logFileEdit");
  const QPoint at = box->rect().center();
  const struct {
    QUrl dropped;
    bool accepted;
    std::string log;
  } cases[] = {
      {QUrl::fromLocalFile(QString::fromStdString(other.Join("inner"))), true, ""},
      {QUrl::fromLocalFile(QString::fromStdString(other.Join("old.log"))), true,
       other.Join("old.log")},
      {QUrl::fromLocalFile(QString::fromStdString(other.Join("inner"))), true,
       other.Join("old.log")},
      {QUrl(QStringLiteral("https://example.com/a.log")), false, other.Join("old.log")},
  };
  for (const auto& entry : cases) {
    QMimeData data;
    data.setUrls({entry.dropped});
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
    EXPECT_EQ(enter.isAccepted(), entry.accepted) << entry.dropped.toString().toStdString();
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &drop);
    ASSERT_TRUE(apptest::WaitUntilSettled(m_view));
    EXPECT_EQ(m_settings.log, entry.log) << entry.dropped.toString().toStdString();
    EXPECT_EQ(box->text().toStdString(), entry.log);
  }
}

TEST_F(KalvenorViewTest, LogPathTypedFromTheHomeFolderMeansIt) {
  Open();
  const std::string home = qEnvironmentVariable("HOME").toStdString();
  const struct {
    const char* typed;
    std::string taken;
  } cases[] = {{"~/batches.log", kalvenor::JoinPath(home, "batches.log")},
               {"/var/tmp/~/a.log", "/var/tmp/~/a.log"},
               {"~user/a.log", "~user/a.log"}};
  for (const auto& entry : cases) {
    Control<QLineEdit>("logFileEdit")->setText(QString::fromUtf8(entry.typed));
    EXPECT_EQ(m_view->GetLogPath(), entry.taken) << entry.typed;
  }
}

TEST_F(KalvenorViewTest, BrowseDialogStartsAtTheLogInTheBox) {
  OpenWithRealDialogs();
  apptest::TempDir logs;
  Control<QLineEdit>("logFileEdit")->setText(QString::fromStdString(logs.Join("old.log")));
  QString folder;
  QString name;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    answer.stop();
    folder = dialog->directory().absolutePath();
    if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
      name = edit->text();
    }
    dialog->reject();
  });
  answer.start(20);
  Click("browseButton");
  ASSERT_TRUE(QTest::qWaitFor([&answer] { return !answer.isActive(); }));
  EXPECT_EQ(folder.toStdString(), logs.Path());
  EXPECT_EQ(name, QStringLiteral("old.log"));
  EXPECT_EQ(m_settings.log, "");  // cancelled: nothing changes
}

// Translates every text of every context into a longer text in brackets,
// keeping its '&' and "%1": a text the window shows without asking for its
// translation stays unbracketed, and a control too small for a longer
// translation cuts it off.
class PseudoTranslator : public QTranslator {
 public:
  QString translate(const char* /*context*/, const char* source, const char* /*disambiguation*/,
                    int n) const override {
    QString text =
        QStringLiteral("\u27e6%1 \u00b7\u00b7\u00b7\u00b7\u27e7").arg(QString::fromUtf8(source));
    if (n >= 0) text.replace(QLatin1String("%n"), QString::number(n));
    return text;
  }
  bool isEmpty() const override { return false; }
  static bool Translated(const QString& text) { return text.startsWith(QChar(0x27e6)); }
};

// Every text a widget of the window shows or tells screen readers.
std::vector<std::pair<std::string, QString>> ShownTexts(const QWidget* window) {
  std::vector<std::pair<std::string, QString>> texts;
  const auto add = [&](const QObject* from, const char* what, const QString& text) {
    if (!text.isEmpty()) texts.emplace_back(from->objectName().toStdString() + " " + what, text);
  };
  for (const QWidget* widget : window->findChildren<QWidget*>()) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
      add(widget, "text", button->text());
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) add(widget, "text", label->text());
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
      add(widget, "title", group->title());
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
      add(widget, "placeholder", edit->placeholderText());
    }
    add(widget, "tooltip", widget->toolTip());
    add(widget, "accessible name", widget->accessibleName());
    add(widget, "accessible description", widget->accessibleDescription());
  }
  for (const QAction* action : window->findChildren<QAction*>())
    add(action, "action", action->text());
  return texts;
}

// The letters Alt takes to a control: of the buttons, of the labels and
// group titles, and of the menu bar's titles. None is used twice.
QStringList Mnemonics(const QMainWindow& window) {
  QStringList letters;
  const auto add = [&letters](QString text) {
    text.replace(QLatin1String("&&"), QString());
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    if (at >= 0 && at + 1 < text.size()) letters << text.mid(at + 1, 1).toLower();
  };
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) add(button->text());
    if (const auto* label = qobject_cast<const QLabel*>(widget)) add(label->text());
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) add(group->title());
  }
  for (const QAction* menu : window.menuBar()->actions()) add(menu->text());
  return letters;
}

TEST_F(KalvenorViewTest, EveryTextIsTranslatedAndFitsItsControl) {
  m_photos.MakeFile("a.jpg");
  PseudoTranslator pseudo;
  ASSERT_TRUE(QCoreApplication::installTranslator(&pseudo));
  Open();
  TypeBaseName(QStringLiteral("Holiday"));
  Click("startButton");
  const QStringList lines = Lines();
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_TRUE(PseudoTranslator::Translated(lines.back())) << lines.back().toStdString();
  for (const auto& [where, text] : ShownTexts(m_frame.get())) {
    EXPECT_TRUE(PseudoTranslator::Translated(text)) << where << ": " << text.toStdString();
  }
  ExpectEveryCaptionWhole("pseudo");
  QCoreApplication::removeTranslator(&pseudo);
}

// In each language shipped no two controls share a letter, and every
// caption is whole at the form's size.
TEST_F(KalvenorViewTest, EachLanguageGivesUniqueLettersAndWholeCaptions) {
  Open();
  QStringList english = Mnemonics(*m_frame);
  EXPECT_EQ(english.size(), 22);  // every caption and menu title has one
  for (const char* language : {"de", "es", "fr", "it", "ja", "nl", "pl", "pt_BR"}) {
    Close();
    Translations translations;
    translations.Install(QLocale(QLatin1String(language)));
    Open();
    QStringList letters = Mnemonics(*m_frame);
    letters.sort();
    EXPECT_EQ(letters.size(), english.size()) << language;
    EXPECT_EQ(letters.size(), QSet<QString>(letters.begin(), letters.end()).size())
        << language << ": " << letters.join(QLatin1Char(' ')).toStdString();
    ExpectEveryCaptionWhole(language);
  }
}

// Under a dark palette every control is dark: none paints a fixed light
// colour of its own. (KALVENOR_SHOT_DIR keeps a picture of the window.)
TEST_F(KalvenorViewTest, UnderADarkPaletteEveryControlIsDark) {
  m_photos.MakeFile("a.jpg");
  const QString styleBefore = QApplication::style()->name();
  const QPalette paletteBefore = QApplication::palette();
  QApplication::setStyle(QStringLiteral("Fusion"));
  QPalette dark;
  const QColor window(45, 45, 48), base(30, 30, 32), text(225, 225, 225);
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    dark.setColor(group, QPalette::Window, window);
    dark.setColor(group, QPalette::Button, window);
    dark.setColor(group, QPalette::Base, base);
    dark.setColor(group, QPalette::AlternateBase, window);
    dark.setColor(group, QPalette::WindowText, text);
    dark.setColor(group, QPalette::ButtonText, text);
    dark.setColor(group, QPalette::Text, text);
    dark.setColor(group, QPalette::Highlight, QColor(42, 110, 190));
    dark.setColor(group, QPalette::HighlightedText, Qt::white);
  }
  for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
    dark.setColor(QPalette::Disabled, role, QColor(120, 120, 120));
  }
  QApplication::setPalette(dark);
  Open();
  TypeBaseName(QStringLiteral("Holiday"));
  Click("startButton");
  for (QWidget* control : FormControls(m_view)) {
    const QImage image = control->grab().toImage();
    std::vector<int> lightness;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) lightness.push_back(qGray(image.pixel(x, y)));
    }
    ASSERT_FALSE(lightness.empty()) << control->objectName().toStdString();
    const auto middle = lightness.begin() + static_cast<std::ptrdiff_t>(lightness.size() / 2);
    std::nth_element(lightness.begin(), middle, lightness.end());
    EXPECT_LT(*middle, 100) << control->objectName().toStdString();
  }
  if (const QByteArray shots = qgetenv("KALVENOR_SHOT_DIR"); !shots.isEmpty()) {
    m_frame->grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/dark.png"));
  }
  Close();
  QApplication::setStyle(styleBefore);
  QApplication::setPalette(paletteBefore);
}

TEST_F(KalvenorViewTest, EveryControlHasAnAccessibleName) {
  Open();
  const struct {
    const char* control;
    const char* name;
  } cases[] = {{"baseNameEdit", "Base Name"},
               {"baseIndexEdit", "Base Index"},
               {"logFileEdit", "Log File"},
               {"folderTree", "Select folder to kalvenor"},
               {"resultsList", "Results"},
               {"startButton", "Start"},
               {"prefixRadio", "Prefix"},
               {"fillGapsCheck", "Fill gaps in numbers"},
               {"dateTakenRadio", "Date Taken"},
               {"photoSetsCheck", "Number photo sets as one"},
               {"keepHiddenCheck", "Leave hidden files alone"}};
  const auto nameOf = [](QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(QAccessible::Name) : QString();
  };
  for (const auto& entry : cases) {
    EXPECT_EQ(nameOf(Control<QWidget>(entry.control)), QLatin1String(entry.name)) << entry.control;
  }
  for (QWidget* control : FormControls(m_view)) {
    if (control->focusPolicy() == Qt::NoFocus) continue;
    EXPECT_FALSE(nameOf(control).isEmpty()) << control->objectName().toStdString();
  }
  // The choices are read with the group they stand in.
  const struct {
    const char* control;
    const char* group;
  } grouped[] = {{"prefixRadio", "Index Position"},
                 {"dateTakenRadio", "Presort Type"},
                 {"ascendingCheck", "Presort Type"},
                 {"baseIndexEdit", "Base Index"}};
  for (const auto& entry : grouped) {
    QAccessibleInterface* face =
        QAccessible::queryAccessibleInterface(Control<QWidget>(entry.control));
    ASSERT_NE(face, nullptr) << entry.control;
    ASSERT_NE(face->parent(), nullptr) << entry.control;
    EXPECT_EQ(face->parent()->text(QAccessible::Name), QLatin1String(entry.group)) << entry.control;
  }
  // The progress bar of a run's dialog is named too.
  RunProgressDialog progress(QStringLiteral("Reading the folder\u2026"), m_frame.get());
  EXPECT_EQ(nameOf(progress.findChild<QProgressBar*>()), QStringLiteral("Files done"));
}

}  // namespace

namespace {

// File > Undo from Log File... on logs left by an earlier run: a whole batch,
// a batch killed half way (its last line never renamed), one already undone,
// and a log that others may write.
TEST_F(KalvenorViewTest, UndoFromLogFileRenamesBackWhatAnEarlierRunDid) {
  apptest::TempDir logs;
  const std::string log = logs.Join("earlier.log");
  const std::string header = "December 08, 2026 at 16:02:17\n";
  const auto renamed = [this](const char* from, const char* to) {
    return m_photos.Join(from) + " renamed to " + m_photos.Join(to) + "\n";
  };
  Open();
  const QStringList& questions = m_dialogs.questions;
  m_dialogs.undoLogFileName = QString::fromStdString(log);
  m_dialogs.yes = true;

  // An earlier run renamed a and b; its last line, c, was written and then
  // the run was killed before c's rename.
  m_photos.MakeFile("0001Trip.jpg", "a");
  m_photos.MakeFile("0002Trip.jpg", "b");
  m_photos.MakeFile("c.jpg", "c");
  logs.MakeFile("earlier.log", header + renamed("a.jpg", "0001Trip.jpg") +
                                   renamed("b.jpg", "0002Trip.jpg") +
                                   renamed("c.jpg", "0003Trip.jpg"));
  UndoFromLog();
  EXPECT_TRUE(m_shown.empty());
  ASSERT_EQ(questions.size(), 1);
  EXPECT_EQ(questions[0], QStringLiteral("Rename 2 files of the batch of December 08, 2026 at "
                                         "16:02:17 back to the names they had before it?"));
  EXPECT_EQ(m_photos.Names(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(m_photos.Read("a.jpg"), "a");
  EXPECT_EQ(Lines(), (QStringList{"0001Trip.jpg -> a.jpg", "0002Trip.jpg -> b.jpg",
                                  "Operations complete."}));
  const std::string text = logs.Read("earlier.log");
  EXPECT_NE(text.find(" (UNDO)\n" + m_photos.Join("0001Trip.jpg") + " renamed back to "),
            std::string::npos);

  // Now every batch is back: nothing to undo, and no question.
  UndoFromLog();
  ASSERT_EQ(m_shown.size(), 1u);
  EXPECT_EQ(m_shown[0].text, QStringLiteral("Nothing to undo."));
  EXPECT_EQ(questions.size(), 1);

  // A log that others may write is no record of the user's.
  ASSERT_EQ(::chmod(log.c_str(), 0666), 0);
  UndoFromLog();
  ASSERT_EQ(m_shown.size(), 2u);
  EXPECT_EQ(m_shown[1].text, QString::fromStdString("Cannot undo from log file " + log +
                                                    ": users other than its owner may "
                                                    "write to it."));

  // Declining the question, or choosing no file, leaves everything alone.
  ASSERT_EQ(::chmod(log.c_str(), 0644), 0);
  logs.MakeFile("earlier.log", header + renamed("a.jpg", "0001Trip.jpg") + header);
  ASSERT_EQ(::rename(m_photos.Join("a.jpg").c_str(), m_photos.Join("0001Trip.jpg").c_str()), 0);
  m_dialogs.yes = false;
  UndoFromLog();
  m_dialogs.undoLogFileName = QString();
  UndoFromLog();
  EXPECT_TRUE(m_photos.Exists("0001Trip.jpg"));
  EXPECT_EQ(m_shown.size(), 2u);
}

}  // namespace

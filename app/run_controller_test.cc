// Runs of the form on the run controller's worker, driven offscreen over a
// file system that holds the worker at one chosen call until the test lets
// it go: the window answers meanwhile, Cancel and closing the window stop a
// run between two files, and what the form shows equals what the engine
// shows run in the foreground. Every test waits for a run on finished().
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <atomic>
#include <functional>
#include <memory>

#include "app_test_support.h"
#include "folder_tree_waits.h"
#include "kalvenor_doc.h"
#include "kalvenor_view.h"
#include "log_format.h"
#include "main_frame.h"
#include "presort.h"
#include "results_list_box.h"
#include "run_controller.h"
#include "test_support.h"
#include "undo_last.h"

// Lines print as text when a comparison fails.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace {

using apptest::Find;
using kalvenor::testing::TempDir;

// Which call holds the worker.
enum class Gate { ListFiles, Rename, OpenForReading };

// Forwards to the real file system, but holds the worker at the `nth` call
// of the gate's kind until Release (or 20 s, which fails the test).
class GatedFileSystem : public kalvenor::FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;

  void HoldAt(Gate gate, int nth) {
    m_gate = gate;
    m_nth = nth;
    m_calls = 0;
    m_arrived = false;
  }
  bool Arrived() const { return m_arrived.load(); }
  bool TimedOut() const { return m_timedOut.load(); }
  void Release() { m_release.release(); }

  std::error_code ListFiles(const kalvenor::FolderHandle& folder, bool withTimes,
                            std::vector<kalvenor::FileEntry>& out,
                            std::vector<std::string>* folderNames) override {
    Pass(Gate::ListFiles);
    return FileSystemWrapper::ListFiles(folder, withTimes, out, folderNames);
  }
  std::error_code RenameNoReplace(const kalvenor::FolderHandle& folder, const std::string& from,
                                  const std::string& to) override {
    Pass(Gate::Rename);
    return FileSystemWrapper::RenameNoReplace(folder, from, to);
  }
  kalvenor::ReadHandle OpenForReading(const kalvenor::FolderHandle& folder, const std::string& name,
                                      std::uint64_t* size) override {
    Pass(Gate::OpenForReading);
    return FileSystemWrapper::OpenForReading(folder, name, size);
  }

 private:
  void Pass(Gate gate) {
    if (gate != m_gate || ++m_calls != m_nth) return;
    m_arrived = true;
    if (!m_release.tryAcquire(1, 20000)) m_timedOut = true;
  }

  std::atomic<Gate> m_gate{Gate::ListFiles};
  std::atomic<int> m_nth{0};
  std::atomic<int> m_calls{0};
  std::atomic<bool> m_arrived{false};
  std::atomic<bool> m_timedOut{false};
  QSemaphore m_release;
};

const std::vector<std::string> kPhotos{"b.jpg", "a.jpg", "f.png", "c.jpg", "e.gif", "d.jpg"};

class RunControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const std::string& name : kPhotos) m_photos.MakeFile(name, name);
    m_settings.dir = m_photos.Path();
    m_settings.log = m_logs.Join("batches.log");
    m_settings.sort = kalvenor::kSortByType;
    m_settings.ascending = 1;
    m_settings.gaps = 0;
    m_settings.postfix = 0;
    m_frame = std::make_unique<MainFrame>(m_doc);
    m_view = new KalvenorView(m_settings, m_doc, m_fs, m_dialogs);
    m_frame->SetForm(m_view);
    QObject::connect(m_view, &KalvenorView::runningChanged, m_frame.get(),
                     &MainFrame::OnRunningChanged);
    m_view->OnInitialUpdate();
    m_frame->show();
    // The tree's walk ends first, so that its late word on the folder does
    // not fall in the middle of a step.
    EXPECT_TRUE(apptest::WaitUntilTreePopulated(m_view));
    EXPECT_TRUE(apptest::WaitUntilSettled(m_view));
    Find<QLineEdit>(m_view, "baseNameEdit")->setText(QStringLiteral("Holiday"));
  }

  // Clicks `button` and waits for the run it starts to finish.
  void Click(const char* button) {
    QSignalSpy finished(&m_view->Runs(), &RunController::finished);
    Button(button)->click();
    ASSERT_TRUE(finished.wait(30000)) << button;
  }

  QPushButton* Button(const char* name) const { return Find<QPushButton>(m_view, name); }
  QProgressDialog* Progress() const { return m_frame->findChild<QProgressDialog*>(); }

  QStringList Lines() const {
    const auto* list = Find<ResultsListBox>(m_view, "resultsList");
    QStringList lines;
    for (int i = 0; i < list->Count(); ++i) lines << list->LineAt(i);
    return lines;
  }

  // Clicks `button` with the worker held at `gate`'s `nth` call. While it is
  // held, a 2 ms timer on the GUI thread must keep firing; once it has fired
  // three times and `ready` holds, `atGate` runs and the worker goes on.
  // Returns when the click's run has finished.
  void ClickHeld(const char* button, Gate gate, int nth, const std::function<bool()>& ready,
                 const std::function<void()>& atGate) {
    m_fs.HoldAt(gate, nth);
    int ticksHeld = 0;
    bool released = false;
    QTimer timer;
    timer.setInterval(2);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      if (released || !m_fs.Arrived()) return;
      if (++ticksHeld < 3 || !ready()) return;
      atGate();
      released = true;
      m_fs.Release();
    });
    timer.start();
    Click(button);
    EXPECT_TRUE(released) << button << ": the timer stopped while the run was held";
    EXPECT_FALSE(m_fs.TimedOut()) << button;
    EXPECT_FALSE(m_view->IsRunning());
  }

  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    std::string text = m_logs.Read("batches.log");
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
      lines.push_back(text.substr(at, end - at));
    }
    return lines;
  }

  void TearDown() override {
    EXPECT_TRUE(m_dialogs.shown.empty());
    // The window goes, then the disk work it left, before the file system.
    m_frame.reset();
    ASSERT_TRUE(WaitUntilNoDiskWork());
  }

  TempDir m_photos;
  TempDir m_logs;
  kalvenor::PosixFileSystem m_real;
  GatedFileSystem m_fs{m_real};
  apptest::AnsweringDialogs m_dialogs;
  SettingsRecord m_settings;
  KalvenorDoc m_doc;
  std::unique_ptr<MainFrame> m_frame;
  KalvenorView* m_view = nullptr;
};

// The engine's lines for the same steps in the foreground, on a twin folder.
std::vector<QStringList> ForegroundLines(bool stopAtThirdRename) {
  TempDir twin;
  for (const std::string& name : kPhotos) twin.MakeFile(name, name);
  kalvenor::PosixFileSystem fs;
  kalvenor::testing::RunBench bench(fs);
  bench.options.folder = twin.Path();
  bench.options.baseName = "Holiday";
  bench.options.sortType = kalvenor::kSortByType;
  bench.options.ascending = true;
  bench.options.fillGaps = false;
  bench.options.postfix = false;
  std::vector<QStringList> steps;
  const auto record = [&] {
    QStringList lines;
    for (const std::string& line : bench.results.lines) lines << QString::fromStdString(line);
    steps.push_back(lines);
  };
  bench.Run(/*commit=*/false);
  record();
  struct StopAfter : kalvenor::RunProgress {
    std::size_t after = 0;
    std::size_t done = 0;
    void Advance(std::size_t d, std::size_t) override { done = d; }
    bool StopRequested() const override { return after != 0 && done >= after; }
  } stop;
  stop.after = stopAtThirdRename ? 3 : 0;
  bench.ctx.progress = &stop;
  bench.Run(/*commit=*/true);
  record();
  kalvenor::UndoLastBatch({}, false, bench.ctx, bench.batch);
  record();
  return steps;
}

TEST_F(RunControllerTest, TheWindowAnswersWhileEachRunIsHeldAndShowsWhatAForegroundRunShows) {
  const std::vector<QStringList> expected = ForegroundLines(/*stopAtThirdRename=*/false);
  struct Step {
    const char* button;
    Gate gate;
    int nth;
  };
  const Step steps[] = {{"startButton", Gate::ListFiles, 1},
                        {"continueButton", Gate::Rename, 3},
                        {"undoButton", Gate::Rename, 4}};
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    const Step& step = steps[i];
    // Held until the progress dialog is up with the files done so far.
    const int doneAtGate = step.gate == Gate::Rename ? step.nth - 1 : 0;
    ClickHeld(
        step.button, step.gate, step.nth,
        [&] {
          return Progress() != nullptr && Progress()->isVisible() &&
                 (step.gate != Gate::Rename || Progress()->value() == doneAtGate);
        },
        [&] {
          for (const char* name :
               {"startButton", "continueButton", "undoButton", "browseButton", "refreshButton"}) {
            EXPECT_FALSE(Button(name)->isEnabled()) << step.button << ": " << name;
          }
          EXPECT_FALSE(Find<QLineEdit>(m_view, "baseNameEdit")->isEnabled());
          EXPECT_FALSE(Find<QTreeView>(m_view, "folderTree")->isEnabled());
          EXPECT_FALSE(m_frame->findChild<QAction*>("undoFromLogAction")->isEnabled());
          if (step.gate == Gate::Rename) {
            EXPECT_EQ(Progress()->maximum(), 6) << step.button;
          }
        });
    EXPECT_EQ(Lines(), expected[i]) << step.button;
    EXPECT_EQ(Progress(), nullptr) << step.button;
  }
  EXPECT_TRUE(m_frame->findChild<QAction*>("undoFromLogAction")->isEnabled());
  EXPECT_EQ(m_photos.Names(),
            (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.gif", "f.png"}));
}

// While a "Date Taken" preview reads capture times, the progress dialog
// says so; the Results then end with the line about the files that had
// none, as the command line prints it.
TEST_F(RunControllerTest, ReadingCaptureTimesShowsInTheProgressDialog) {
  Find<QRadioButton>(m_view, "dateTakenRadio")->click();
  QString label;
  ClickHeld(
      "startButton", Gate::OpenForReading, 1,
      [&] { return Progress() != nullptr && Progress()->isVisible(); },
      [&] { label = Progress()->labelText(); });
  EXPECT_EQ(label, QStringLiteral("Reading capture times\u2026"));
  const QStringList lines = Lines();
  ASSERT_GE(lines.size(), 2);
  EXPECT_EQ(lines[lines.size() - 2],
            QStringLiteral("Files without a capture time, ordered by their file time: 6"));
}

TEST_F(RunControllerTest, CancelStopsBetweenTwoFilesAndLeavesDiskLogBatchAndResultsAgreeing) {
  const std::vector<QStringList> expected = ForegroundLines(/*stopAtThirdRename=*/true);
  // As the user cancels: the dialog's own button.
  const auto cancel = [&] { Progress()->findChild<QPushButton*>()->click(); };
  const auto shown = [&] { return Progress() != nullptr && Progress()->isVisible(); };

  // A preview cancelled: the list is empty and the buttons are as before.
  ClickHeld("startButton", Gate::ListFiles, 1, shown, cancel);
  EXPECT_TRUE(Lines().isEmpty());
  EXPECT_TRUE(Button("startButton")->isEnabled());
  EXPECT_FALSE(Button("continueButton")->isEnabled());
  EXPECT_FALSE(Button("undoButton")->isEnabled());

  Click("startButton");
  EXPECT_EQ(Lines(), expected[0]);
  // Cancelled while the third file is renamed: it is finished and logged,
  // the fourth is not touched.
  ClickHeld("continueButton", Gate::Rename, 3, shown, cancel);
  EXPECT_EQ(Lines(), expected[1]);
  EXPECT_EQ(Lines().mid(Lines().size() - 2), (QStringList{QStringLiteral("Stopped before c.jpg."),
                                                          QStringLiteral("Operations complete.")}));
  EXPECT_EQ(m_photos.Names(),
            (std::vector<std::string>{"0001Holiday.gif", "0002Holiday.jpg", "0003Holiday.jpg",
                                      "c.jpg", "d.jpg", "f.png"}));
  EXPECT_EQ(m_view->Batch().Size(), 3u);
  const std::vector<std::string> logged = LogLines();
  ASSERT_EQ(logged.size(), 4u);
  EXPECT_EQ(logged[3] + "\n",
            kalvenor::RenameLogLine(m_photos.Join("b.jpg"), m_photos.Join("0003Holiday.jpg")));
  EXPECT_TRUE(Button("undoButton")->isEnabled());

  // An undo cancelled after its first file keeps the rest to undo.
  ClickHeld("undoButton", Gate::Rename, 1, shown, cancel);
  EXPECT_EQ(Lines(), (QStringList{QStringLiteral("0001Holiday.gif -> e.gif"),
                                  QStringLiteral("Stopped before 0002Holiday.jpg."),
                                  QStringLiteral("Operations complete.")}));
  EXPECT_EQ(m_view->Batch().Size(), 2u);
  EXPECT_TRUE(Button("undoButton")->isEnabled());
  Click("undoButton");
  EXPECT_EQ(m_view->Batch().Size(), 0u);
  EXPECT_EQ(m_photos.Names(),
            (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.gif", "f.png"}));
  EXPECT_EQ(LogLines().size(), 4u + 2u + 3u);  // two undo headers, one line per file back
}

TEST_F(RunControllerTest, ExitMidCommitStopsItAndTheToolUndoesTheWholeBatch) {
  Click("startButton");
  bool closed = true;
  ClickHeld(
      "continueButton", Gate::Rename, 4, [] { return true; },
      [&] {
        // Typing reaches no box while a run works, even before it is slow.
        QTest::keyClicks(Find<QLineEdit>(m_view, "baseNameEdit"), QStringLiteral("x"));
        // File > Exit, as the user reaches it through the menu bar.
        m_frame->findChild<QAction*>("exitAction")->trigger();
        closed = !m_frame->isVisible();
      });
  EXPECT_FALSE(closed) << "the window closed under a run";
  EXPECT_EQ(Find<QLineEdit>(m_view, "baseNameEdit")->text(), QStringLiteral("Holiday"));
  EXPECT_EQ(Lines().constLast(), QStringLiteral("Operations complete."));
  EXPECT_EQ(Lines().at(Lines().size() - 2), QStringLiteral("Stopped before d.jpg."));
  // The close asked for goes through once the run has ended.
  QApplication::processEvents();
  EXPECT_FALSE(m_frame->isVisible());

  QProcess tool;
  tool.start(QStringLiteral(KALVENOR_CLI_PATH),
             {QStringLiteral("--undo-log"), QString::fromStdString(m_logs.Join("batches.log"))});
  ASSERT_TRUE(tool.waitForFinished(20000));
  EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  EXPECT_EQ(m_photos.Names(),
            (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.gif", "f.png"}));
  for (const std::string& name : kPhotos) EXPECT_EQ(m_photos.Read(name), name);
}

// The controller on its own: a message holds its run until it has been
// read, without the GUI thread waiting anywhere; the controller's end (as
// when the program quits with the message still open) answers the message,
// stops the run before its next file and returns.
TEST(RunControllerAlone, AMessageHoldsTheRunUntilReadAndTheControllersEndAnswersIt) {
  for (const bool read : {true, false}) {
    SCOPED_TRACE(read);
    TempDir photos;
    photos.MakeFile("a.jpg");
    photos.MakeFile("b.jpg");
    kalvenor::PosixFileSystem fs;
    kalvenor::testing::VectorResults results;
    auto runs = std::make_unique<RunController>(results, fs);
    QSignalSpy messages(runs.get(), &RunController::messageArrived);
    QSignalSpy finished(runs.get(), &RunController::finished);
    RunRequest request;
    request.kind = RunKind::Commit;
    request.options.folder = photos.Path();
    request.options.baseName = "Trip";
    // A log that is not required and cannot be opened: a message, after
    // which the run goes on.
    request.options.logPath = photos.Join("no/such.log");
    ASSERT_TRUE(runs->Start(request));
    EXPECT_TRUE(runs->IsRunning());
    EXPECT_FALSE(runs->Start(request));  // one run at a time
    ASSERT_TRUE(messages.wait(20000));
    EXPECT_EQ(messages.at(0).at(0).toString(), QStringLiteral("Cannot open log file."));
    // The run waits for the message to be read while the GUI thread turns.
    QTest::qWait(50);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(photos.Names(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
    if (read) {
      runs->MessageRead();
      ASSERT_TRUE(finished.wait(20000));
      const auto result = finished.at(0).at(0).value<RunResult>();
      EXPECT_EQ(result.kind, RunKind::Commit);
      EXPECT_EQ(result.outcome.end, kalvenor::RunEnd::Done);
      EXPECT_EQ(result.batch.Size(), 2u);
      EXPECT_FALSE(runs->IsRunning());
      EXPECT_EQ(photos.Names(), (std::vector<std::string>{"Trip0000.jpg", "Trip0001.jpg"}));
    } else {
      runs.reset();  // returns: the message is answered and the run stopped
      EXPECT_EQ(photos.Names(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
    }
  }
}

}  // namespace

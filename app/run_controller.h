// Runs the renaming engine for the window on a worker thread of its own,
// one run at a time, so that the window keeps painting and answering while
// a slow folder is read or renamed. A run goes in as a value (RunRequest)
// and comes back as one (RunResult) through finished(); Start returns at
// once and nothing waits for the run on the GUI thread.
//
// Meanwhile, on the GUI thread: the run's Results lines are replayed into
// the form's list now and then (ResultsRelay), and always before a message
// and at the end; progressed() tells how far it has come and stageChanged()
// what it is busy with (a stage's files are counted from 0); becameSlow() tells,
// once, that it has worked longer than kSlowAfterMs. A message from the engine
// comes as messageArrived(); the worker waits for it to be read until
// MessageRead() is called, as the engine expects of a message box.
//
// Stop asks the run to stop before its next file; the file in flight is
// always finished and logged. The controller's end stops a run at work and
// answers a message it is waiting on. A commit or an undo is then waited
// for until it stops, so that a file it renamed is always logged, even when
// the program quits. A preview only reads, and may be blocked for good on a
// hung share: it is left behind (see ReadPool for the file system's life).
#pragma once

#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstddef>
#include <memory>

#include "file_system.h"
#include "message_sink.h"
#include "results_list.h"
#include "run_progress.h"
#include "run_request.h"

class QThreadPool;

class RunController : public QObject {
  Q_OBJECT

 public:
  // How long a run works before becameSlow().
  static constexpr int kSlowAfterMs = 500;

  // Runs write into `results` (the form's list, touched on the GUI thread
  // only) and work through `fs` (called from the worker). Both outlive the
  // controller.
  RunController(kalvenor::ResultsList& results, kalvenor::FileSystem& fs,
                QObject* parent = nullptr);
  ~RunController() override;

  // True from Start until finished() is sent.
  bool IsRunning() const { return m_session != nullptr; }
  // The kind of the run at work (or of the last one).
  RunKind Kind() const { return m_kind; }
  // Starts `request` on the worker and returns; false (nothing started)
  // while a run works.
  bool Start(RunRequest request);
  // Asks the run at work, if any, to stop before its next file.
  void Stop();
  // The message of the last messageArrived() has been read: the run goes on.
  void MessageRead();

 signals:
  // The run has ended; its lines are all in the list.
  void finished(const RunResult& result);
  // `done` of `total` files handled (sent when it changes, now and then).
  void progressed(std::size_t done, std::size_t total);
  // The run has begun `stage` (a run begins in Files); its files are
  // counted afresh, and nothing is told until it knows how many there are.
  void stageChanged(kalvenor::RunStage stage);
  // The run has worked for kSlowAfterMs and goes on.
  void becameSlow();
  // The engine shows `text` (decoded for display); call MessageRead() once
  // the user has read it.
  void messageArrived(const QString& text, kalvenor::MessageIcon icon);

 private:
  struct Session;

  // Delivers the lines written so far and tells the progress.
  void Poll();
  void OnMessage(const std::string& text, kalvenor::MessageIcon icon);
  void OnWorkEnded();

  kalvenor::ResultsList& m_results;
  kalvenor::FileSystem& m_fs;
  // The one worker thread, kept between runs: starting a thread per run
  // would cost a quick preview a noticeable share of its time.
  QThreadPool* m_worker;
  QFutureWatcher<RunResult> m_watcher;
  RunKind m_kind = RunKind::Preview;
  QTimer m_poll;
  QElapsedTimer m_clock;
  bool m_slow = false;
  kalvenor::RunStage m_shownStage = kalvenor::RunStage::Files;
  std::size_t m_shownDone = 0;
  std::size_t m_shownTotal = 0;
  // The run at work, if any; shared with the worker, which may outlive the
  // controller with a preview left behind.
  std::shared_ptr<Session> m_session;
};

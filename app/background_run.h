// Runs one renaming run (a preview, a commit or an undo) on a worker
// thread, so that the window keeps painting and answering while a slow
// folder is read or renamed. The caller waits in Exec as before, but the
// GUI thread turns its event loop meanwhile.
//
// The run gets stand-ins for the form's Results list and message boxes:
// its lines are replayed into the form's list on the GUI thread (now and
// then, before each message and at the end), and a message is shown on the
// GUI thread while the run waits for it to be read, as before.
//
// While the run works, the window takes no mouse or key input but for its
// menu bar (it still paints, and may be closed). A run that ends within
// about half a second changes nothing else on the screen, so that a quick
// run looks as it always did; a longer one brings up a progress dialog over
// the window: files done of the total and Cancel. Cancel (or Stop) asks the run to stop
// before its next file; the file in flight is always finished and logged.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <functional>

#include "file_system.h"
#include "message_sink.h"
#include "results_list.h"
#include "run_context.h"
#include "run_outcome.h"
#include "run_progress.h"

class QProgressDialog;
class QWidget;

// How far a run has come and whether it is to stop, shared between the
// worker and the GUI thread without a lock.
class RunProgressFlags : public kalvenor::RunProgress {
 public:
  void Advance(std::size_t done, std::size_t total) override;
  bool StopRequested() const override { return m_stop.load(); }

  void RequestStop() { m_stop.store(true); }
  std::size_t Done() const { return m_done.load(); }
  std::size_t Total() const { return m_total.load(); }

 private:
  std::atomic<std::size_t> m_done{0};
  std::atomic<std::size_t> m_total{0};
  std::atomic<bool> m_stop{false};
};

class BackgroundRun : public QObject {
  Q_OBJECT

 public:
  using Work = std::function<kalvenor::RunOutcome(kalvenor::RenameContext& context)>;

  // How long a run works before its progress dialog appears.
  static constexpr int kProgressDelayMs = 500;

  // `results` and `messages` are the form's, called on the GUI thread only;
  // `fs` is called from the worker. The progress dialog, labelled `label`,
  // stands over `window`; `onSlow` runs just before it appears. All outlive
  // the run.
  BackgroundRun(kalvenor::ResultsList& results, kalvenor::MessageSink& messages,
                kalvenor::FileSystem& fs, QWidget* window, QString label,
                std::function<void()> onSlow = {});
  ~BackgroundRun() override;

  // Runs `work` on a worker thread and returns its outcome once it has
  // finished; meanwhile the GUI thread's events are handled.
  kalvenor::RunOutcome Exec(const Work& work);
  // Asks the run to stop before its next file. GUI thread only.
  void Stop();

  bool StopRequested() const { return m_progress.StopRequested(); }

 protected:
  // Keeps mouse and key input from the window while the run works.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Delivers the lines written so far and brings the progress display up
  // to date, showing it once the run has taken long enough.
  void Poll();

  kalvenor::ResultsList& m_results;
  kalvenor::MessageSink& m_messages;
  kalvenor::FileSystem& m_fs;
  QPointer<QWidget> m_window;
  QString m_label;
  std::function<void()> m_onSlow;
  RunProgressFlags m_progress;
  QProgressDialog* m_dialog = nullptr;
};

#include "run_controller.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <utility>

#include "display_text.h"
#include "read_pool.h"
#include "rename_run.h"
#include "results_relay.h"
#include "run_context.h"
#include "run_progress.h"
#include "run_text_translation.h"
#include "undo_last.h"

namespace {

// How often the GUI thread takes the lines written and the files done.
constexpr int kPollIntervalMs = 50;

// How far a run has come and whether it is to stop, shared between the
// worker and the GUI thread without a lock.
class ProgressFlags : public kalvenor::RunProgress {
 public:
  void BeginStage(kalvenor::RunStage stage) override {
    m_total.store(0);
    m_done.store(0);
    m_stage.store(stage);
  }
  void Advance(std::size_t done, std::size_t total) override {
    m_total.store(total);
    m_done.store(done);
  }
  bool StopRequested() const override { return m_stop.load(); }

  void RequestStop() { m_stop.store(true); }
  std::size_t Done() const { return m_done.load(); }
  std::size_t Total() const { return m_total.load(); }
  kalvenor::RunStage Stage() const { return m_stage.load(); }

 private:
  std::atomic<kalvenor::RunStage> m_stage{kalvenor::RunStage::Files};
  std::atomic<std::size_t> m_done{0};
  std::atomic<std::size_t> m_total{0};
  std::atomic<bool> m_stop{false};
};

// The engine's message sink on the worker: hands the message to the GUI
// thread (`post`, which must not block) and waits until it has been read
// (Read) or nobody is left to read it (Abandon).
class MessageRelay : public kalvenor::MessageSink {
 public:
  using Post = std::function<void(const std::string& text, kalvenor::MessageIcon icon)>;

  explicit MessageRelay(Post post) : m_post(std::move(post)) {}

  void ShowMessage(const std::string& text, kalvenor::MessageIcon icon) override {
    std::unique_lock lock(m_mutex);
    if (m_abandoned) return;
    m_waiting = true;
    m_post(text, icon);
    m_changed.wait(lock, [this] { return !m_waiting || m_abandoned; });
  }

  void Read() {
    {
      const std::lock_guard lock(m_mutex);
      m_waiting = false;
    }
    m_changed.notify_all();
  }

  void Abandon() {
    {
      const std::lock_guard lock(m_mutex);
      m_abandoned = true;
    }
    m_changed.notify_all();
  }

 private:
  Post m_post;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_waiting = false;
  bool m_abandoned = false;
};

}  // namespace

// What one run shares between the worker and the GUI thread.
struct RunController::Session {
  Session(kalvenor::ResultsList& target, MessageRelay::Post post)
      : results(target), messages(std::move(post)) {}

  ResultsRelay results;
  MessageRelay messages;
  ProgressFlags progress;
};

namespace {

RunResult Work(ResultsRelay& results, kalvenor::MessageSink& messages,
               kalvenor::RunProgress& progress, kalvenor::FileSystem& fs, RunRequest& request) {
  kalvenor::RenameContext context{results, messages, fs, &progress};
  RunResult result{request.kind, {}, std::move(request.batch)};
  const kalvenor::RenameOptions& options = request.options;
  switch (request.kind) {
    case RunKind::Preview:
      result.outcome = kalvenor::RenameFiles(/*commit=*/false, options, context, result.batch);
      break;
    case RunKind::Commit:
      result.outcome = kalvenor::RenameFiles(/*commit=*/true, options, context, result.batch);
      break;
    case RunKind::UndoLast:
      result.outcome =
          kalvenor::UndoLastBatch(options.logPath, options.logRequired, context, result.batch);
      break;
    case RunKind::UndoFromLog:
      result.outcome = kalvenor::UndoLastBatch(options.logPath, options.logRequired, context,
                                               result.batch, /*fromLog=*/true);
      break;
  }
  return result;
}

}  // namespace

RunController::RunController(kalvenor::ResultsList& results, kalvenor::FileSystem& fs,
                             QObject* parent)
    : QObject(parent), m_results(results), m_fs(fs), m_worker(new QThreadPool) {
  m_worker->setMaxThreadCount(1);
  m_worker->setExpiryTimeout(-1);
  m_poll.setInterval(kPollIntervalMs);
  connect(&m_poll, &QTimer::timeout, this, &RunController::Poll);
  connect(&m_watcher, &QFutureWatcherBase::finished, this, &RunController::OnWorkEnded);
}

RunController::~RunController() {
  if (m_session != nullptr) {
    // Stop first, so that a run that was waiting on a message finds the
    // stop when it goes on.
    m_session->progress.RequestStop();
    m_session->messages.Abandon();
    // A preview only reads; left behind, the worker (which may be blocked
    // in the kernel for good) is never joined.
    if (m_kind == RunKind::Preview && m_worker->activeThreadCount() != 0) return;
  }
  delete m_worker;  // a commit or an undo stops before its next file
}

bool RunController::Start(RunRequest request) {
  if (IsRunning()) return false;
  m_kind = request.kind;
  m_session = std::make_shared<Session>(
      m_results, [this](const std::string& text, kalvenor::MessageIcon icon) {
        // Posted: the controller outlives every post, or drops it when it goes.
        QMetaObject::invokeMethod(
            this, [this, text, icon] { OnMessage(text, icon); }, Qt::QueuedConnection);
      });
  m_slow = false;
  m_shownStage = kalvenor::RunStage::Files;
  m_shownDone = 0;
  m_shownTotal = 0;
  m_clock.start();
  m_poll.start();
  m_watcher.setFuture(QtConcurrent::run(
      m_worker, [session = m_session, &fs = m_fs, request = std::move(request)]() mutable {
        const ReadPool::CountedWork counted;
        return Work(session->results, session->messages, session->progress, fs, request);
      }));
  return true;
}

void RunController::Stop() {
  if (m_session != nullptr) m_session->progress.RequestStop();
}

void RunController::MessageRead() {
  if (m_session != nullptr) m_session->messages.Read();
}

void RunController::Poll() {
  if (m_session == nullptr) return;
  m_session->results.Deliver();
  const kalvenor::RunStage stage = m_session->progress.Stage();
  if (stage != m_shownStage) {
    m_shownStage = stage;
    m_shownDone = 0;
    m_shownTotal = 0;
    emit stageChanged(stage);
  }
  if (!m_slow) {
    if (m_clock.elapsed() < kSlowAfterMs) return;
    m_slow = true;
    emit becameSlow();
  }
  // Until the run knows how many files it has, nothing is told.
  const std::size_t total = m_session->progress.Total();
  const std::size_t done = m_session->progress.Done();
  if (total == 0 || (total == m_shownTotal && done == m_shownDone)) return;
  m_shownTotal = total;
  m_shownDone = done;
  emit progressed(done, total);
}

void RunController::OnMessage(const std::string& text, kalvenor::MessageIcon icon) {
  if (m_session == nullptr) return;
  // The lines written before the message stand in the list when it shows.
  m_session->results.Deliver();
  emit messageArrived(TranslateRunText(DisplayText(text)), icon);
}

void RunController::OnWorkEnded() {
  m_poll.stop();
  const std::shared_ptr<Session> session = std::move(m_session);
  if (session == nullptr) return;
  session->results.Deliver();
  const RunResult result = m_watcher.future().takeResult();
  emit finished(result);
}

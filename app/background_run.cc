#include "background_run.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <QTimer>
#include <QWidget>
#include <climits>
#include <memory>
#include <utility>

#include "app_texts.h"
#include "results_relay.h"

namespace {

// How often the GUI thread takes the lines written and the files done.
constexpr int kPollIntervalMs = 50;

// Shows the run's messages on the GUI thread, after the lines written
// before them, and returns once the user has read them.
class MessageRelay : public kalvenor::MessageSink {
 public:
  MessageRelay(QObject& guiObject, ResultsRelay& results, kalvenor::MessageSink& target)
      : m_guiObject(guiObject), m_results(results), m_target(target) {}

  void ShowMessage(const std::string& text, kalvenor::MessageIcon icon) override {
    const auto show = [&] {
      m_results.Deliver();
      m_target.ShowMessage(text, icon);
    };
    if (QThread::currentThread() == m_guiObject.thread()) {
      show();
    } else {
      QMetaObject::invokeMethod(&m_guiObject, show, Qt::BlockingQueuedConnection);
    }
  }

 private:
  QObject& m_guiObject;
  ResultsRelay& m_results;
  kalvenor::MessageSink& m_target;
};

// The thread runs work on. It is kept once made: starting a thread for
// every run would cost a quick run a noticeable share of its time.
QThreadPool& RunThreads() {
  static QPointer<QThreadPool> pool;
  if (pool == nullptr) {
    pool = new QThreadPool(QCoreApplication::instance());
    pool->setMaxThreadCount(1);
    pool->setExpiryTimeout(-1);
  }
  return *pool;
}

int ProgressValue(std::size_t count) {
  return count > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(count);
}

}  // namespace

void RunProgressFlags::Advance(std::size_t done, std::size_t total) {
  m_total.store(total);
  m_done.store(done);
}

BackgroundRun::BackgroundRun(kalvenor::ResultsList& results, kalvenor::MessageSink& messages,
                             kalvenor::FileSystem& fs, QWidget* window, QString label,
                             std::function<void()> onSlow)
    : m_results(results),
      m_messages(messages),
      m_fs(fs),
      m_window(window),
      m_label(std::move(label)),
      m_onSlow(std::move(onSlow)) {}

BackgroundRun::~BackgroundRun() { delete m_dialog; }

kalvenor::RunOutcome BackgroundRun::Exec(const Work& work) {
  ResultsRelay results(m_results);
  MessageRelay messages(*this, results, m_messages);
  kalvenor::RenameContext context{results, messages, m_fs, &m_progress};
  kalvenor::RunOutcome outcome;

  QEventLoop loop;
  std::atomic<bool> finished{false};
  QSemaphore left;
  const auto runWork = [&] {
    outcome = work(context);
    finished.store(true);
    // Posted to the loop, which is gone only after `left` was released:
    // its destruction drops the post if it was never delivered.
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    left.release();
  };

  QElapsedTimer clock;
  QTimer poll;
  poll.setInterval(kPollIntervalMs);
  connect(&poll, &QTimer::timeout, this, [&] {
    results.Deliver();
    if (m_dialog != nullptr || clock.elapsed() >= kProgressDelayMs) Poll();
  });

  QCoreApplication::instance()->installEventFilter(this);
  clock.start();
  RunThreads().start(runWork);
  poll.start();
  // Leaving the application's loop leaves every loop; this one is entered
  // again until the run has really finished.
  while (!finished.load()) loop.exec();
  left.acquire();
  QCoreApplication::instance()->removeEventFilter(this);
  poll.stop();
  results.Deliver();
  if (m_dialog != nullptr) m_dialog->hide();
  return outcome;
}

bool BackgroundRun::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride: {
      // Input for the progress dialog, message boxes and menus goes through:
      // they are windows of their own. So does the menu bar's, for
      // File > Exit, which stops the run as closing the window does.
      auto* widget = qobject_cast<QWidget*>(watched);
      if (widget != nullptr && m_window != nullptr && widget->window() == m_window &&
          qobject_cast<QMenuBar*>(widget) == nullptr) {
        return true;
      }
      break;
    }
    default: break;
  }
  return QObject::eventFilter(watched, event);
}

void BackgroundRun::Poll() {
  if (m_dialog == nullptr) {
    if (m_onSlow) m_onSlow();
    m_dialog = new QProgressDialog(m_label, QStringLiteral("Cancel"), 0, 0, m_window);
    m_dialog->setWindowTitle(AppTexts::AppName());
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumDuration(0);
    auto* bar = new QProgressBar(m_dialog);
    bar->setFormat(QStringLiteral("%v of %m files"));
    m_dialog->setBar(bar);
    m_dialog->setRange(0, 0);
    // Closing the dialog cancels too, as does Escape.
    connect(m_dialog, &QProgressDialog::canceled, this, &BackgroundRun::Stop);
    m_dialog->show();
  }
  // Until the run knows how many files it has, the bar shows only that it
  // is busy.
  const std::size_t total = m_progress.Total();
  if (total != 0) {
    m_dialog->setMaximum(ProgressValue(total));
    m_dialog->setValue(ProgressValue(m_progress.Done()));
  }
}

void BackgroundRun::Stop() {
  m_progress.RequestStop();
  if (m_dialog != nullptr) m_dialog->setLabelText(QStringLiteral("Stopping…"));
}

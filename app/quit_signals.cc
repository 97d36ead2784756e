#include "quit_signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>

namespace {

constexpr std::array<int, 3> kQuitSignals{SIGTERM, SIGINT, SIGHUP};

int quitPipe[2] = {-1, -1};  // [0] read by the notifier, [1] written by the handler
struct sigaction previousActions[kQuitSignals.size()];

extern "C" void OnQuitSignal(int signalNumber) {
  const int savedErrno = errno;
  const unsigned char byte = static_cast<unsigned char>(signalNumber);
  // Nothing can be done about a full socket: a quit is pending anyway.
  [[maybe_unused]] const ssize_t written = ::write(quitPipe[1], &byte, 1);
  errno = savedErrno;
}

}  // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
  if (quitPipe[0] != -1) return;  // another instance owns the handlers
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, quitPipe) != 0) {
    quitPipe[0] = quitPipe[1] = -1;
    return;
  }
  m_notifier = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, this);
  connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::OnReadable);

  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kQuitSignals.size(); ++i) {
    ::sigaction(kQuitSignals[i], &action, &previousActions[i]);
  }
}

QuitSignals::~QuitSignals() {
  if (m_notifier == nullptr) return;
  for (std::size_t i = 0; i < kQuitSignals.size(); ++i) {
    ::sigaction(kQuitSignals[i], &previousActions[i], nullptr);
  }
  delete m_notifier;
  ::close(quitPipe[0]);
  ::close(quitPipe[1]);
  quitPipe[0] = quitPipe[1] = -1;
}

void QuitSignals::OnReadable() {
  unsigned char byte = 0;
  int last = 0;
  while (::read(quitPipe[0], &byte, 1) == 1) last = byte;
  if (last != 0) emit quitRequested(last);
}

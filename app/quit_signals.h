// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the GUI thread, so
// that a logout or a kill ends the program the normal way (closing the main
// window, which writes the settings) instead of dropping it mid-air.
//
// The signal handler only writes one byte into a socket pair; a socket
// notifier on the other end emits quitRequested() from the event loop. One
// instance may exist at a time; it restores the previous handlers when it
// is destroyed.
#pragma once

#include <QObject>

class QSocketNotifier;

class QuitSignals : public QObject {
  Q_OBJECT

 public:
  explicit QuitSignals(QObject* parent = nullptr);
  ~QuitSignals() override;

  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

 signals:
  void quitRequested(int signalNumber);

 private:
  void OnReadable();

  QSocketNotifier* m_notifier = nullptr;
};

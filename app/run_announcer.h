// Tells screen readers how a run ended ("Operations complete.", "Click
// Continue to do the above.", an error), as a live status line would.
// Qt 6.4 has no announcement event, and its AT-SPI bridge passes no alert;
// what screen readers on Linux do speak is a notification object that
// becomes showing. So the announcer is an object of its own, invisible on
// the form (no size), that screen readers see as a notification named
// after the announced text; Announce renames it and tells them that it
// shows (name-changed and showing-changed reach AT-SPI clients).
#pragma once

#include <QWidget>

class RunAnnouncer : public QWidget {
  Q_OBJECT

 public:
  explicit RunAnnouncer(QWidget* parent = nullptr);

  // Makes `text` the announcer's name and tells screen readers so.
  void Announce(const QString& text);
  // The text last announced.
  QString Text() const { return accessibleName(); }
};

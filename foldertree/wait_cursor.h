// Shows the wait cursor for as long as the guard lives, also when the scope
// is left by an exception. Guards nest.
#pragma once

#include <QCursor>
#include <QGuiApplication>

class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// Shows the wait cursor for as long as the guard lives, also when the scope
// is left by an exception. Guards nest.
#pragma once

#include <QCursor>
#include <QGuiApplication>

class CWaitCursor {
 public:
  CWaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~CWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};

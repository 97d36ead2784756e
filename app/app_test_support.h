// What the desktop tests share beyond the common test support (temporary
// folders): a test main that runs every test offscreen under a QApplication
// with HOME and XDG_CONFIG_HOME pointed at a temporary folder of its own,
// and small helpers for finding widgets and for waiting for the folder tree.
#pragma once

#include <QWidget>
#include <string>

#include "test_support.h"

namespace apptest {

using kalvenor::testing::TempDir;

// The child of `parent` with object name `name`, failing the test when absent.
template <typename T>
T* Find(const QWidget* parent, const char* name) {
  return parent->findChild<T*>(QLatin1String(name));
}

// Turns the event loop until the folder tree inside `parent` has ended the
// walk of its Populate (at once when none runs); false when it was not found
// or did not end.
bool WaitUntilTreePopulated(const QWidget* parent);

}  // namespace apptest

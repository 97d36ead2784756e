// What the benchmarks of the desktop form share: making the form as the
// program makes it, and pressing its buttons until what they started has
// ended. Header only, and written against the form's public face of this
// version and of earlier ones (whose runs ended inside the click and whose
// messages went through a replaceable function), so that a benchmark
// source copied with it builds against an earlier version too and both can
// be compared in one sitting.
#pragma once

#include <QApplication>
#include <QPushButton>
#include <QString>
#include <cstdio>

#include "kalvenor_doc.h"
#include "kalvenor_view.h"
#include "posix_file_system.h"
#include "settings_record.h"

#if __has_include("run_controller.h")
#include "form_dialogs.h"
#endif

namespace bench {

#if __has_include("run_controller.h")
// Messages go to standard error; questions are declined, choosers cancelled.
class PrintingDialogs : public FormDialogs {
 public:
  void ShowMessage(const QString& text, kalvenor::MessageIcon, Closed closed) override {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
    closed();
  }
  void AskLogFileName(const QString&, Chosen chosen) override { chosen(QString()); }
  void AskUndoLogFileName(const QString&, Chosen chosen) override { chosen(QString()); }
  void AskYesNo(const QString&, Answered answered) override { answered(false); }
};
#endif

// A form over `fs` (the real file system when null) whose messages go to
// standard error; not yet put into a window.
inline KalvenorView* MakeForm(SettingsRecord& settings, KalvenorDoc& doc,
                              kalvenor::FileSystem* fs = nullptr) {
  static kalvenor::PosixFileSystem real;
  kalvenor::FileSystem& used = fs != nullptr ? *fs : real;
#if __has_include("run_controller.h")
  static PrintingDialogs dialogs;
  return new KalvenorView(settings, doc, used, dialogs);
#else
  auto* view = new KalvenorView(settings, doc, used);
  view->showMessage = [](const QString& text, kalvenor::MessageIcon) {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
  };
  return view;
#endif
}

// Turns the event loop until `done` holds, sleeping while no event comes
// (processEvents with a time limit would spin, and take the processor from
// the run it waits for).
template <typename Done>
void TurnUntil(const Done& done) {
  while (!done()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Clicks `button` and returns once the run it started has ended (at once
// where the run ended inside the click).
inline void ClickAndWait(KalvenorView& view, QPushButton& button) {
  button.click();
  TurnUntil([&view] { return !view.IsRunning(); });
}

}  // namespace bench

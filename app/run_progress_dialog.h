// The dialog a run shows once it turns out slow: what it does, files done
// of the total (or only that it is busy, until the run knows the total),
// and Cancel. It stands over the main window without blocking it, so that
// the menu bar's File > Exit still reaches the window. Cancel, the close
// box and Escape all ask the run to stop (cancelled); the dialog then says
// that it is stopping.
#pragma once

#include <QProgressDialog>
#include <cstddef>

class RunProgressDialog : public QProgressDialog {
  Q_OBJECT

 public:
  // Shows itself at once, labelled `label`, over `window`.
  RunProgressDialog(const QString& label, QWidget* window);

  void SetProgress(std::size_t done, std::size_t total);
  // Says that the run now does what `label` says, busy until it knows how
  // many files that takes (as at first).
  void SetStage(const QString& label);
  // Says that the run is stopping.
  void SetStopping();
};

#include "run_progress_dialog.h"

#include <QProgressBar>
#include <climits>

#include "app_texts.h"

namespace {

int ProgressValue(std::size_t count) {
  return count > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(count);
}

}  // namespace

RunProgressDialog::RunProgressDialog(const QString& label, QWidget* window)
    : QProgressDialog(label, AppTexts::Cancel(), 0, 0, window) {
  setWindowTitle(AppTexts::AppName());
  setAutoClose(false);
  setAutoReset(false);
  setMinimumDuration(0);
  auto* bar = new QProgressBar(this);
  bar->setFormat(AppTexts::FilesDoneOfTotal());
  bar->setAccessibleName(AppTexts::FilesDoneName());
  setBar(bar);
  // Until the run knows how many files it has, the bar shows only that it
  // is busy.
  setRange(0, 0);
  connect(this, &QProgressDialog::canceled, this, &RunProgressDialog::SetStopping);
  show();
}

void RunProgressDialog::SetProgress(std::size_t done, std::size_t total) {
  setMaximum(ProgressValue(total));
  setValue(ProgressValue(done));
}

void RunProgressDialog::SetStage(const QString& label) {
  if (wasCanceled()) return;  // it says that it is stopping
  setLabelText(label);
  setRange(0, 0);
}

void RunProgressDialog::SetStopping() { setLabelText(AppTexts::Stopping()); }

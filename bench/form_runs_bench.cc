// How long Start, Continue and Undo Last take through the desktop form on a
// warm local folder of 9,999 files, each from the click until the Results
// list is filled and drawn. Uses the form's public face only, so that the
// same source (with bench_support.h and form_bench_support.h) can be built
// against an earlier version of the program and both be compared in one
// sitting. Prints medians in milliseconds, and with --raw one line per round.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_support.h"
#include "form_bench_support.h"
#include "kalvenor_doc.h"
#include "kalvenor_view.h"
#include "main_frame.h"
#include "results_list_box.h"
#include "test_support.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int rounds = 7;
  bool raw = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--raw") == 0) raw = true;
    if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) rounds = std::atoi(argv[++i]);
  }
  QApplication application(argc, argv);

  const kalvenor::testing::TempDir temp("kalvenor-form-bench-", "/tmp");
  const std::string folder = temp.Path() + "/photos";
  temp.MakeDir("photos");
  bench::MakePhotos(folder);

  SettingsRecord settings;
  settings.dir = folder;
  settings.log = temp.Path() + "/batches.log";
  KalvenorDoc doc;
  MainFrame frame(doc);
  auto* view = bench::MakeForm(settings, doc);
  frame.SetForm(view);
  view->OnInitialUpdate();
  frame.show();
  QApplication::processEvents();
  auto* baseName = view->findChild<QLineEdit*>(QStringLiteral("baseNameEdit"));
  auto* results = view->findChild<ResultsListBox*>(QStringLiteral("resultsList"));
  baseName->setText(QStringLiteral("Holiday"));
  auto* start = view->findChild<QPushButton*>(QStringLiteral("startButton"));
  bench::TurnUntil([start] { return start->isEnabled(); });  // the folder's test

  const auto clickTimed = [&](const char* button) {
    auto* pushed = view->findChild<QPushButton*>(QLatin1String(button));
    // The click comes to a window at rest: what the last step left to do
    // (its painting) is done before the clock starts.
    QApplication::processEvents();
    const auto begin = std::chrono::steady_clock::now();
    bench::ClickAndWait(*view, *pushed);
    results->viewport()->repaint();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - begin).count();
  };

  std::vector<double> starts, continues, undos;
  for (int round = 0; round < rounds; ++round) {
    starts.push_back(clickTimed("startButton"));
    continues.push_back(clickTimed("continueButton"));
    undos.push_back(clickTimed("undoButton"));
    if (raw) {
      std::printf("round %d: start %.2f continue %.2f undo %.2f\n", round, starts.back(),
                  continues.back(), undos.back());
    }
    // Back to a state where Start may be pressed (outside the timing).
    baseName->setText(round % 2 == 0 ? QStringLiteral("Holiday ") : QStringLiteral("Holiday"));
  }
  std::printf("start %.2f continue %.2f undo %.2f  (medians of %d rounds, ms, %d lines)\n",
              bench::Median(starts), bench::Median(continues), bench::Median(undos), rounds,
              results->Count());
  return 0;
}

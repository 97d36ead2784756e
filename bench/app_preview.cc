// Measures how much the desktop form adds to a preview of 9,999 files: the
// engine's preview into a plain vector against the same preview started by
// the form's Start button, with the Results list filled and painted. Both
// run on the same folder in the same process; medians of several rounds.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_support.h"
#include "form_bench_support.h"
#include "kalvenor_doc.h"
#include "kalvenor_view.h"
#include "main_frame.h"
#include "rename_run.h"
#include "results_list_box.h"
#include "test_support.h"

namespace {

constexpr int kFiles = bench::kPhotoCount;
constexpr int kRounds = 21;

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  const kalvenor::testing::TempDir temp("kalvenor-app-bench-");
  const std::string folder = temp.Path();
  bench::MakePhotos(folder);

  // The engine alone, previewing into a vector.
  kalvenor::PosixFileSystem fs;
  kalvenor::testing::RunBench engine(fs);
  kalvenor::RenameOptions& options = engine.options;
  options.folder = folder;
  options.baseName = "Holiday";
  options.postfix = true;
  options.fillGaps = true;

  // The same preview through the form, the list filled and drawn.
  SettingsRecord settings;
  settings.dir = folder;
  KalvenorDoc doc;
  MainFrame frame(doc);
  auto* view = bench::MakeForm(settings, doc);
  frame.SetForm(view);
  view->OnInitialUpdate();
  frame.show();
  QApplication::processEvents();
  auto* baseName = view->findChild<QLineEdit*>(QStringLiteral("baseNameEdit"));
  auto* start = view->findChild<QPushButton*>(QStringLiteral("startButton"));
  auto* results = view->findChild<ResultsListBox*>(QStringLiteral("resultsList"));

  // Rounds alternate between the two, so that a busy machine weighs on both.
  std::vector<double> engineTimes;
  std::vector<double> formTimes;
  for (int round = 0; round < kRounds; ++round) {
    auto begin = std::chrono::steady_clock::now();
    engine.Run(false);
    auto end = std::chrono::steady_clock::now();
    engineTimes.push_back(std::chrono::duration<double, std::milli>(end - begin).count());

    // Back to Editing (outside the timing), then Start as the user presses it.
    baseName->setText(round % 2 == 0 ? QStringLiteral("Holiday") : QStringLiteral("Holiday "));
    bench::TurnUntil([start] { return start->isEnabled(); });  // the folder's test
    begin = std::chrono::steady_clock::now();
    bench::ClickAndWait(*view, *start);
    results->viewport()->repaint();
    end = std::chrono::steady_clock::now();
    formTimes.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
  }
  // The list alone, given the same lines.
  std::vector<double> listTimes;
  ResultsListBox lone;
  lone.resize(results->size());
  lone.show();
  for (int round = 0; round < kRounds; ++round) {
    const auto begin = std::chrono::steady_clock::now();
    lone.SetRedraw(false);
    lone.Clear();
    for (const std::string& line : engine.results.lines) lone.AddLine(line);
    lone.ScrollToTop(lone.Count() - 1);
    lone.SetRedraw(true);
    lone.viewport()->repaint();
    const auto end = std::chrono::steady_clock::now();
    listTimes.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
  }
  const double listMs = bench::Median(listTimes);
  const double engineMs = bench::Median(engineTimes);
  const double formMs = bench::Median(formTimes);

  std::printf("files: %d, rounds: %d (medians)\n", kFiles, kRounds);
  std::printf("engine preview into a vector:        %8.2f ms (%zu lines)\n", engineMs,
              engine.results.lines.size());
  std::printf("form preview, list filled and drawn: %8.2f ms (%d lines)\n", formMs,
              results->ShownCount());
  std::printf("the Results list alone, same lines:  %8.2f ms\n", listMs);
  std::printf("ratio form / engine:                 %8.2f (goal: at most 1.30)\n",
              formMs / engineMs);

  // A message from the engine means its figure is not a plain preview's.
  for (const auto& [text, icon] : engine.messages.shown)
    std::fprintf(stderr, "message: %s\n", text.c_str());
  return 0;
}

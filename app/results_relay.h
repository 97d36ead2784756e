// A Results list for a run on a worker thread: it records what the run
// writes (clearing, lines, scrolling, holding the repaint) and replays it,
// in the same order, into the form's own list on the GUI thread, whose
// widgets no other thread may touch. Count() answers at once from the
// lines recorded, as the form's list will count them once they are
// delivered; the preview's closing line counts as one line.
//
// The recording calls may come from any one thread; Deliver from the GUI
// thread only, as often as it likes.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "results_list.h"

class ResultsRelay : public kalvenor::ResultsList {
 public:
  // Replays into `target`, which must outlive the relay; its count is read
  // now, on the GUI thread.
  explicit ResultsRelay(kalvenor::ResultsList& target);

  void Clear() override;
  void AddLine(const std::string& line) override;
  void AddPreviewClosingLine() override;
  int Count() const override;
  void ScrollToTop(int index) override;
  void SetRedraw(bool on) override;

  // Replays every call recorded since the last delivery into the target.
  void Deliver();

 private:
  enum class Call { Clear, AddLine, AddPreviewClosingLine, ScrollToTop, SetRedraw };
  struct Recorded {
    Call call;
    int value = 0;  // ScrollToTop's index; SetRedraw's flag
    std::string line;
  };
  // Keeps `recorded`, which adds `linesAdded` lines to the list (Clear
  // empties it), in one step.
  void Record(Recorded recorded, int linesAdded);

  kalvenor::ResultsList& m_target;
  mutable std::mutex m_mutex;
  std::vector<Recorded> m_recorded;
  int m_count;
};

#include "results_relay.h"

#include <utility>

ResultsRelay::ResultsRelay(kalvenor::ResultsList& target)
    : m_target(target), m_count(target.Count()) {}

void ResultsRelay::Record(Recorded recorded, int linesAdded) {
  const std::lock_guard lock(m_mutex);
  m_count = recorded.call == Call::Clear ? 0 : m_count + linesAdded;
  m_recorded.push_back(std::move(recorded));
}

void ResultsRelay::Clear() { Record({Call::Clear, 0, {}}, 0); }

void ResultsRelay::AddLine(const std::string& line) { Record({Call::AddLine, 0, line}, 1); }

void ResultsRelay::AddPreviewClosingLine() { Record({Call::AddPreviewClosingLine, 0, {}}, 1); }

int ResultsRelay::Count() const {
  const std::lock_guard lock(m_mutex);
  return m_count;
}

void ResultsRelay::ScrollToTop(int index) { Record({Call::ScrollToTop, index, {}}, 0); }

void ResultsRelay::SetRedraw(bool on) { Record({Call::SetRedraw, on ? 1 : 0, {}}, 0); }

void ResultsRelay::Deliver() {
  std::vector<Recorded> recorded;
  {
    const std::lock_guard lock(m_mutex);
    recorded.swap(m_recorded);
  }
  for (const Recorded& call : recorded) {
    switch (call.call) {
      case Call::Clear: m_target.Clear(); break;
      case Call::AddLine: m_target.AddLine(call.line); break;
      case Call::AddPreviewClosingLine: m_target.AddPreviewClosingLine(); break;
      case Call::ScrollToTop: m_target.ScrollToTop(call.value); break;
      case Call::SetRedraw: m_target.SetRedraw(call.value != 0); break;
    }
  }
}

// The Results list of the form: the engine's ResultsList over a list view
// of plain strings. Lines are shown in the order added, never sorted, and
// cannot be selected. While repainting is held the lines wait in a buffer
// and go into the view in one batch when it resumes, so that ten thousand
// lines appear at once instead of one by one.
#pragma once

#include <QListView>
#include <QStringList>
#include <QStringListModel>

#include "results_list.h"

class ResultsListBox : public QListView, public kalvenor::ResultsList {
  Q_OBJECT

 public:
  explicit ResultsListBox(QWidget* parent = nullptr);

  void Clear() override;
  void AddLine(const std::string& line) override;
  int Count() const override;
  void ScrollToTop(int index) override;
  void SetRedraw(bool on) override;

  // The line at `index` (lines still held count too).
  QString LineAt(int index) const;
  // The lines the view shows now, without those still held.
  int ShownCount() const { return m_model.rowCount(); }
  // The index of the top visible line, or -1 when the list is empty.
  int TopIndex() const;

 private:
  void ApplyScroll(int index);

  QStringListModel m_model;
  bool m_held = false;
  QStringList m_pending;
  int m_pendingTop = -1;
};

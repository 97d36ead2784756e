// The Results list of the form: the engine's ResultsList over a list view
// of plain strings. Lines are shown in the order added, never sorted, and
// cannot be selected; a long line scrolls sideways and its tooltip shows
// it whole. While repainting is held the lines wait in a buffer
// and go into the view in one batch when it resumes, so that ten thousand
// lines appear at once instead of one by one.
#pragma once

#include <QListView>
#include <QStringList>
#include <QStringListModel>
#include <vector>

#include "results_list.h"

// The lines of the list; a line's tooltip is the whole line.
class ResultsModel : public QStringListModel {
 public:
  using QStringListModel::QStringListModel;
  QVariant data(const QModelIndex& index, int role) const override;
};

class ResultsListBox : public QListView, public kalvenor::ResultsList {
  Q_OBJECT

 public:
  explicit ResultsListBox(QWidget* parent = nullptr);

  void Clear() override;
  void AddLine(const std::string& line) override;
  int Count() const override;
  void ScrollToTop(int index) override;
  void SetRedraw(bool on) override;

  // Scrolls as little as needed to bring the line at `index` into view.
  void ShowLine(int index);

  // The line at `index` (lines still held count too).
  QString LineAt(int index) const;
  // The lines the view shows now, without those still held.
  int ShownCount() const { return m_model.rowCount(); }
  // The index of the top visible line, or -1 when the list is empty.
  int TopIndex() const;
  // The width in pixels of the widest line shown.
  int WidestLine() const { return m_widest; }

 private:
  void ApplyScroll(int index);
  // Widens m_widest to `text`, measured as the sum of its characters'
  // advances: a whole-line measure of ten thousand lines would cost more
  // than filling the list.
  void Measure(const QString& text);

  ResultsModel m_model;
  int m_widest = 0;
  // Per UTF-16 code unit, in the list's font; negative: not measured yet.
  std::vector<float> m_advances;
  bool m_held = false;
  QStringList m_pending;
  int m_pendingTop = -1;
};

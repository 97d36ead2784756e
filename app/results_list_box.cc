#include "results_list_box.h"

#include "display_text.h"

ResultsListBox::ResultsListBox(QWidget* parent) : QListView(parent) {
  setModel(&m_model);
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // No horizontal extent is ever set: a line longer than the box is cut.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTextElideMode(Qt::ElideNone);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
}

void ResultsListBox::Clear() {
  m_pending.clear();
  m_pendingTop = -1;
  m_model.setStringList(QStringList());
}

void ResultsListBox::AddLine(const std::string& line) {
  // Names are bytes; they are decoded for display only, as file names are
  // decoded on this platform (UTF-8, bad bytes shown as replacements).
  const QString text = DisplayText(line);
  if (m_held) {
    m_pending.append(text);
    return;
  }
  const int row = m_model.rowCount();
  m_model.insertRows(row, 1);
  m_model.setData(m_model.index(row), text);
}

int ResultsListBox::Count() const { return ShownCount() + static_cast<int>(m_pending.size()); }

void ResultsListBox::ScrollToTop(int index) {
  if (m_held) {
    m_pendingTop = index;
  } else {
    ApplyScroll(index);
  }
}

void ResultsListBox::SetRedraw(bool on) {
  if (!on) {
    if (m_held) return;
    m_held = true;
    setUpdatesEnabled(false);
    return;
  }
  if (!m_held) return;
  m_held = false;
  if (!m_pending.isEmpty()) {
    // One reset of the model, whatever the number of lines; after a Clear
    // (the usual run) the buffer itself becomes the model's list.
    if (m_model.rowCount() == 0) {
      m_model.setStringList(m_pending);
    } else {
      QStringList lines = m_model.stringList();
      lines.append(m_pending);
      m_model.setStringList(lines);
    }
    m_pending = QStringList();
  }
  if (m_pendingTop >= 0) {
    ApplyScroll(m_pendingTop);
    m_pendingTop = -1;
  }
  setUpdatesEnabled(true);
}

QString ResultsListBox::LineAt(int index) const {
  if (index < 0) return QString();
  if (index < ShownCount()) return m_model.index(index).data().toString();
  const qsizetype pendingIndex = index - ShownCount();
  return pendingIndex < m_pending.size() ? m_pending.at(pendingIndex) : QString();
}

int ResultsListBox::TopIndex() const {
  if (ShownCount() == 0) return -1;
  const QModelIndex top = indexAt(QPoint(1, 1));
  return top.isValid() ? top.row() : -1;
}

void ResultsListBox::ApplyScroll(int index) {
  if (index < 0 || index >= ShownCount()) return;
  scrollTo(m_model.index(index), QAbstractItemView::PositionAtTop);
}

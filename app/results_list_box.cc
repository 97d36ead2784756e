#include "results_list_box.h"

#include <QFile>
#include <QScrollBar>

CResultsListBox::CResultsListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::NoSelection);
  setSortingEnabled(false);
  setUniformItemSizes(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // No horizontal extent is ever set: a line longer than the box is cut.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTextElideMode(Qt::ElideNone);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
}

void CResultsListBox::Clear() {
  m_pending.clear();
  m_pendingTop = -1;
  clear();
}

void CResultsListBox::AddLine(const std::string& line) {
  // Names are bytes; they are decoded for display only.
  const QString text = QFile::decodeName(QByteArray::fromStdString(line));
  if (m_held) {
    m_pending.append(text);
  } else {
    addItem(text);
  }
}

int CResultsListBox::Count() const { return count() + static_cast<int>(m_pending.size()); }

void CResultsListBox::ScrollToTop(int index) {
  if (m_held) {
    m_pendingTop = index;
  } else {
    ApplyScroll(index);
  }
}

void CResultsListBox::SetRedraw(bool on) {
  if (!on) {
    if (m_held) return;
    m_held = true;
    setUpdatesEnabled(false);
    return;
  }
  if (!m_held) return;
  m_held = false;
  if (!m_pending.isEmpty()) {
    addItems(m_pending);
    m_pending.clear();
  }
  if (m_pendingTop >= 0) {
    ApplyScroll(m_pendingTop);
    m_pendingTop = -1;
  }
  setUpdatesEnabled(true);
}

QString CResultsListBox::LineAt(int index) const {
  if (index < 0) return QString();
  if (index < count()) return item(index)->text();
  const qsizetype pendingIndex = index - count();
  return pendingIndex < m_pending.size() ? m_pending.at(pendingIndex) : QString();
}

int CResultsListBox::TopIndex() const {
  if (count() == 0) return -1;
  const QModelIndex top = indexAt(QPoint(1, 1));
  return top.isValid() ? top.row() : -1;
}

void CResultsListBox::ApplyScroll(int index) {
  if (index < 0 || index >= count()) return;
  scrollToItem(item(index), QAbstractItemView::PositionAtTop);
}

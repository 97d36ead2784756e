#include "results_list_box.h"

#include <QFontMetricsF>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>

#include "display_text.h"
#include "run_text_translation.h"

namespace {

// Every line as wide as the widest one: the lines share one size, and the
// list scrolls sideways as far as the widest line reaches.
class ResultsDelegate : public QStyledItemDelegate {
 public:
  explicit ResultsDelegate(ResultsListBox& list) : QStyledItemDelegate(&list), m_list(list) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const int margins =
        size.width() - option.fontMetrics.horizontalAdvance(index.data().toString());
    size.setWidth(std::max(size.width(), m_list.WidestLine() + margins));
    return size;
  }

 private:
  const ResultsListBox& m_list;
};

}  // namespace

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
  return QStringListModel::data(index, role == Qt::ToolTipRole ? Qt::DisplayRole : role);
}

ResultsListBox::ResultsListBox(QWidget* parent) : QListView(parent) {
  setModel(&m_model);
  setItemDelegate(new ResultsDelegate(*this));
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setTextElideMode(Qt::ElideNone);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
}

void ResultsListBox::Clear() {
  m_pending.clear();
  m_pendingTop = -1;
  m_widest = 0;
  m_model.setStringList(QStringList());
}

void ResultsListBox::Measure(const QString& text) {
  if (m_advances.empty()) m_advances.assign(std::size_t{0x10000}, -1.0F);
  double width = 0;
  for (const QChar c : text) {
    float& advance = m_advances[c.unicode()];
    if (advance < 0) advance = static_cast<float>(QFontMetricsF(font()).horizontalAdvance(c));
    width += advance;
  }
  m_widest = std::max(m_widest, static_cast<int>(std::ceil(width)));
}

void ResultsListBox::AddLine(const std::string& line) {
  // Names are bytes; they are decoded for display only, as file names are
  // decoded on this platform (UTF-8, bad bytes shown as replacements). The
  // engine's own lines are shown in the user's language.
  const QString text = TranslateRunText(DisplayText(line));
  Measure(text);
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

void ResultsListBox::ShowLine(int index) {
  if (index < 0 || index >= ShownCount()) return;
  scrollTo(m_model.index(index), QAbstractItemView::EnsureVisible);
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

#include "results_list_box.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QScrollBar>

namespace {

TEST(ResultsListBoxTest, LinesStayInTheOrderAdded) {
  ResultsListBox list;
  list.AddLine("b.jpg -> 0001Holiday.jpg");
  list.AddLine("a.jpg -> 0002Holiday.jpg");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.LineAt(0), QStringLiteral("b.jpg -> 0001Holiday.jpg"));
  EXPECT_EQ(list.LineAt(1), QStringLiteral("a.jpg -> 0002Holiday.jpg"));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.ShownCount(), 0);
}

TEST(ResultsListBoxTest, HeldLinesArriveInOneBatchOnResume) {
  ResultsListBox list;
  list.AddLine("old line");
  list.SetRedraw(false);
  EXPECT_FALSE(list.updatesEnabled());
  list.Clear();
  list.AddLine("first");
  list.AddLine("second");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.ShownCount(), 0);  // nothing reaches the view while held
  EXPECT_EQ(list.LineAt(1), QStringLiteral("second"));
  list.SetRedraw(true);
  EXPECT_TRUE(list.updatesEnabled());
  ASSERT_EQ(list.ShownCount(), 2);
  EXPECT_EQ(list.LineAt(0), QStringLiteral("first"));
  EXPECT_EQ(list.LineAt(1), QStringLiteral("second"));
  EXPECT_EQ(list.model()->index(1, 0).data().toString(), QStringLiteral("second"));

  // Lines held after others were shown go after them.
  list.SetRedraw(false);
  list.AddLine("third");
  list.SetRedraw(true);
  ASSERT_EQ(list.ShownCount(), 3);
  EXPECT_EQ(list.LineAt(2), QStringLiteral("third"));
}

TEST(ResultsListBoxTest, ClosingLineIsScrolledToTheTop) {
  ResultsListBox list;
  list.resize(300, 120);
  list.show();
  list.SetRedraw(false);
  for (int i = 0; i < 500; ++i) list.AddLine("line " + std::to_string(i));
  list.ScrollToTop(400);
  list.SetRedraw(true);
  QApplication::processEvents();
  EXPECT_EQ(list.TopIndex(), 400);

  // Near the end the list scrolls only as far as it can.
  list.ScrollToTop(499);
  QApplication::processEvents();
  EXPECT_GT(list.TopIndex(), 400);
  EXPECT_LE(list.TopIndex(), 499);
  EXPECT_TRUE(list.visualRect(list.model()->index(499, 0)).intersects(list.viewport()->rect()));
}

TEST(ResultsListBoxTest, LinesThatAreNotTextAreShownAndCannotBeSelected) {
  ResultsListBox list;
  list.AddLine("caf\xe9.jpg -> 0001Holiday.jpg");
  ASSERT_EQ(list.ShownCount(), 1);
  EXPECT_EQ(list.LineAt(0), QStringLiteral("caf\\xe9.jpg -> 0001Holiday.jpg"));
  // A line feed in a name stays in its row; names with different bad bytes
  // are shown apart.
  list.AddLine("a\nb.jpg -> 0002Holiday.jpg");
  list.AddLine("caf\xea.jpg -> 0003Holiday.jpg");
  ASSERT_EQ(list.ShownCount(), 3);
  EXPECT_EQ(list.LineAt(1), QStringLiteral("a\\x0ab.jpg -> 0002Holiday.jpg"));
  EXPECT_NE(list.LineAt(2).left(8), list.LineAt(0).left(8));
  EXPECT_EQ(list.selectionMode(), QAbstractItemView::NoSelection);
  EXPECT_EQ(list.editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST(ResultsListBoxTest, LongLinesScrollSidewaysAndShowWholeInTheirTooltip) {
  const std::string longLine = "a.jpg -> " + std::string(120, 'x') + ".jpg";
  for (const bool held : {false, true}) {
    ResultsListBox list;
    list.resize(200, 120);
    list.show();
    list.SetRedraw(!held);
    list.AddLine("short");
    list.AddLine(longLine);
    list.AddLine("short again");
    list.SetRedraw(true);
    QApplication::processEvents();
    const QModelIndex line = list.model()->index(1, 0);
    EXPECT_EQ(line.data(Qt::ToolTipRole).toString(), QString::fromStdString(longLine)) << held;
    QScrollBar* bar = list.horizontalScrollBar();
    EXPECT_GT(bar->maximum(), 0) << held;
    bar->setValue(bar->maximum());
    QApplication::processEvents();
    const int textEnd = list.visualRect(line).left() +
                        list.fontMetrics().horizontalAdvance(QString::fromStdString(longLine));
    EXPECT_LE(textEnd, list.viewport()->width()) << held;
  }
}

}  // namespace

#include "dialog_units.h"

#include <gtest/gtest.h>
#include <QFont>

namespace {

TEST(DialogUnitsTest, NeighbouringRectanglesStayAdjacent) {
  const DialogUnits units{QFont()};
  // Two controls side by side and one below, as on the form.
  const QRect left = units.ToPixels(QRect(9, 10, 126, 14));
  const QRect right = units.ToPixels(QRect(135, 10, 45, 14));
  const QRect below = units.ToPixels(QRect(9, 24, 126, 13));
  EXPECT_EQ(left.x() + left.width(), right.x());
  EXPECT_EQ(left.y() + left.height(), below.y());
  EXPECT_EQ(units.ToPixels(QSize(374, 251)), QSize(units.ToPixelsX(374), units.ToPixelsY(251)));
}

TEST(DialogUnitsTest, LargerFontsGiveLargerForms) {
  QFont small;
  small.setPixelSize(10);
  QFont large;
  large.setPixelSize(20);
  const QSize smallForm = DialogUnits(small).ToPixels(QSize(374, 251));
  const QSize largeForm = DialogUnits(large).ToPixels(QSize(374, 251));
  EXPECT_GT(largeForm.width(), smallForm.width());
  EXPECT_GT(largeForm.height(), smallForm.height());
}

}  // namespace

#include "dialog_units.h"

#include <QFontMetrics>

namespace {

int MulDivRounded(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : (product - half) / denominator);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  // The average width over the Latin letters, rounded up, as dialog layouts
  // have always measured it; a font's own "average" field is less reliable.
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  m_baseX = (letters / 26 + 1) / 2;
  m_baseY = metrics.height();
  if (m_baseX < 1) m_baseX = 1;
  if (m_baseY < 1) m_baseY = 1;
}

int DialogUnits::ToPixelsX(int units) const { return MulDivRounded(units, m_baseX, 4); }

int DialogUnits::ToPixelsY(int units) const { return MulDivRounded(units, m_baseY, 8); }

QSize DialogUnits::ToPixels(QSize units) const {
  return {ToPixelsX(units.width()), ToPixelsY(units.height())};
}

QRect DialogUnits::ToPixels(QRect units) const {
  const int left = ToPixelsX(units.x());
  const int top = ToPixelsY(units.y());
  const int right = ToPixelsX(units.x() + units.width());
  const int bottom = ToPixelsY(units.y() + units.height());
  return {left, top, right - left, bottom - top};
}

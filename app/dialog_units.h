// Dialog units: the form and the about box are laid out in units of their
// font, a quarter of the average character width across and an eighth of
// the character height down, so that they keep their proportions with any
// desktop font. A DialogUnits value holds the two bases of one font.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);

  int ToPixelsX(int units) const;
  int ToPixelsY(int units) const;
  QSize ToPixels(QSize units) const;
  // Maps the four edges, so that neighbouring controls stay adjacent.
  QRect ToPixels(QRect units) const;

 private:
  int m_baseX;  // average character width in pixels
  int m_baseY;  // character height in pixels
};

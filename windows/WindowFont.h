// The windows' font. The layouts are measured for the narrow 8-point
// "MS Sans Serif"; where it is missing, narrow look-alikes come before the
// system's default face, so that captions fit the places the layouts give them.
#pragma once

#include <QFont>
#include <QStringList>

namespace kestrilo {

class TWindowFont {
 public:
  // 8 points at 96 dots per inch.
  static constexpr int kPixelSize = 11;
  static constexpr int kSmallestPixelSize = 8;

  // "MS Sans Serif" or the nearest narrow face there is.
  static QFont Classic(int pixelSize = kPixelSize);
  // The classic font, made smaller where needed (down to kSmallestPixelSize)
  // until every line is at most `width` pixels wide.
  static QFont FittingLines(const QStringList& lines, int width, int pixelSize = kPixelSize);
};

}  // namespace kestrilo

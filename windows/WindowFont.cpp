#include "windows/WindowFont.h"

#include <QFontMetrics>

namespace kestrilo {

QFont TWindowFont::Classic(int pixelSize) {
  QFont font;
  font.setFamilies(
      {"MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Arial", "Liberation Sans", "DejaVu Sans Condensed"});
  font.setPixelSize(pixelSize);
  return font;
}

QFont TWindowFont::FittingLines(const QStringList& lines, int width, int pixelSize) {
  QFont font = Classic(pixelSize);
  for (; pixelSize > kSmallestPixelSize; --pixelSize) {
    font.setPixelSize(pixelSize);
    const QFontMetrics metrics(font);
    bool fits = true;
    for (const QString& line : lines) fits = fits && metrics.horizontalAdvance(line) <= width;
    if (fits) return font;
  }
  font.setPixelSize(kSmallestPixelSize);
  return font;
}

}  // namespace kestrilo

#include "windows/OverviewMap.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "matrix/Matrix.h"

namespace kestrilo {

TOverviewMap::TOverviewMap(int clientWidth, int clientHeight, QWidget* parent)
    : QWidget(parent), surface_(clientWidth, clientHeight), canvas_(&surface_) {
  setObjectName("OverviewMap");
  setGeometry(kLeft, kTop, kWidth, kHeight);
  surface_.Fill(ColorToRgb565(kWindowColor));
  canvas_.BrushColor = kWindowColor;
  mapPart_ = {kLeft, kTop, std::min(kLeft + kWidth, surface_.Width()), std::min(kTop + kHeight, surface_.Height())};
  if (mapPart_.Right <= mapPart_.Left || mapPart_.Bottom <= mapPart_.Top) mapPart_ = {};
}

void TOverviewMap::Refresh() {
  canvas_.Release();
  update();
}

const QImage& TOverviewMap::MapImage() {
  // Comparing the map's 10,800 pixels costs far less than converting them, and
  // the map changes only when the view scrolls or the level is edited.
  const int32_t width = mapPart_.Width(), height = mapPart_.Height();
  std::vector<uint16_t> pixels(static_cast<size_t>(width) * height);
  for (int32_t y = 0; y < height; ++y)
    std::copy_n(surface_.Line(mapPart_.Top + y) + mapPart_.Left, width, pixels.data() + static_cast<size_t>(y) * width);
  if (pixels == imagePixels_ && !image_.isNull()) return image_;
  // The same widening of each 5-6-5 pixel as the surface's ToImage.
  QImage image(width, height, QImage::Format_RGB32);
  for (int32_t y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t c = Rgb565ToColor(pixels[static_cast<size_t>(y) * width + x]);
      line[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    }
  }
  image_ = image;
  imagePixels_ = std::move(pixels);
  return image_;
}

void TOverviewMap::paintEvent(QPaintEvent*) {
  canvas_.Release();
  if (mapPart_.Width() <= 0) return;
  QPainter painter(this);
  painter.drawImage(QPoint(mapPart_.Left - kLeft, mapPart_.Top - kTop), MapImage());
}

}  // namespace kestrilo

namespace kestrilo {

void TOverviewMap::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !SquareClicked) return;
  const QPoint at = event->position().toPoint();
  const int column = at.x() / TMatrix::kMiniMapSquare, row = at.y() / TMatrix::kMiniMapSquare;
  if (column < 0 || row < 0 || column >= TMatrix::kViewColumns || row >= TMatrix::kViewRows) return;
  SquareClicked(column, row);
}

}  // namespace kestrilo

#include "windows/OverviewMap.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

namespace kestrilo {

TOverviewMap::TOverviewMap(QWidget* parent) : QWidget(parent), surface_(kWidth, kHeight), canvas_(&surface_) {
  setObjectName("OverviewMap");
  setMinimumSize(kWidth, kHeight);
  resize(kWidth, kHeight);
  surface_.Fill(ColorToRgb565(kWindowColor));
  canvas_.BrushColor = kWindowColor;
}

void TOverviewMap::Refresh() {
  canvas_.Release();
  update();
}

void TOverviewMap::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (event->size() == QSize(surface_.Width(), surface_.Height())) return;
  canvas_.Release();
  surface_.Resize(std::max(width(), 1), std::max(height(), 1));
  surface_.Fill(ColorToRgb565(kWindowColor));
  if (Resized) Resized(surface_.Width(), surface_.Height());
  update();
}

const QImage& TOverviewMap::MapImage() {
  // Comparing the map's pixels costs far less than converting them, and the
  // map changes only when the view scrolls or the level is edited.
  const int32_t width = surface_.Width(), height = surface_.Height();
  std::vector<uint16_t> pixels(static_cast<size_t>(width) * height);
  for (int32_t y = 0; y < height; ++y)
    std::copy_n(surface_.Line(y), width, pixels.data() + static_cast<size_t>(y) * width);
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
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), MapImage());
}

void TOverviewMap::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !PointClicked) return;
  const QPoint at = event->position().toPoint();
  PointClicked(at.x(), at.y());
}

}  // namespace kestrilo

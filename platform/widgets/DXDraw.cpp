#include "platform/widgets/DXDraw.h"

#include <QPainter>
#include <QResizeEvent>
#include <QShowEvent>
#include <cmath>

namespace kestrilo {

TDXDraw::TDXDraw(QWidget* parent, int width, int height)
    : QWidget(parent), TDrawingSurface(width, height), initialWidth_(width), initialHeight_(height) {
  resize(width, height);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

// The drawing area is shown together with its window; the first showing initialises it.
void TDXDraw::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Initialize();
}

void TDXDraw::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (Resized) Resized(FillingBufferSize());
}

QSize TDXDraw::FillingBufferSize() const {
  const double ratio = devicePixelRatioF();
  const int whole = TViewScale::WholeRatio(ratio);
  const int deviceWidth = static_cast<int>(std::lround(width() * ratio));
  const int deviceHeight = static_cast<int>(std::lround(height() * ratio));
  return {std::max(deviceWidth / whole, 1), std::max(deviceHeight / whole, 1)};
}

QSize TDXDraw::FrameSize() const {
  const QImage presented = PresentedImage();
  return presented.isNull() ? QSize(Width(), Height()) : presented.size();
}

TViewScale TDXDraw::Scale() const {
  const QSize frame = FrameSize();
  const double ratio = devicePixelRatioF();
  return TViewScale::ToFit(frame.width(), frame.height(), static_cast<int>(std::lround(width() * ratio)),
                           static_cast<int>(std::lround(height() * ratio)));
}

QPoint TDXDraw::ToFramePoint(QPointF WidgetPoint) const {
  const TViewScale scale = Scale();
  const double ratio = devicePixelRatioF();
  const int deviceX = static_cast<int>(std::floor(WidgetPoint.x() * ratio));
  const int deviceY = static_cast<int>(std::floor(WidgetPoint.y() * ratio));
  return {scale.ToFrameX(deviceX), scale.ToFrameY(deviceY)};
}

bool TDXDraw::FrameContains(QPoint FramePoint) const { return QRect(QPoint(0, 0), FrameSize()).contains(FramePoint); }

void TDXDraw::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QImage presented = PresentedImage();
  if (presented.isNull()) {
    p.fillRect(rect(), Qt::black);
    return;
  }
  // Painted in device pixels, with no smoothing: each frame pixel becomes a
  // square of whole device pixels.
  const double ratio = devicePixelRatioF();
  const TViewScale scale = Scale();
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.scale(1.0 / ratio, 1.0 / ratio);
  const QRect device(0, 0, static_cast<int>(std::lround(width() * ratio)),
                     static_cast<int>(std::lround(height() * ratio)));
  const QRect target(scale.Left, scale.Top, presented.width() * scale.Factor, presented.height() * scale.Factor);
  if (target != device) {
    // The border round a frame smaller than the area.
    const QRegion border = QRegion(device).subtracted(QRegion(target));
    for (const QRect& r : border) p.fillRect(r, Qt::black);
  }
  if (scale.Factor == 1)
    p.drawImage(target.topLeft(), presented);
  else
    p.drawImage(target, presented);
}

}  // namespace kestrilo

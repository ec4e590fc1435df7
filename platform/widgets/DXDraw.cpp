#include "platform/widgets/DXDraw.h"

#include <QPainter>
#include <QShowEvent>

namespace kestrilo {

TDXDraw::TDXDraw(QWidget* parent, int width, int height) : QWidget(parent), TDrawingSurface(width, height) {
  setFixedSize(width, height);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

// The drawing area is shown together with its window; the first showing initialises it.
void TDXDraw::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Initialize();
}

void TDXDraw::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QImage presented = PresentedImage();
  if (presented.isNull()) p.fillRect(rect(), Qt::black);
  else p.drawImage(0, 0, presented);
}

}  // namespace kestrilo

#include "shell/OverviewMap.h"

#include <QPainter>

namespace kestrilo {

TOverviewMap::TOverviewMap(int clientWidth, int clientHeight, QWidget* parent)
    : QWidget(parent), surface_(clientWidth, clientHeight), canvas_(&surface_) {
  setObjectName("OverviewMap");
  setGeometry(kLeft, kTop, kWidth, kHeight);
  surface_.Fill(ColorToRgb565(kWindowColor));
  canvas_.BrushColor = kWindowColor;
}

void TOverviewMap::Refresh() {
  canvas_.Release();
  update();
}

void TOverviewMap::paintEvent(QPaintEvent*) {
  canvas_.Release();
  QPainter painter(this);
  const QImage pixels = surface_.ToImage();
  painter.drawImage(QPoint(0, 0), pixels, QRect(kLeft, kTop, kWidth, kHeight));
}

}  // namespace kestrilo

// The drawing area: a view-sized widget that shows a drawing surface. It
// initialises the surface when its window is first shown, and repaints
// whenever a frame is presented.
#pragma once

#include <QWidget>

#include "platform/DrawingSurface.h"

namespace kestrilo {

class TDXDraw : public QWidget, public TDrawingSurface {
  Q_OBJECT
 public:
  explicit TDXDraw(QWidget* parent = nullptr, int width = kViewWidth, int height = kViewHeight);

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void Presented() override { update(); }
};

}  // namespace kestrilo

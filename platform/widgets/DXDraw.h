// The drawing area: a widget that shows a drawing surface. It initialises the
// surface when its window is first shown, and repaints whenever a frame is
// presented. It grows with its window: a frame smaller than the widget (the
// game's own view in the preview) is shown scaled by the largest whole factor
// that fits, centred, pixel for pixel; points of the widget map back to
// pixels of the frame by the same rule.
#pragma once

#include <QWidget>
#include <functional>

#include "platform/DrawingSurface.h"
#include "platform/ViewScale.h"

namespace kestrilo {

class TDXDraw : public QWidget, public TDrawingSurface {
  Q_OBJECT
 public:
  explicit TDXDraw(QWidget* parent = nullptr, int width = kViewWidth, int height = kViewHeight);

  // The back buffer that fills the widget pixel for pixel (a frame pixel takes
  // whole device pixels on a high-density screen).
  QSize FillingBufferSize() const;
  // The frame pixel under a point of the widget, by how the last frame is shown.
  QPoint ToFramePoint(QPointF WidgetPoint) const;
  // Whether a frame pixel lies inside the frame shown.
  bool FrameContains(QPoint FramePoint) const;
  // How the last presented frame lies on the widget, in device pixels.
  TViewScale Scale() const;
  // The widget changed size: told the back buffer that would fill it.
  std::function<void(QSize)> Resized;

  QSize sizeHint() const override { return {initialWidth_, initialHeight_}; }

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void Presented() override { update(); }

 private:
  QSize FrameSize() const;
  int initialWidth_, initialHeight_;
};

}  // namespace kestrilo

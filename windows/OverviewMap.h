// The overview map: a small widget, in a dock of the main window, that the
// matrix draws the cells of the view into. It keeps the map's pixels on a
// surface of its own size, so the map survives the window being covered and
// repainted; a new size gives a new, cleared surface, which the editor fills
// again.
#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Surface.h"

namespace kestrilo {

class TOverviewMap : public QWidget {
  Q_OBJECT
 public:
  // The size it starts at: 20 by 15 squares of 6 pixels.
  static constexpr int kWidth = 120, kHeight = 90;
  // The main window's canvas colour, which the first square starts from.
  static constexpr uint32_t kWindowColor = 0x00F0F0F0;

  explicit TOverviewMap(QWidget* parent = nullptr);

  TCanvas& Canvas() { return canvas_; }
  const TSurface& Surface() const { return surface_; }
  // Shows what was drawn since the last call.
  void Refresh();
  // Told a point pressed with the left button, in pixels from the map's top-left corner.
  std::function<void(int X, int Y)> PointClicked;
  // Told the size of the new, cleared surface after the widget was resized.
  std::function<void(int Width, int Height)> Resized;

  QSize sizeHint() const override { return {kWidth, kHeight}; }
  QSize minimumSizeHint() const override { return {kWidth, kHeight}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The surface as a 32-bit image, made again only when its pixels changed
  // since it was last made.
  const QImage& MapImage();

  TSurface surface_;
  TCanvas canvas_;
  std::vector<uint16_t> imagePixels_;  // the pixels the image was made from
  QImage image_;
};

}  // namespace kestrilo

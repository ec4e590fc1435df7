// The overview map beside the view. The matrix draws it with a canvas in the
// main window's client coordinates; this widget keeps those pixels on a
// surface of the client's size and shows the part where the map lies, so the
// map also survives the window being covered and repainted.
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
  // The map's place in client pixels: 20 by 15 squares of 6 pixels.
  static constexpr int kLeft = 662, kTop = 422, kWidth = 120, kHeight = 90;
  // The main window's canvas colour, which the first square starts from.
  static constexpr uint32_t kWindowColor = 0x00F0F0F0;

  TOverviewMap(int clientWidth, int clientHeight, QWidget* parent = nullptr);

  TCanvas& Canvas() { return canvas_; }
  const TSurface& Surface() const { return surface_; }
  // Shows what was drawn since the last call.
  void Refresh();
  // Told the view column and row (0..19, 0..14) of a square clicked with the
  // left button.
  std::function<void(int Column, int Row)> SquareClicked;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // The map's part of the surface as a 32-bit image, made again only when
  // its pixels changed since it was last made.
  const QImage& MapImage();

  TSurface surface_;
  TCanvas canvas_;
  TRect mapPart_;                     // the map's place on the surface, clipped to it
  std::vector<uint16_t> imagePixels_;  // the map's pixels the image was made from
  QImage image_;
};

}  // namespace kestrilo

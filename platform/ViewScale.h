// How a frame is laid onto a drawing area that may be larger than it: scaled
// by the largest whole factor that fits, centred, pixel for pixel (no
// smoothing), in the screen's device pixels. A whole factor keeps every pixel
// of the frame an equal square, so a 640 by 480 game view on a large window
// or a high-density screen stays crisp. Points of the area map back to
// pixels of the frame by the same rule.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kestrilo {

struct TViewScale {
  int32_t Factor = 1;         // device pixels per frame pixel, at least 1
  int32_t Left = 0, Top = 0;  // where the frame's top-left lies in the area, device pixels

  // The largest whole factor at which a frame of ImageWidth x ImageHeight
  // fits an area of AreaWidth x AreaHeight device pixels (1 when even the
  // frame itself does not fit), and the offset that centres it (0 on a side
  // where the frame is larger, so that its top-left stays in view).
  static TViewScale ToFit(int32_t ImageWidth, int32_t ImageHeight, int32_t AreaWidth, int32_t AreaHeight) {
    TViewScale scale;
    if (ImageWidth > 0 && ImageHeight > 0)
      scale.Factor = std::max(1, std::min(AreaWidth / ImageWidth, AreaHeight / ImageHeight));
    scale.Left = std::max(0, (AreaWidth - ImageWidth * scale.Factor) / 2);
    scale.Top = std::max(0, (AreaHeight - ImageHeight * scale.Factor) / 2);
    return scale;
  }

  // The frame pixel under a device pixel of the area; it may lie outside the frame.
  int32_t ToFrameX(int32_t DeviceX) const { return FloorDiv(DeviceX - Left, Factor); }
  int32_t ToFrameY(int32_t DeviceY) const { return FloorDiv(DeviceY - Top, Factor); }

  // The whole number of device pixels a frame pixel takes on a screen of this
  // device pixel ratio: 2 on a double-density screen, 1 at 1.5 (a frame
  // pixel must cover whole device pixels to stay sharp).
  static int32_t WholeRatio(double DevicePixelRatio) {
    return std::max(1, static_cast<int32_t>(std::floor(DevicePixelRatio + 1e-9)));
  }

 private:
  static int32_t FloorDiv(int32_t a, int32_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
};

}  // namespace kestrilo

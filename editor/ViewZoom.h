// How far the edit view is zoomed out: full size, one half or one quarter.
// Points of the drawing area are turned into points of the full-size view
// here, so that placing, painting, selecting and pasting work alike at every
// zoom. The preview always plays at full size.
#pragma once

#include <cstdint>

namespace kestrilo {

class TViewZoom {
 public:
  static constexpr int32_t kMaxDivisor = 4;

  // 1 at full size, 2 at one half, 4 at one quarter.
  int32_t Divisor() const { return divisor_; }
  void ZoomOut() {
    if (divisor_ < kMaxDivisor) divisor_ *= 2;
  }
  void ZoomIn() {
    if (divisor_ > 1) divisor_ /= 2;
  }
  void Reset() { divisor_ = 1; }
  // A drawing-area pixel as a pixel of the full-size view, and back.
  int32_t ToView(int32_t Pixel) const { return Pixel * divisor_; }
  int32_t FromView(int32_t Pixel) const { return Pixel / divisor_; }

 private:
  int32_t divisor_ = 1;
};

}  // namespace kestrilo

#include "editor/EditMarks.h"

#include <algorithm>

#include "library/PictureCollection.h"

namespace kestrilo {

namespace {

void HorizontalLine(TSurface& Surface, int64_t Left, int64_t Right, int64_t Y, uint16_t Pixel) {
  if (Y < 0 || Y >= Surface.Height()) return;
  const int64_t from = std::max<int64_t>(Left, 0), to = std::min<int64_t>(Right, Surface.Width() - 1);
  for (int64_t x = from; x <= to; ++x) Surface.SetPixel(static_cast<int32_t>(x), static_cast<int32_t>(Y), Pixel);
}

void VerticalLine(TSurface& Surface, int64_t X, int64_t Top, int64_t Bottom, uint16_t Pixel) {
  if (X < 0 || X >= Surface.Width()) return;
  const int64_t from = std::max<int64_t>(Top, 0), to = std::min<int64_t>(Bottom, Surface.Height() - 1);
  for (int64_t y = from; y <= to; ++y) Surface.SetPixel(static_cast<int32_t>(X), static_cast<int32_t>(y), Pixel);
}

// Half of each 5-6-5 channel, the lowest bit of each dropped so that no
// channel spills into the next.
uint16_t HalfAndHalf(uint16_t a, uint16_t b) {
  return static_cast<uint16_t>(((a >> 1) & 0x7BEF) + ((b >> 1) & 0x7BEF));
}

}  // namespace

void OutlineRect(TSurface& Surface, int32_t Left, int32_t Top, int64_t Width, int64_t Height, uint16_t Pixel) {
  if (Width <= 0 || Height <= 0) return;
  const int64_t right = Left + Width - 1, bottom = Top + Height - 1;
  HorizontalLine(Surface, Left, right, Top, Pixel);
  HorizontalLine(Surface, Left, right, bottom, Pixel);
  VerticalLine(Surface, Left, Top, bottom, Pixel);
  VerticalLine(Surface, right, Top, bottom, Pixel);
}

void DrawGhostPicture(TSurface& Surface, const TPictureCollectionItem* Picture, int32_t Left, int32_t Top) {
  if (!Picture || !Picture->Prepared()) return;
  const TPictureCollectionItemPattern frame = Picture->Pattern(0);
  if (!frame.Surface) return;
  const TSurface& from = *frame.Surface;
  const bool keyed = Picture->Transparent && from.HasColorKey();
  for (int32_t y = 0; y < frame.Rect.Height(); ++y) {
    const int32_t toY = Top + y, fromY = frame.Rect.Top + y;
    if (toY < 0 || toY >= Surface.Height() || fromY < 0 || fromY >= from.Height()) continue;
    for (int32_t x = 0; x < frame.Rect.Width(); ++x) {
      const int32_t toX = Left + x, fromX = frame.Rect.Left + x;
      if (toX < 0 || toX >= Surface.Width() || fromX < 0 || fromX >= from.Width()) continue;
      const uint16_t pixel = from.Pixel(fromX, fromY);
      if (keyed && pixel == from.ColorKey()) continue;
      Surface.SetPixel(toX, toY, HalfAndHalf(pixel, Surface.Pixel(toX, toY)));
    }
  }
}

}  // namespace kestrilo

// A rectangle with exclusive right and bottom edges, 32-bit integers.
#pragma once

#include <cstdint>

namespace kestrilo {

struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TRect&) const = default;
};

inline TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  return {left, top, left + width, top + height};
}

// The smallest rectangle holding both; an empty one adds nothing.
inline TRect UnionRect(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {a.Left < b.Left ? a.Left : b.Left, a.Top < b.Top ? a.Top : b.Top, a.Right > b.Right ? a.Right : b.Right,
          a.Bottom > b.Bottom ? a.Bottom : b.Bottom};
}

// Division rounding down and up (By > 0), for pixel edges of either sign.
inline int64_t FloorDiv(int64_t Value, int64_t By) { return Value >= 0 ? Value / By : -((-Value + By - 1) / By); }
inline int64_t CeilDiv(int64_t Value, int64_t By) { return -FloorDiv(-Value, By); }

// Rectangles that only touch at an edge do not overlap.
inline bool OverlapRect(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace kestrilo

// A running hash of what sprites would draw: the parts of their state that
// their drawing reads (place, size, picture, frame). Two frames whose sprites
// hash alike draw the same pixels, so the frame loop can leave a frame that
// would show nothing new undrawn.
#pragma once

#include <bit>
#include <cstdint>

#include "platform/Rect.h"

namespace kestrilo {

class TDrawnStateHash {
 public:
  void Add(uint64_t Value) {
    // One round of splitmix64 over the running value and the new one: every
    // bit of each value reaches every bit of the result.
    uint64_t z = value_ ^ (Value + 0x9E3779B97F4A7C15ull + (value_ << 6) + (value_ >> 2));
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    value_ = z ^ (z >> 31);
  }
  void Add(const void* Pointer) { Add(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(Pointer))); }
  void Add(double Value) { Add(std::bit_cast<uint64_t>(Value)); }
  void Add(int32_t Value) { Add(static_cast<uint64_t>(static_cast<uint32_t>(Value))); }
  void Add(int64_t Value) { Add(static_cast<uint64_t>(Value)); }
  void Add(bool Value) { Add(static_cast<uint64_t>(Value ? 1 : 2)); }
  void Add(const TRect& Rect) {
    Add(Rect.Left);
    Add(Rect.Top);
    Add(Rect.Right);
    Add(Rect.Bottom);
  }
  uint64_t Value() const { return value_; }

 private:
  uint64_t value_ = 0x6A09E667F3BCC908ull;
};

}  // namespace kestrilo

// The program's one pseudo-random generator: a 32-bit linear congruential state
// advanced as state * 134775813 + 1 per draw. It lives in the game context.
#pragma once

#include <cstdint>

namespace kestrilo {

class TRandom {
 public:
  uint32_t RandSeed = 0;

  // A whole number in [0, n): the upper 32 bits of n times the new state (0 for n = 0).
  int32_t Random(int32_t n);
  // The new state / 2^32, in [0, 1).
  double RandomFraction();
  // Seeds from the millisecond clock.
  void Randomize();

 private:
  uint32_t Next() {
    RandSeed = RandSeed * 134775813u + 1u;
    return RandSeed;
  }
};

}  // namespace kestrilo

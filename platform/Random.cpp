#include "platform/Random.h"

#include <chrono>

namespace kestrilo {

int32_t TRandom::Random(int32_t n) {
  const uint32_t state = Next();
  return static_cast<int32_t>((static_cast<int64_t>(n) * static_cast<int64_t>(state)) >> 32);
}

double TRandom::RandomFraction() { return static_cast<double>(Next()) / 4294967296.0; }

void TRandom::Randomize() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  RandSeed = static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace kestrilo

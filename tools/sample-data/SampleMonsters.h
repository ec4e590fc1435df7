// The monster records of the sample: one per monster object of the library,
// tuned so that each kind behaves as its name says.
#pragma once

#include <vector>

#include "library/MonsterRecord.h"

namespace kestrilo::sample {

// Every sample monster picture has the same 18 frames: 0-3 walk left, 4-7
// walk right, 8/9 aim left/right, 10-11 and 12-13 hit left/right, 14-15 and
// 16-17 dying left/right. A looping range plays from First up to (not
// including) Last; the once-only ranges end on their last frame, so the
// dying ones leave the remains (frames 15 and 17) behind.
std::array<TMonsterFrameRange, TMonsterRecord::kStateCount> StandardFrameRanges();

// In file order; the first record also stands in for unknown monster names.
std::vector<TMonsterRecord> SampleMonsterRecords();

}  // namespace kestrilo::sample

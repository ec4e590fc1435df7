// What the matrix loader needs of a progress bar: a position to set. The
// loading window passes its two bars; tests pass recorders; the headless tool
// passes none.
#pragma once

#include <cstdint>

namespace kestrilo {

class TProgressBar {
 public:
  virtual ~TProgressBar() = default;
  // Positions beyond the bar's range show as the nearest end of the range.
  virtual void SetPosition(int32_t Position) = 0;
};

}  // namespace kestrilo

// The size of the view on the level, in pixels: the drawing area and its back
// buffer, the grid over it, the frames the tool writes and the spread of the
// floating objects all measure it.
#pragma once

#include <cstdint>

namespace kestrilo {

constexpr int32_t kViewWidth = 640;
constexpr int32_t kViewHeight = 480;

}  // namespace kestrilo

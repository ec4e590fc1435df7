// How the designer is told a plane of the level: the main plane, or one of
// the back planes by its number (the Z spinner's value).
#pragma once

#include <cstdint>
#include <string>

namespace kestrilo {

std::string PlaneName(int32_t Plane);

}  // namespace kestrilo

// The demo level: one screen of two floors joined by a lift. The player
// starts at the bottom, rides the lift up, takes the red key past the shooter
// and opens the red door; behind it lies the blue key for the blue door back
// at the start, which guards a healing spring.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

namespace kestrilo {
class TMatrix;
class TObjectDataBase;
}  // namespace kestrilo

namespace kestrilo::sample {

struct TBackPlacement {
  int Plane;  // 1..4
  int Column;
  int Row;
  std::string_view Name;  // UTF-8
};

// The main plane, row by row from the top; see the legend in DemoLevel.cpp.
const std::vector<std::string_view>& DemoMainPlane();
const std::vector<TBackPlacement>& DemoBackPlanes();

// The level for the library (which must hold every object the plan names).
// Throws EKestriloError when the plan and the pictures' footprints disagree.
std::unique_ptr<TMatrix> BuildDemoLevel(const TObjectDataBase& library);

}  // namespace kestrilo::sample

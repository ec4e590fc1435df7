// The object factory as the world builders see it: given a parent, an object
// record, a world position and a plane value (0, or 10 x back plane), it makes
// the object's sprite under the parent and returns it. The matrix receives the
// factory as a parameter, so that it never depends on the game objects that in
// turn ask the matrix about free cells.
#pragma once

#include <cstdint>
#include <functional>

namespace kestrilo {

class TSprite;
struct TObjectRecord;

using TObjectFactory =
    std::function<TSprite*(TSprite* Parent, const TObjectRecord& Record, double X, double Y, int32_t Z)>;

}  // namespace kestrilo

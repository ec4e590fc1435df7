// The horizontal flight shared by the player's and the monsters' shots.
#pragma once

#include <cstdint>

namespace kestrilo {

class TSprite;

// Moves Shot by Step to the left (Direction 1) or the right (Direction 2)
// when the level is free there for a box of QueryWidth by QueryHeight at the
// shot's position plus the step; otherwise marks the shot dead. Any other
// direction stays in place.
void FlyOneStep(TSprite& Shot, uint8_t Direction, int32_t QueryWidth, int32_t QueryHeight, double Step);

}  // namespace kestrilo

// The horizontal flight shared by the player's and the monsters' shots.
#pragma once

#include <cstdint>

namespace kestrilo {

class TSprite;

// Which way a shot flies, and which way the player last stepped, as both store it.
constexpr uint8_t kFacingNone = 0;  // the player before its first step; a shot so aimed stays put
constexpr uint8_t kFacingLeft = 1;
constexpr uint8_t kFacingRight = 2;

// Every shot flies this many pixels per tick and plays its picture at this speed.
constexpr double kShotStep = 4.0;
constexpr double kShotFrameSpeed = 1.0 / 150;

// Moves Shot by Step to the left (kFacingLeft) or the right (kFacingRight)
// when the level is free there for a box of QueryWidth by QueryHeight at the
// shot's position plus the step; otherwise marks the shot dead. Any other
// direction stays in place.
void FlyOneStep(TSprite& Shot, uint8_t Direction, int32_t QueryWidth, int32_t QueryHeight, double Step);

}  // namespace kestrilo

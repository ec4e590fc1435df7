// A lift: carries the player between its home row and a second row Travel cells
// above (or below, for a negative Travel), one leg per press of Space while the
// player touches it, one pixel per tick.
#pragma once

#include <cstdint>

#include "library/ObjectRecord.h"
#include "sprites/ImageSprite.h"
#include "world/Contact.h"

namespace kestrilo {

class TPlayerSprite;

class TLift : public TImageSprite {
 public:
  // Z is accepted for the factory's common signature and not used.
  TLift(TSprite* Parent, const TObjectRecord& Record, double X, double Y, int32_t Z);
  const char* ClassName() const override { return "TLift"; }

  void OnMove(int32_t MoveCount) override;

  // Mode and Leg values: the first leg goes, or the next leg goes, up or down.
  static constexpr uint8_t kUp = 1;
  static constexpr uint8_t kDown = 2;

  bool Running = false;  // while the current leg is travelled
  int8_t Travel = 0;     // trip length in cells; positive = above home
  uint8_t Mode = kDown;  // direction of the first leg
  uint8_t Leg = kDown;   // direction of the leg that comes next
  int32_t HomeRow = 0;
  int32_t TargetRow = 0;  // meaningful from the first leg on
  TPlayerWatch Rider;     // whom the object watches and acts on

 private:
  void TravelOnePixel();
};

}  // namespace kestrilo

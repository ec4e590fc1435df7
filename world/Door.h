// A door: shut until the player touches it holding a key of the same code; then
// it plays its opening frames (0.09 frame per tick), empties its cells of the
// level, asks for the overview map to be redrawn and goes away.
#pragma once

#include <cstdint>

#include "library/ObjectRecord.h"
#include "sprites/ImageSprite.h"
#include "world/Contact.h"

namespace kestrilo {

class TPlayerSprite;

class TDoor : public TImageSprite {
 public:
  TDoor(TSprite* Parent, const TObjectRecord& Record, double X, double Y, int32_t Z);
  const char* ClassName() const override { return "TDoor"; }

  void OnMove(int32_t MoveCount) override;

  static constexpr double kOpeningStep = 0.09;  // frames per tick while opening

  bool Locked = true;
  uint8_t KeyCode = 0;
  TPlayerWatch Rider;  // whom the object watches and acts on

 private:
  void UnlockWithKeysOf(const TPlayerSprite& Player);
  void FinishOpening();
};

}  // namespace kestrilo

// A key: taken at the player's first touch; its code goes into the first empty
// slot of the player's key ring and its cells of the level are emptied.
#pragma once

#include <cstdint>

#include "library/ObjectRecord.h"
#include "sprites/ImageSprite.h"
#include "world/Contact.h"

namespace kestrilo {

class TPlayerSprite;

class TKey : public TImageSprite {
 public:
  TKey(TSprite* Parent, const TObjectRecord& Record, double X, double Y, int32_t Z);
  const char* ClassName() const override { return "TKey"; }

  void OnMove(int32_t MoveCount) override;

  uint8_t KeyCode = 0;
  TPlayerWatch Rider;  // whom the object watches and acts on
};

}  // namespace kestrilo

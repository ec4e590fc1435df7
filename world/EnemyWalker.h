// A level's monster in play: walks to and fro, turns at walls and edges, falls,
// jumps towards the player, flies in a wave dropping bombs, faces and shoots the
// player, explodes on touch and takes hits from the player's shots. All tuned by
// its monster record. With the preview off it stays at its place and animates.
#pragma once

#include <cstdint>

#include "world/Contact.h"
#include "world/Monster.h"

namespace kestrilo {

class TPlayerSprite;

class TEnemyWalker : public TMonster {
 public:
  // Builds the monster at world pixels (X, Y) from Record; its picture is the
  // object picture named like the record. Draws the starting health from the
  // context's random generator. Throws EPictureCollectionError for a missing picture.
  TEnemyWalker(TSprite* Parent, const TMonsterRecord& Record, double X, double Y);
  const char* ClassName() const override { return "TEnemyWalker"; }

  void OnMove(int32_t MoveCount) override;
  void OnCollision(TSprite* Other, bool& Done) override;

  // The player within 160 pixels horizontally and 64 vertically.
  bool PlayerNear() const;
  // Turns towards a player within 160 x 128 pixels and tells whether the air
  // towards it is free for a jump.
  bool JumpReach();
  // Makes an enemy shot with the record's shot picture, if it has one.
  void Fire();
  // Drops a bomb on a player right below (every 21 ticks).
  void DropBomb();

  struct TPoint2D {
    double x = 0;
    double y = 0;
  };
  TPoint2D JumpTarget;
  bool Jumping = false;
  TPlayerWatch Target;  // whom the monster hunts
  bool Asleep = false;
  uint8_t WaveCounter = 0;
  int32_t ShotTimer = 120;
  int32_t BombTimer = 100;
  double HomeX = 0;
  double HomeY = 0;

 private:
  TPlayerSprite* Player() const;  // the current player, or none
  int32_t DrawDamage();
  void Fly(int32_t MoveCount);
  void Walk(int32_t MoveCount);
  void Explode(TPlayerSprite& Victim);
  void TakeShot(TSprite& Shot);
};

}  // namespace kestrilo

// The player: the sprite steered from the keyboard. Walks left and right,
// rises while W is held, falls under gravity, fires shots, and writes its
// status into the main window's caption at every step.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "sprites/ImageSprite.h"
#include "world/ShotFlight.h"

namespace kestrilo {

class TPictureCollection;

class TPlayerSprite : public TImageSprite {
 public:
  static constexpr int kWeaponKinds = 7;
  static constexpr int kKeySlots = 256;
  // Shots leave once FireTimer has passed this; it stops counting at 111.
  static constexpr int32_t kFireReadyAfter = 100;

  // A fresh player as the open-objects command sets it up: Health 100,
  // Ammo[0] 15, everything else 0. The picture is set by the caller.
  explicit TPlayerSprite(TSprite* Parent);
  ~TPlayerSprite() override;

  // Makes the player of the open-objects command under Parent: picture
  // "Игрок" of Pictures, its frame width, its frame height − 6, its frame
  // count, invisible. The picture is looked up first, so a missing one throws
  // the collection's not-found error and makes no sprite at all.
  static TPlayerSprite* CreateFor(TSprite* Parent, TPictureCollection& Pictures);

  const char* ClassName() const override { return "TPlayerSprite"; }
  void OnMove(int32_t MoveCount) override;

  // Health, ammunition, weapon, shot timer, facing and collected keys back to
  // those of a fresh player, for a new play of the level.
  void StartAfresh();

  // The only ways the world changes the player's health. Damage wraps round
  // in the 16-bit number as subtraction does; healing stops at the number's
  // top instead of wrapping round to a negative value, which would kill the
  // player it heals.
  void TakeDamage(int32_t Amount);
  void Heal(int32_t Amount);

  // Ammo[WeaponType], or 0 for a weapon type that has no counter.
  uint16_t RoundsLeft() const;

  // Liveness token for TPlayerRef: expires when this sprite is freed.
  std::weak_ptr<TPlayerSprite* const> LifeToken() const { return lifeToken_; }

  uint8_t WeaponType = 0;
  int32_t ShotDamage = 0;
  int32_t FireTimer = 0;
  int16_t Health = 100;  // the world changes it only through TakeDamage and Heal
  std::array<uint16_t, kWeaponKinds> Ammo{15, 0, 0, 0, 0, 0, 0};
  uint8_t Facing = kFacingNone;  // kFacingLeft after a step left, kFacingRight after a step right
  bool GravityOn = false;
  std::array<uint8_t, kKeySlots> Keys{};  // collected key codes, 0 = empty slot

 private:
  void WriteStatusCaption();
  void WalkLeft();
  void FireOrCount(bool triggerHeld);
  void Fire();
  void WalkRight();
  void Fall();

  std::shared_ptr<TPlayerSprite* const> lifeToken_;
};

}  // namespace kestrilo

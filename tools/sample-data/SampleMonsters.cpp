#include "SampleMonsters.h"

#include "platform/Cp1251.h"

namespace kestrilo::sample {

namespace {

// 16 x 9 = 144 frames in the first tick: past the 18 frames, so the state
// ranges take over at once; 0.144 frame per tick afterwards.
constexpr double kAnimSpeed = 9.0;

TMonsterRecord Base(const char* utf8Name, uint16_t healthMin, uint16_t healthMax, uint16_t damageMin,
                    uint16_t damageMax, uint16_t walkSpeed) {
  TMonsterRecord r;
  r.Name = W1251(utf8Name);
  r.HealthMin = healthMin;
  r.HealthMax = healthMax;
  r.DamageMin = damageMin;
  r.DamageMax = damageMax;
  r.ShotDelay = TMonsterRecord::kPlayedShotDelay;
  r.WalkSpeed = walkSpeed;
  r.AnimSpeed = kAnimSpeed;
  r.FrameRanges = StandardFrameRanges();
  return r;
}

}  // namespace

std::array<TMonsterFrameRange, TMonsterRecord::kStateCount> StandardFrameRanges() {
  return {{{0, 4}, {4, 8}, {8, 8}, {9, 9}, {10, 12}, {12, 14}, {14, 16}, {16, 18}}};
}

std::vector<TMonsterRecord> SampleMonsterRecords() {
  // A walking bomb: wakes when the player comes within six cells, walks to
  // and fro on its floor and explodes at the first touch. One shot kills it.
  TMonsterRecord walker = Base("Бродяга", 3, 5, 15, 25, 3);
  walker.WakeByDistance = true;
  walker.WakeDistance = 6;

  // Stands and shoots while the player is within 160 x 64 pixels; two shots kill it.
  TMonsterRecord hunter = Base("Стрелок", 8, 10, 3, 6, 2);
  hunter.Hunter = true;
  hunter.ShotPicture = W1251("Пуля");
  hunter.WakeByDistance = true;
  hunter.WakeDistance = 8;

  // Flies to and fro in a wave and drops a bomb on a player right below.
  TMonsterRecord flyer = Base("Летун", 3, 5, 6, 10, 3);
  flyer.MoveMode = TMonsterRecord::mmFliesAndBombs;

  // Jumps five cells towards a player in reach and explodes on touch.
  TMonsterRecord jumper = Base("Прыгун", 3, 5, 10, 16, 2);
  jumper.CanJump = true;
  jumper.WakeByDistance = true;
  jumper.WakeDistance = 5;

  return {walker, hunter, flyer, jumper};
}

}  // namespace kestrilo::sample

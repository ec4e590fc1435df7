#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "WorldObjectsFixture.h"
#include "platform/Errors.h"
#include "world/Blast.h"
#include "world/Bomb.h"
#include "world/EnemyWalker.h"
#include "world/MonsterShot.h"
#include "world/PlacedObjectFactory.h"
#include "world/PlayerShot.h"

namespace kestrilo {
namespace {

using testing::MakeRecord;

class MonsterTest : public testing::WorldObjectsTest {
 protected:
  MonsterTest() {
    world.AddObjectPicture("Гоблин", 32, 32, 16);  // box 32 x 28
    world.AddObjectPicture("Плевок", 16, 8, 2);
    world.AddObjectPicture("Взрыв", 16, 16, 3);
    world.AddObjectPicture("Бомба", 8, 8, 2);
    world.AddObjectPicture("Стена", 32, 32);
    world.SetFloor(11);
  }

  static TMonsterRecord Goblin() {
    TMonsterRecord record;
    record.Name = W1251("Гоблин");
    record.MoveMode = 1;  // walks, never falls
    record.HealthMin = 10;
    record.HealthMax = 10;
    record.DamageMin = 7;
    record.DamageMax = 7;
    record.WalkSpeed = 5;
    record.AnimSpeed = 10;  // 0.16 frame per tick within a range
    const TMonsterFrameRange ranges[8] = {{0, 3}, {4, 7}, {8, 9}, {10, 11}, {12, 13}, {12, 13}, {14, 15}, {14, 15}};
    for (int i = 0; i < 8; ++i) record.FrameRanges[i] = ranges[i];
    return record;
  }

  // Resting on the floor of row 11: the box's bottom two pixels above it.
  TEnemyWalker* MakeMonster(const TMonsterRecord& record, double x = 320, double y = 322) {
    return new TEnemyWalker(&world.Root(), record, x, y);
  }

  // A player shot standing still over (x, y).
  TAmmoFireP* MakeShot(double x, double y) {
    auto* shot = new TAmmoFireP(&world.Root());
    shot->X = x;
    shot->Y = y;
    shot->Width = 8;
    shot->Height = 8;
    return shot;
  }
};

TEST_F(MonsterTest, ConstructionFollowsTheRecord) {
  TMonsterRecord record = Goblin();
  record.HealthMin = 20;
  record.HealthMax = 30;
  record.ShotDelay = 999;
  TRandom expected;
  expected.RandSeed = world.Context.Random.RandSeed;
  TEnemyWalker* monster = MakeMonster(record, 100, 200);
  EXPECT_STREQ(monster->ClassName(), "TEnemyWalker");
  EXPECT_EQ(monster->Health, 20 + expected.Random(10));
  EXPECT_EQ(world.Context.Random.RandSeed, expected.RandSeed);
  EXPECT_EQ(monster->Width, 32);
  EXPECT_EQ(monster->Height, 28);
  EXPECT_EQ(monster->State, 1);
  EXPECT_TRUE(monster->RangeAnimation);
  EXPECT_EQ(monster->FrameCount, 16);
  EXPECT_FALSE(monster->Looping);
  EXPECT_EQ(monster->Record.ShotDelay, 30);
  EXPECT_EQ(monster->ShotTimer, 120);
  EXPECT_EQ(monster->BombTimer, 100);
  EXPECT_EQ(monster->HomeX, 100);
  EXPECT_EQ(monster->HomeY, 200);
  EXPECT_EQ(monster->Z(), 0);
  // The box is 4 pixels shorter than the picture, which is drawn 2 pixels above it.
  EXPECT_EQ(monster->DrawRect().Top - monster->GetBounds().Top, -2);
  EXPECT_EQ(monster->DrawRect().Left, monster->GetBounds().Left);
}

TEST_F(MonsterTest, ReversedBoundsUseTheLowerBoundAlone) {
  TMonsterRecord record = Goblin();
  record.HealthMin = 40;
  record.HealthMax = 10;
  record.DamageMin = 9;
  record.DamageMax = 3;
  const uint32_t seed = world.Context.Random.RandSeed;
  TEnemyWalker* monster = MakeMonster(record);
  EXPECT_EQ(monster->Health, 40);
  EXPECT_EQ(world.Context.Random.RandSeed, seed);
  // A touch with reversed damage bounds takes the lower bound.
  TPlayerSprite* player = MakePlayer(325, 322);
  monster->Target.Start(*monster);
  world.Tick();
  EXPECT_EQ(player->Health, 91);
}

TEST_F(MonsterTest, WalkSpeedFiveWalksOnePointSixPixelsPerTick) {
  TEnemyWalker* monster = MakeMonster(Goblin());
  world.Tick();
  EXPECT_NEAR(monster->X, 318.4, 1e-9);
  world.Ticks(9);
  EXPECT_NEAR(monster->X, 304, 1e-9);
  EXPECT_EQ(monster->Y, 322);
}

TEST_F(MonsterTest, WalkerTurnsAtBothEndsOfALedge) {
  for (int column = 0; column < TMatrix::kColumns; ++column) world.SetSolid(column, 11, false);
  for (int column = 9; column <= 11; ++column) world.SetSolid(column, 11);
  TMonsterRecord record = Goblin();
  record.WalkSpeed = 25;  // 8 pixels per tick
  TEnemyWalker* monster = MakeMonster(record);
  double lowest = monster->X;
  double highest = monster->X;
  bool turnedRight = false;
  bool turnedLeftAgain = false;
  for (int tick = 0; tick < 200; ++tick) {
    const uint8_t before = monster->State;
    world.Tick();
    lowest = std::min(lowest, monster->X.Get());
    highest = std::max(highest, monster->X.Get());
    if (before == 1 && monster->State == 2) turnedRight = true;
    if (turnedRight && before == 2 && monster->State == 1) turnedLeftAgain = true;
  }
  EXPECT_TRUE(turnedRight);
  EXPECT_TRUE(turnedLeftAgain);
  // Going left it turns once its left edge has passed the ledge's first column;
  // going right once the column just right of it has no ground.
  EXPECT_EQ(lowest, 280);
  EXPECT_EQ(highest, 352);
  EXPECT_EQ(monster->Y, 322);
}

TEST_F(MonsterTest, WalkerTurnsAtAWall) {
  world.SetSolid(8, 10);
  TEnemyWalker* monster = MakeMonster(Goblin(), 290);
  world.Tick();  // column 9 is free: one step
  EXPECT_NEAR(monster->X, 288.4, 1e-9);
  world.Ticks(2);  // 286.8 lies in column 8: turn
  EXPECT_EQ(monster->State, 2);
}

TEST_F(MonsterTest, FallingWalkerDropsTwoPixelsPerTick) {
  TMonsterRecord record = Goblin();
  record.MoveMode = 0;
  record.WalkSpeed = 0;
  TEnemyWalker* monster = MakeMonster(record, 320, 200);
  world.Tick();
  EXPECT_EQ(monster->Y, 202);
  world.Ticks(100);
  EXPECT_EQ(monster->Y, 322);  // stops where row 11 lies below its box
}

TEST_F(MonsterTest, EditModeKeepsTheMonsterHomeButAnimating) {
  world.Context.EditMode = TEditMode::Editing;
  TEnemyWalker* monster = MakeMonster(Goblin());
  world.Tick();
  const double framePos = monster->FramePos;
  monster->X = 100;
  world.Tick();
  EXPECT_EQ(monster->X, 320);
  EXPECT_EQ(monster->Y, 322);
  EXPECT_NE(monster->FramePos, framePos);
}

TEST_F(MonsterTest, StateRangesLoopWhileWalking) {
  TEnemyWalker* monster = MakeMonster(Goblin());
  world.Tick();  // the whole picture runs out first, then the walk-left range restarts
  EXPECT_EQ(monster->FrameSpeed, 0);
  EXPECT_DOUBLE_EQ(monster->FramePos, 0);
  world.Ticks(5);
  EXPECT_NEAR(monster->FramePos, 0.8, 1e-9);
  world.Ticks(14);  // 3.04 is past the range's last frame
  EXPECT_NEAR(monster->FramePos, 0, 1e-9);
}

TEST_F(MonsterTest, HunterStandsAndShootsEveryThirtyTwoTicks) {
  TMonsterRecord record = Goblin();
  record.Hunter = true;
  record.ShotPicture = W1251("Плевок");
  MakePlayer(220, 262, 20, 14);  // 100 to the left, 60 above: near but off the shots' line
  TEnemyWalker* monster = MakeMonster(record);
  world.Tick();
  ASSERT_EQ(world.CountOf("TAmmoFire"), 1);
  auto* shot = static_cast<TAmmoFire*>(world.FirstOf("TAmmoFire"));
  EXPECT_EQ(shot->Direction, 1);
  EXPECT_EQ(shot->Damage, 7);
  EXPECT_EQ(shot->X, 320 + 32 / 3);
  EXPECT_EQ(shot->Y, 322 + 28 / 2);
  EXPECT_EQ(shot->Width, 16);
  EXPECT_EQ(shot->FrameCount, 2);
  EXPECT_EQ(monster->State, 1);
  world.Ticks(31);
  EXPECT_EQ(world.CountOf("TAmmoFire"), 1);
  world.Tick();  // tick 33
  EXPECT_EQ(world.CountOf("TAmmoFire"), 2);
  world.Ticks(32);
  EXPECT_EQ(world.CountOf("TAmmoFire"), 3);
  EXPECT_EQ(monster->X, 320);  // never stepped
}

TEST_F(MonsterTest, HunterFacingRightShootsRightFromTwoThirds) {
  TMonsterRecord record = Goblin();
  record.Hunter = true;
  record.ShotPicture = W1251("Плевок");
  MakePlayer(420, 262, 20, 14);
  TEnemyWalker* monster = MakeMonster(record);
  world.Tick();
  auto* shot = static_cast<TAmmoFire*>(world.FirstOf("TAmmoFire"));
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->Direction, 2);
  EXPECT_EQ(shot->X, 320 + 2 * (32 / 3));
  EXPECT_EQ(monster->State, 2);
  EXPECT_EQ(monster->FramePos, 4);
}

TEST_F(MonsterTest, HunterWithoutShotPictureNeverShoots) {
  TMonsterRecord record = Goblin();
  record.Hunter = true;
  MakePlayer(220, 262, 20, 14);
  world.Tick();
  MakeMonster(record);
  record.ShotPicture = W1251("Нет такой");
  MakeMonster(record, 330);
  world.Ticks(70);
  EXPECT_EQ(world.CountOf("TAmmoFire"), 0);
}

TEST_F(MonsterTest, ThreePlayerShotsKillAndLeaveACorpse) {
  TPlayerSprite* player = MakePlayer(3000, 322);
  player->ShotDamage = 5;
  TEnemyWalker* monster = MakeMonster(Goblin());
  ASSERT_EQ(monster->Health, 10);
  TAmmoFireP* shot = MakeShot(325, 330);
  world.Tick();
  EXPECT_EQ(monster->Health, 5);
  EXPECT_EQ(monster->State, 5);
  EXPECT_TRUE(monster->Busy);
  EXPECT_EQ(world.CountOf("TAmmoFireP"), 0);
  (void)shot;
  MakeShot(325, 330);
  world.Tick();
  EXPECT_EQ(monster->Health, 0);
  EXPECT_EQ(monster->State, 5);
  MakeShot(325, 330);
  world.Tick();
  EXPECT_EQ(monster->Health, -5);
  EXPECT_EQ(monster->State, 7);
  world.Ticks(4);
  EXPECT_FALSE(monster->Dying);
  world.Tick();  // the death range 14..15 is over at 14.8
  EXPECT_TRUE(monster->Dying);
  const double x = monster->X;
  const double framePos = monster->FramePos;
  MakeShot(325, 330);
  world.Ticks(20);
  EXPECT_EQ(world.CountOf("TEnemyWalker"), 1);
  EXPECT_EQ(monster->X, x);
  EXPECT_EQ(monster->FramePos, framePos);
  EXPECT_EQ(monster->Health, -5);
  EXPECT_EQ(world.CountOf("TAmmoFireP"), 1);  // a corpse ignores shots
}

TEST_F(MonsterTest, HitRangePlaysOnceAndReturnsToWalking) {
  TPlayerSprite* player = MakePlayer(3000, 322);
  player->ShotDamage = 5;
  TEnemyWalker* monster = MakeMonster(Goblin());
  world.Tick();
  monster->State = TMonster::stWalkRight;
  MakeShot(330, 330);
  world.Tick();
  EXPECT_EQ(monster->State, 6);
  world.Ticks(3);  // 12.16, 12.32, 12.48
  EXPECT_EQ(monster->State, 6);
  EXPECT_TRUE(monster->Busy);
  world.Ticks(3);  // 12.8 + 0.3 passes 13
  EXPECT_EQ(monster->State, 2);
  EXPECT_FALSE(monster->Busy);
}

TEST_F(MonsterTest, EmptyDeathRangeRemovesTheMonster) {
  TPlayerSprite* player = MakePlayer(3000, 322);
  player->ShotDamage = 50;
  TMonsterRecord record = Goblin();
  record.FrameRanges[6] = {14, 14};
  MakeMonster(record);
  MakeShot(325, 330);
  world.Tick();
  EXPECT_EQ(world.CountOf("TEnemyWalker"), 1);
  world.Tick();
  EXPECT_EQ(world.CountOf("TEnemyWalker"), 0);
}

TEST_F(MonsterTest, EmptyHitRangeMakesABlastAndCountsTheDamage) {
  TPlayerSprite* player = MakePlayer(3000, 322);
  player->ShotDamage = 5;
  TMonsterRecord record = Goblin();
  record.FrameRanges[4] = {12, 12};
  TEnemyWalker* monster = MakeMonster(record);
  MakeShot(325, 330);
  TRandom expected;
  expected.RandSeed = world.Context.Random.RandSeed;
  world.Tick();
  const int32_t first = expected.Random(5);
  const int32_t second = expected.Random(5);
  const double mx = 320;  // checked before its step
  const double blastX = first < second ? mx + 16 - expected.Random(10) : mx + expected.Random(30);
  const double blastY = 322 + expected.Random(20);
  auto* blast = world.FirstOf("TBlast");
  ASSERT_NE(blast, nullptr);
  EXPECT_NEAR(blast->X, blastX, 1e-9);
  EXPECT_EQ(blast->Y, blastY);
  EXPECT_EQ(blast->Z(), 20);
  EXPECT_EQ(monster->Health, 5);
  EXPECT_EQ(monster->State, 1);
  EXPECT_EQ(world.CountOf("TAmmoFireP"), 0);
}

TEST_F(MonsterTest, HunterWithoutHitRangeKilledWhileFacingThePlayerStaysDying) {
  TMonsterRecord record = Goblin();
  record.Hunter = true;
  record.FrameRanges[4] = {12, 12};                      // no hit range: the shot leaves Busy at 0
  TPlayerSprite* player = MakePlayer(220, 262, 20, 14);  // near, on the left
  player->ShotDamage = 5;
  TEnemyWalker* monster = MakeMonster(record);
  monster->Health = 4;
  world.Tick();  // faces the player (its own shots are left out: they would shield it)
  MakeShot(325, 330);
  world.Tick();
  monster->Record.ShotPicture = W1251("Плевок");  // from now on a facing hunter would shoot
  EXPECT_EQ(monster->Health, -1);
  EXPECT_FALSE(monster->Busy);
  EXPECT_EQ(monster->State, TMonster::stDyingLeft);
  // The death range plays out with the player still near: no turning back,
  // no more shots, and a corpse at the end.
  for (int tick = 0; tick < 200 && monster->Dying == 0; ++tick) {
    world.Tick();
    ASSERT_EQ(monster->State, TMonster::stDyingLeft) << "tick " << tick;
  }
  EXPECT_TRUE(monster->Dying);
  world.Ticks(40);
  EXPECT_EQ(monster->State, TMonster::stDyingLeft);
  EXPECT_EQ(world.CountOf("TAmmoFire"), 0);
}

TEST_F(MonsterTest, HunterKilledWithTheLastHealthPointStillTurnsOnlyWhileAlive) {
  TMonsterRecord record = Goblin();
  record.Hunter = true;
  record.FrameRanges[4] = {12, 12};
  TPlayerSprite* player = MakePlayer(220, 262, 20, 14);
  player->ShotDamage = 5;
  TEnemyWalker* monster = MakeMonster(record);
  monster->Health = 5;  // a shot leaves it at 0: alive
  world.Tick();
  MakeShot(325, 330);
  world.Tick();
  EXPECT_EQ(monster->Health, 0);
  EXPECT_EQ(monster->State, TMonster::stFaceLeft);  // alive, so it turns to the player again
}

TEST_F(MonsterTest, JumperInADyingStateIsNotTurnedByTheJumpReach) {
  TMonsterRecord record = Goblin();
  record.CanJump = true;
  record.MoveMode = 0;
  MakePlayer(220, 222, 20, 14);  // within jumping reach on the left
  for (const TMonster::TState dying : {TMonster::stDyingLeft, TMonster::stDyingRight}) {
    TEnemyWalker* monster = MakeMonster(record);
    monster->State = dying;
    monster->Busy = 0;
    world.Tick();
    EXPECT_EQ(monster->State, dying);
    EXPECT_FALSE(monster->Jumping);
    EXPECT_EQ(monster->X, 320);
    monster->MarkDead();
    world.Tick();
  }
  // A living jumper in the same place turns and jumps.
  TEnemyWalker* alive = MakeMonster(record);
  alive->State = TMonster::stWalkRight;
  world.Tick();
  EXPECT_EQ(alive->State, TMonster::stWalkLeft);
  EXPECT_TRUE(alive->Jumping);
}

TEST_F(MonsterTest, DecorationUnderTheMonsterShieldsItFromTheShot) {
  TPlayerSprite* player = MakePlayer(3000, 322);
  player->ShotDamage = 5;
  TMyObject::CreateFromRecord(&world.Root(), MakeRecord(otBackground, "Стена"), 320, 320, 10);
  TEnemyWalker* monster = MakeMonster(Goblin());
  MakeShot(325, 330);
  world.Tick();
  EXPECT_EQ(monster->Health, 10);
  EXPECT_EQ(monster->State, 1);
  EXPECT_EQ(world.CountOf("TAmmoFireP"), 1);
}

TEST_F(MonsterTest, TouchAttackMakesFiveBlastsAndHurtsThePlayer) {
  TMonsterRecord record = Goblin();
  record.DamageMin = 10;
  record.DamageMax = 20;
  TPlayerSprite* player = MakePlayer(305, 322, 20, 26);
  MakeMonster(record);
  TRandom expected;
  expected.RandSeed = world.Context.Random.RandSeed;
  world.Tick();
  ASSERT_EQ(world.CountOf("TBlast"), 5);
  const double mx = 320;  // checked before its step
  for (int i = 0; i < world.Root().ChildCount(); ++i) {
    TSprite* sprite = world.Root().Child(i);
    if (std::string_view(sprite->ClassName()) != "TBlast") continue;
    const int32_t dx = expected.Random(64);
    const int32_t dy = expected.Random(20);
    EXPECT_NEAR(sprite->X, mx - 32 + dx, 1e-9);
    EXPECT_EQ(sprite->Y, 322 + dy);
    EXPECT_EQ(sprite->Z(), 20);
  }
  EXPECT_EQ(player->Health, 100 - (10 + expected.Random(10)));
  EXPECT_EQ(world.CountOf("TEnemyWalker"), 0);
}

TEST_F(MonsterTest, HunterDoesNotExplodeOnTouch) {
  TMonsterRecord record = Goblin();
  record.Hunter = true;
  TPlayerSprite* player = MakePlayer(300, 322, 20, 26);
  MakeMonster(record);
  world.Ticks(3);
  EXPECT_EQ(player->Health, 100);
  EXPECT_EQ(world.CountOf("TEnemyWalker"), 1);
  EXPECT_EQ(world.CountOf("TBlast"), 0);
}

TEST_F(MonsterTest, SleepsWhileThePlayerIsBeyondTheWakeDistance) {
  TMonsterRecord record = Goblin();
  record.WakeByDistance = true;
  record.WakeDistance = 2;  // 64 pixels
  TPlayerSprite* player = MakePlayer(420, 322 - 100, 20, 14);
  TEnemyWalker* monster = MakeMonster(record);
  world.Ticks(3);
  EXPECT_TRUE(monster->Asleep);
  EXPECT_EQ(monster->X, 320);
  player->X = 380;
  player->Y = 300;
  world.Tick();
  EXPECT_FALSE(monster->Asleep);
  EXPECT_NEAR(monster->X, 318.4, 1e-9);
}

TEST_F(MonsterTest, WakeByDistanceWithoutPlayerNeverMoves) {
  TMonsterRecord record = Goblin();
  record.WakeByDistance = true;
  record.WakeDistance = 200;
  TEnemyWalker* monster = MakeMonster(record);
  world.Ticks(3);
  EXPECT_EQ(monster->X, 320);
}

TEST_F(MonsterTest, JumperLeapsTowardsThePlayerForFortyOneTicks) {
  TMonsterRecord record = Goblin();
  record.CanJump = true;
  record.MoveMode = 0;
  MakePlayer(220, 222, 20, 14);
  TEnemyWalker* monster = MakeMonster(record);
  world.Tick();
  EXPECT_TRUE(monster->Jumping);
  EXPECT_EQ(monster->JumpTarget.x, 160);
  EXPECT_EQ(monster->X, 316);
  EXPECT_NEAR(monster->Y, 320.8, 1e-9);
  world.Ticks(39);
  EXPECT_TRUE(monster->Jumping);
  world.Tick();
  EXPECT_FALSE(monster->Jumping);
  EXPECT_EQ(monster->X, 156);
  EXPECT_NEAR(monster->Y, 322 - 41 * 1.2, 1e-9);
}

TEST_F(MonsterTest, FlyerWavesAndBombsThePlayerBelowEveryTwentyOneTicks) {
  TMonsterRecord record = Goblin();
  record.MoveMode = 2;
  record.WalkSpeed = 0;
  TPlayerSprite* player = MakePlayer(330, 322, 20, 26);
  TEnemyWalker* flyer = MakeMonster(record, 320, 100);
  world.Tick();
  EXPECT_EQ(flyer->WaveCounter, 1);
  EXPECT_NEAR(flyer->Y, 100 + std::sin(2 * std::numbers::pi / 256), 1e-12);
  ASSERT_EQ(world.CountOf("TBomb"), 1);
  auto* bomb = static_cast<TBomb*>(world.FirstOf("TBomb"));
  EXPECT_EQ(bomb->Damage, 7);
  EXPECT_EQ(bomb->X, 320 + 16);
  EXPECT_EQ(bomb->Y, 100 + 28 + 1);
  EXPECT_EQ(bomb->Z(), 20);
  world.Ticks(20);
  EXPECT_EQ(world.CountOf("TBomb"), 1);
  world.Tick();  // tick 22
  EXPECT_EQ(world.CountOf("TBomb"), 2);
  player->X = 500;  // no longer below: no more bombs
  world.Ticks(30);
  EXPECT_EQ(world.CountOf("TBomb"), 2);
}

// A bomb or blast takes its picture before any number is drawn for it, so one
// that cannot be made leaves the random sequence where it was.
class MonsterWithoutPicturesTest : public MonsterTest {
 protected:
  void RemovePicture(std::string_view utf8Name) {
    TPictureCollection& pictures = world.Context.ObjectPictureList->Items;
    pictures.Delete(pictures.IndexOf(W1251(utf8Name)));
  }
  // Ticks once, expecting the missing-picture error; tells whether the random seed is unchanged.
  bool FailingTickDrawsNothing() {
    const uint32_t seed = world.Context.Random.RandSeed;
    EXPECT_THROW(world.Tick(), EPictureCollectionError);
    return world.Context.Random.RandSeed == seed;
  }
};

TEST_F(MonsterWithoutPicturesTest, BombThatCannotBeMadeDrawsNoDamage) {
  RemovePicture("Бомба");
  TMonsterRecord record = Goblin();
  record.MoveMode = 2;
  MakePlayer(330, 322, 20, 26);
  TEnemyWalker* flyer = MakeMonster(record, 320, 100);
  EXPECT_TRUE(FailingTickDrawsNothing());
  EXPECT_EQ(flyer->BombTimer, 0);
  EXPECT_EQ(world.CountOf("TBomb"), 0);
}

TEST_F(MonsterWithoutPicturesTest, TouchBlastThatCannotBeMadeDrawsNoPlace) {
  RemovePicture("Взрыв");
  TPlayerSprite* player = MakePlayer(305, 322, 20, 26);
  MakeMonster(Goblin());
  EXPECT_TRUE(FailingTickDrawsNothing());
  EXPECT_EQ(player->Health, 100);
  EXPECT_EQ(world.CountOf("TEnemyWalker"), 1);
}

TEST_F(MonsterWithoutPicturesTest, HitBlastThatCannotBeMadeDrawsNoPlace) {
  RemovePicture("Взрыв");
  MakePlayer(3000, 322)->ShotDamage = 5;
  TMonsterRecord record = Goblin();
  record.FrameRanges[4] = {12, 12};  // no hit range: a blast marks the hit
  TEnemyWalker* monster = MakeMonster(record);
  MakeShot(325, 330);
  EXPECT_TRUE(FailingTickDrawsNothing());
  EXPECT_EQ(monster->Health, 10);
}

TEST_F(MonsterTest, FlyerTurnsAtWalls) {
  TMonsterRecord record = Goblin();
  record.MoveMode = 2;
  world.SetSolid(9, 3);
  TEnemyWalker* flyer = MakeMonster(record, 320, 100);
  world.Tick();
  EXPECT_NEAR(flyer->X, 318.4, 1e-9);
  world.Tick();  // column 9 is solid
  EXPECT_EQ(flyer->State, 2);
}

TEST_F(MonsterTest, MonsterSurvivesItsPlayerBeingFreed) {
  TMonsterRecord record = Goblin();
  record.Hunter = true;
  record.ShotPicture = W1251("Плевок");
  MakePlayer(220, 262, 20, 14);
  TEnemyWalker* monster = MakeMonster(record);
  world.Tick();
  RemovePlayer();
  world.Ticks(40);
  EXPECT_FALSE(monster->PlayerNear());
  EXPECT_EQ(monster->Target.Get(), nullptr);
  EXPECT_EQ(world.CountOf("TAmmoFire"), 1);
}

TEST_F(MonsterTest, HunterFacingThePlayerMidJumpRisesWithoutMovingSideways) {
  TMonsterRecord record = Goblin();
  record.CanJump = true;
  record.MoveMode = 0;
  TPlayerSprite* player = MakePlayer(220, 222, 20, 14);
  TEnemyWalker* monster = MakeMonster(record);
  world.Tick();
  ASSERT_TRUE(monster->Jumping);
  monster->Record.Hunter = true;
  player->Y = 290;  // now within 64 pixels vertically: the monster faces it
  world.Ticks(10);
  EXPECT_EQ(monster->State, 3);
  EXPECT_TRUE(monster->Jumping);
  EXPECT_EQ(monster->X, 316);
  EXPECT_NEAR(monster->Y, 322 - 11 * 1.2, 1e-9);
}

class MonsterRangeTest : public testing::WorldObjectsTest {
 protected:
  MonsterRangeTest() : monster(&world.Root()) {
    monster.Record.AnimSpeed = 10;  // 0.16 frame per tick
    monster.RangeAnimation = 1;
    monster.FrameCount = 16;  // FrameSpeed 0: the base advance leaves the position alone
  }
  void Range(uint8_t state, uint16_t first, uint16_t last) { monster.Record.FrameRanges[state - 1] = {first, last}; }
  TMonster monster;
};

TEST_F(MonsterRangeTest, NothingMovesWithoutRangeAnimationOrWhenDying) {
  Range(1, 0, 3);
  monster.FramePos = 2;
  monster.RangeAnimation = 0;
  monster.OnMove(16);
  EXPECT_EQ(monster.FramePos, 2);
  monster.RangeAnimation = 1;
  monster.Dying = 1;
  monster.OnMove(16);
  EXPECT_EQ(monster.FramePos, 2);
  EXPECT_STREQ(monster.ClassName(), "TMonster");
}

TEST_F(MonsterRangeTest, FallingWalkRangesRestartAtTheirFirstFrame) {
  Range(1, 7, 4);
  monster.State = TMonster::stWalkLeft;
  monster.FramePos = 0;
  monster.OnMove(16);
  EXPECT_EQ(monster.FramePos, 7);
  monster.OnMove(16);
  EXPECT_NEAR(monster.FramePos, 6.84, 1e-12);

  // Walking right restarts a falling range just below its first frame.
  Range(2, 7, 4);
  monster.State = TMonster::stWalkRight;
  monster.FramePos = 3.9;
  monster.OnMove(16);
  EXPECT_NEAR(monster.FramePos, 6.7, 1e-12);
}

TEST_F(MonsterRangeTest, FallingDeathRangeLeavesACorpseBelowItsLastFrame) {
  Range(7, 15, 14);
  monster.State = TMonster::stDyingLeft;
  monster.Restart = 1;
  monster.FramePos = 3;
  monster.OnMove(16);
  EXPECT_NEAR(monster.FramePos, 14.84, 1e-12);
  EXPECT_TRUE(monster.Busy);
  EXPECT_FALSE(monster.Restart);
  for (int i = 0; i < 7; ++i) monster.OnMove(16);  // 13.72: not yet below 13.7
  EXPECT_FALSE(monster.Dying);
  monster.OnMove(16);
  EXPECT_TRUE(monster.Dying);
  EXPECT_EQ(monster.State, 7);
  EXPECT_TRUE(monster.Busy);
  const double frame = monster.FramePos;
  monster.OnMove(16);
  EXPECT_EQ(monster.FramePos, frame);
}

TEST_F(MonsterRangeTest, EmptyHitRangeLeavesTheStateAlone) {
  Range(5, 12, 12);
  monster.State = TMonster::stHitLeft;
  monster.FramePos = 1;
  monster.OnMove(16);
  EXPECT_EQ(monster.State, 5);
  EXPECT_EQ(monster.FramePos, 1);
  EXPECT_FALSE(monster.IsDead);
}

}  // namespace
}  // namespace kestrilo

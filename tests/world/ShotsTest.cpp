#include <gtest/gtest.h>

#include "WorldTestContext.h"
#include "platform/Errors.h"
#include "world/MonsterShot.h"
#include "world/PlayerShot.h"
#include "world/PlayerSprite.h"

namespace kestrilo {
namespace {

using testing::TWorldTestContext;

class ShotTest : public ::testing::Test {
 protected:
  template <class TShot>
  TShot* MakeShot(uint8_t direction, double x, double y, int32_t width = 20, int32_t height = 40) {
    auto* shot = new TShot(&world.Root());
    shot->Direction = direction;
    shot->X = x;
    shot->Y = y;
    shot->Width = width;
    shot->Height = height;
    return shot;
  }

  // Ticks until the shot is freed; returns how many ticks that took (or limit + 1).
  int TicksUntilGone(const char* className, int limit = 2000) {
    for (int tick = 1; tick <= limit; ++tick) {
      world.Tick();
      if (world.CountOf(className) == 0) return tick;
    }
    return limit + 1;
  }

  TWorldTestContext world;
};

TEST_F(ShotTest, PlayerShotFliesFourPixelsPerTickInItsDirection) {
  auto* right = MakeShot<TAmmoFireP>(2, 100, 96);
  auto* left = MakeShot<TAmmoFireP>(1, 400, 96);
  auto* still = MakeShot<TAmmoFireP>(0, 250, 96);
  world.Ticks(3);
  EXPECT_EQ(right->X, 112);
  EXPECT_EQ(left->X, 388);
  EXPECT_EQ(still->X, 250);
  EXPECT_STREQ(right->ClassName(), "TAmmoFireP");
}

TEST_F(ShotTest, PlayerShotStopsAtAWall) {
  // Half its width (10) is looked at: the column under X + 4 + 10.
  auto* shot = MakeShot<TAmmoFireP>(2, 100, 96);
  world.SetSolid(5, 3);
  world.Tick();  // asks column trunc((10 + 104) / 32) = 3
  EXPECT_EQ(shot->X, 104);
  // From X = 148 the query reaches column 5 (162 / 32): the shot ends in its 13th tick.
  EXPECT_EQ(TicksUntilGone("TAmmoFireP"), 12);
}

TEST_F(ShotTest, PlayerShotPassesWhereAMonsterShotOfTheSameSizeIsStopped) {
  // 40 pixels high at y = 96: the full size looks at rows 3 and 4, half of it at row 3 only.
  world.SetSolid(6, 4);
  auto* playerShot = MakeShot<TAmmoFireP>(2, 150, 96);
  auto* monsterShot = MakeShot<TAmmoFire>(2, 150, 96);
  world.Ticks(10);
  EXPECT_EQ(world.CountOf("TAmmoFireP"), 1);
  EXPECT_EQ(playerShot->X, 190);
  EXPECT_EQ(world.CountOf("TAmmoFire"), 0);
  (void)monsterShot;
}

TEST_F(ShotTest, ShotAtTheLeftEdgeIsRemovedWithoutMoving) {
  auto* shot = MakeShot<TAmmoFire>(1, 2, 96);
  world.Context.SpriteEngine->Move(16);
  EXPECT_TRUE(shot->IsDead);
  EXPECT_EQ(shot->X, 2);
  world.Context.SpriteEngine->RemoveDead();
  EXPECT_EQ(world.CountOf("TAmmoFire"), 0);
}

TEST_F(ShotTest, ShotIsRemovedPastTheRightEdgeOfTheLevel) {
  auto* shot = MakeShot<TAmmoFire>(2, 6356, 96, 4, 8);
  world.Tick();
  world.Tick();
  EXPECT_EQ(shot->X, 6364);
  world.Tick();  // 6368 is still answered
  EXPECT_EQ(shot->X, 6368);
  EXPECT_EQ(TicksUntilGone("TAmmoFire"), 1);  // 6372 is past the edge
}

TEST_F(ShotTest, ShotThatDoesNotFlyIsRemovedOnlyLeftOfTheLevel) {
  MakeShot<TAmmoFireP>(7, 20, 96);
  world.Ticks(50);
  EXPECT_EQ(world.CountOf("TAmmoFireP"), 1);
  MakeShot<TAmmoFireP>(0, -0.5, 96);
  world.Tick();
  EXPECT_EQ(world.CountOf("TAmmoFireP"), 1);
}

class MonsterShotHitTest : public ShotTest {
 protected:
  TPlayerSprite* player = world.AddPicturedPlayer(200, 96);
};

TEST_F(MonsterShotHitTest, TakesItsDamageFromThePlayerOnce) {
  auto* shot = MakeShot<TAmmoFire>(1, 236, 100, 20, 10);
  shot->Damage = 12;
  world.Tick();  // 232: not touching yet (the player's box ends at 232)
  EXPECT_EQ(player->Health, 100);
  world.Tick();  // 228
  EXPECT_EQ(player->Health, 88);
  EXPECT_EQ(world.CountOf("TAmmoFire"), 0);
  world.Ticks(3);
  EXPECT_EQ(player->Health, 88);
}

TEST_F(MonsterShotHitTest, DamageWrapsInSixteenBits) {
  player->Health = -32768;
  auto* shot = MakeShot<TAmmoFire>(0, 210, 100, 10, 10);
  shot->Damage = 1;
  world.Context.SpriteEngine->Move(16);
  // The player stepped first (and marked itself dead at -32768); the shot then wrapped its health.
  EXPECT_EQ(player->Health, 32767);
  EXPECT_TRUE(shot->IsDead);
}

TEST_F(MonsterShotHitTest, IgnoresOtherSpritesAndOlderPlayers) {
  auto* older = player;
  world.Context.PlayerSprite = TPlayerSprite::CreateFor(&world.Root(), world.Context.ObjectPictures());
  world.Context.PlayerSprite->X = 3000;
  auto* wall = new TImageSprite(&world.Root());
  wall->X = 300;
  wall->Y = 96;
  wall->Width = 32;
  wall->Height = 32;
  auto* shot = MakeShot<TAmmoFire>(0, 210, 100, 10, 10);
  auto* shot2 = MakeShot<TAmmoFire>(0, 305, 100, 10, 10);
  shot->Damage = 5;
  shot2->Damage = 5;
  world.Ticks(3);
  EXPECT_EQ(older->Health, 100);
  EXPECT_EQ(world.CountOf("TAmmoFire"), 2);
}

TEST_F(MonsterShotHitTest, DoesNothingWithoutAPlayer) {
  player->MarkDead();
  world.Tick();
  ASSERT_EQ(world.Context.PlayerSprite, nullptr);
  auto* shot = MakeShot<TAmmoFire>(0, 210, 100, 10, 10);
  shot->Damage = 5;
  world.Ticks(2);
  EXPECT_EQ(world.CountOf("TAmmoFire"), 1);
}

TEST_F(MonsterShotHitTest, PlayerShotLeavesThePlayerAlone) {
  MakeShot<TAmmoFireP>(0, 210, 100, 10, 10);
  world.Ticks(2);
  EXPECT_EQ(player->Health, 100);
  EXPECT_EQ(world.CountOf("TAmmoFireP"), 1);
}

}  // namespace
}  // namespace kestrilo

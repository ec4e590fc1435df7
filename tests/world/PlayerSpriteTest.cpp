#include <gtest/gtest.h>

#include "WorldTestContext.h"
#include "platform/Errors.h"
#include "world/PlayerRef.h"
#include "world/PlayerShot.h"
#include "world/PlayerSprite.h"

namespace kestrilo {
namespace {

using testing::TWorldTestContext;

// A player picture of 8 frames of 32 x 40: the player's box is 32 x 34.
class PlayerTest : public ::testing::Test {
 protected:
  PlayerTest() {
    world.AddObjectPicture("Игрок", 32, 40, 8);
    world.AddObjectPicture("Сопля 2", 20, 24, 3);
    player = TPlayerSprite::CreateFor(&world.Root(), world.Context.ObjectPictures());
    world.Context.PlayerSprite = player;
    player->X = 320;
    player->Y = 160;
  }

  int32_t Shots() { return world.CountOf("TAmmoFireP"); }

  TWorldTestContext world;
  TPlayerSprite* player = nullptr;
};

TEST_F(PlayerTest, IsSetUpAsTheOpenObjectsCommandMakesIt) {
  EXPECT_EQ(player->Width, 32);
  EXPECT_EQ(player->Height, 34);  // 6 pixels shorter than its picture
  EXPECT_EQ(player->FrameCount, 8);
  EXPECT_FALSE(player->Visible);
  EXPECT_EQ(player->FrameSpeed, 0.0);
  EXPECT_EQ(player->Health, 100);
  EXPECT_EQ(player->WeaponType, 0);
  EXPECT_EQ(player->Ammo[0], 15);
  for (int i = 1; i < TPlayerSprite::kWeaponKinds; ++i) EXPECT_EQ(player->Ammo[i], 0);
  EXPECT_FALSE(player->GravityOn);
  EXPECT_EQ(player->FireTimer, 0);
  EXPECT_EQ(player->Facing, 0);
  for (uint8_t key : player->Keys) EXPECT_EQ(key, 0);
  EXPECT_STREQ(player->ClassName(), "TPlayerSprite");
  // The picture is drawn 3 pixels above the box.
  EXPECT_EQ(player->DrawRect().Top - player->GetBounds().Top, -3);
}

TEST_F(PlayerTest, WithoutItsPictureNoPlayerIsMade) {
  TWorldTestContext empty;
  const int32_t before = empty.Root().SpriteCount;
  try {
    TPlayerSprite::CreateFor(&empty.Root(), empty.Context.ObjectPictures());
    FAIL() << "a missing picture must fail";
  } catch (const EPictureCollectionError& error) {
    EXPECT_STREQ(error.what(), "Image 'Игрок' not found");
  }
  EXPECT_EQ(empty.Root().SpriteCount, before);
}

TEST_F(PlayerTest, WritesItsStatusIntoTheCaptionEveryTick) {
  std::string shown;
  world.Context.OnCaptionChanged = [&shown](const std::string& caption) { shown = caption; };
  world.Tick();
  EXPECT_EQ(world.Context.Caption, "Жизнь игрока 100 Тип оружия: 0 Осталось патронов: 15");
  EXPECT_EQ(shown, world.Context.Caption);

  player->Health = -7;
  player->Ammo[0] = 3;
  world.Context.SetCaption("Единиц оружия 30");
  world.Tick();
  // Written before the death check: the last caption shows the negative health.
  EXPECT_EQ(world.Context.Caption, "Жизнь игрока -7 Тип оружия: 0 Осталось патронов: 3");
}

// Damage wraps round in 16 bits; healing stops at the top of the number.
TEST_F(PlayerTest, DamageWrapsAndHealingStopsAtTheTop) {
  struct TCase {
    int16_t before;
    int32_t damage, heal;
    int16_t after;
  };
  for (const TCase c :
       {TCase{100, 12, 0, 88}, TCase{-32768, 1, 0, 32767}, TCase{5, 70000, 0, -4459}, TCase{32700, 0, 255, 32767},
        TCase{32511, 0, 255, 32766}, TCase{-100, 0, 255, 155}, TCase{32767, 0, 0, 32767}}) {
    player->Health = c.before;
    if (c.damage != 0) player->TakeDamage(c.damage);
    if (c.heal != 0) player->Heal(c.heal);
    EXPECT_EQ(player->Health, c.after) << c.before << " - " << c.damage << " + " << c.heal;
  }
}

TEST_F(PlayerTest, LivesAtZeroHealthAndIsRemovedBelowIt) {
  player->Health = 0;
  world.Tick();
  ASSERT_EQ(world.Context.PlayerSprite, player);
  EXPECT_FALSE(player->IsDead);

  TPlayerRef watcher(player);
  const int32_t count = world.Root().SpriteCount;
  player->Health = -1;
  world.Hold(isButton4);
  world.Context.SpriteEngine->Move(16);
  // Marked in its step, the rest of the step still ran (it rose), still in the tree.
  EXPECT_TRUE(player->IsDead);
  EXPECT_EQ(player->Y, 156);
  EXPECT_EQ(world.Context.PlayerSprite, player);
  world.Context.SpriteEngine->RemoveDead();
  EXPECT_EQ(world.Context.PlayerSprite, nullptr);
  EXPECT_EQ(watcher.Get(), nullptr);
  EXPECT_EQ(world.Root().SpriteCount, count - 1);
  EXPECT_EQ(CurrentPlayer(&world.Root()), nullptr);
}

TEST_F(PlayerTest, WalksLeftOnePixelPerTickUntilAWall) {
  // From X = 64 with column 1 solid: one step to 63, then the left edge is in column 1.
  player->X = 64;
  player->Y = 96;  // rows 3 and 4 (34 pixels high)
  world.SetSolid(1, 3);
  world.Hold(isButton1);
  world.Tick();
  EXPECT_EQ(player->X, 63);
  EXPECT_EQ(player->Facing, 1);
  world.Ticks(5);
  EXPECT_EQ(player->X, 63);

  // The lower row of the player's run blocks as well.
  world.SetSolid(1, 3, false);
  world.SetSolid(1, 4);
  world.Ticks(3);
  EXPECT_EQ(player->X, 63);
  world.SetSolid(1, 4, false);
  world.Tick();
  EXPECT_EQ(player->X, 62);
}

TEST_F(PlayerTest, StopsAtTheLeftEdgeOfTheLevel) {
  player->X = 1;
  player->Y = 96;
  world.Hold(isButton1);
  world.Ticks(4);
  // 1 -> 0 -> -1: the query at X = 0 is still answered, the one at -1 is not.
  EXPECT_EQ(player->X, -1);
}

TEST_F(PlayerTest, WalksRightUntilItsRightEdgeMeetsAWall) {
  player->X = 100;
  player->Y = 96;
  world.SetSolid(5, 4);
  world.Hold(isButton2);
  world.Ticks(40);
  EXPECT_EQ(player->X, 128);  // right edge at 160, the solid column's left side
  EXPECT_EQ(player->Facing, 2);
}

TEST_F(PlayerTest, LeftWalkShowsFramesFourToSeven) {
  player->X = 3000;
  world.Hold(isButton1);
  std::vector<int32_t> frames;
  for (int i = 0; i < 9; ++i) {
    world.Tick();
    frames.push_back(player->FrameIndex());
  }
  EXPECT_EQ(frames, (std::vector<int32_t>{4, 5, 5, 6, 6, 7, 7, 4, 5}));
}

TEST_F(PlayerTest, RightWalkShowsFramesZeroToThreeAndWraps) {
  player->X = 3000;
  player->FramePos = 5.5;  // from the left-walk range
  world.Hold(isButton2);
  std::vector<double> positions;
  for (int i = 0; i < 9; ++i) {
    world.Tick();
    positions.push_back(player->FramePos);
  }
  EXPECT_EQ(positions, (std::vector<double>{0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 0.5, 1.0}));
}

TEST_F(PlayerTest, FrameStaysWhenTheStepIsBlocked) {
  player->X = 64;
  player->Y = 96;
  player->FramePos = 2.0;
  world.SetSolid(2, 3);
  world.Hold(isButton1);
  world.Ticks(3);
  EXPECT_EQ(player->X, 64);
  EXPECT_EQ(player->FramePos, 2.0);
  EXPECT_EQ(player->Facing, 0);
}

TEST_F(PlayerTest, HoldingBothSidesStepsLeftThenRight) {
  player->X = 3000;
  world.Hold(isButton1);
  world.Hold(isButton2);
  world.Tick();
  EXPECT_EQ(player->X, 3000);
  EXPECT_EQ(player->Facing, 2);
  EXPECT_EQ(player->FramePos, 0.5);  // the right walk's range
}

TEST_F(PlayerTest, FallsTwoPixelsPerTickOntoTheFloorWhenGravityIsOn) {
  world.SetFloor(10);  // y = 320
  player->Y = 200;
  world.Tick();
  EXPECT_EQ(player->Y, 200);  // gravity off: hangs in the air

  player->GravityOn = 1;
  world.Tick();
  EXPECT_EQ(player->Y, 202);
  world.Ticks(100);
  // Stops with 2 pixels of air: Y + 34 + 2 would reach row 10.
  EXPECT_EQ(player->Y, 284);
}

TEST_F(PlayerTest, RisesFourPixelsPerTickWithoutAskingTheLevel) {
  world.SetSolid(10, 4);
  world.SetSolid(10, 3);
  player->X = 320;
  player->Y = 160;
  world.Hold(isButton4);
  world.Ticks(3);
  EXPECT_EQ(player->Y, 148);

  player->GravityOn = 1;
  world.Ticks(2);
  EXPECT_EQ(player->Y, 144);  // 2 pixels per tick net
}

TEST_F(PlayerTest, FirstShotLeavesOnTick102AndThenEvery102Ticks) {
  world.Hold(isButton7);
  world.Ticks(101);
  EXPECT_EQ(Shots(), 0);
  EXPECT_EQ(player->FireTimer, 101);
  world.Tick();
  ASSERT_EQ(Shots(), 1);
  EXPECT_EQ(player->Ammo[0], 14);
  EXPECT_EQ(player->ShotDamage, 5);
  EXPECT_EQ(player->FireTimer, 0);
  world.Ticks(101);
  EXPECT_EQ(Shots(), 1);
  world.Tick();
  EXPECT_EQ(Shots(), 2);
  EXPECT_EQ(player->Ammo[0], 13);
}

TEST_F(PlayerTest, ShotIsSetUpFromThePlayer) {
  player->X = 321;
  player->Y = 161;
  player->Facing = 2;
  player->FireTimer = 101;
  world.Hold(isButton7);
  world.Context.SpriteEngine->Move(16);
  auto* shot = dynamic_cast<TAmmoFireP*>(world.LastOf("TAmmoFireP"));
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->Parent, &world.Root());
  EXPECT_EQ(shot->Direction, 2);
  EXPECT_EQ(shot->Picture, world.Context.ObjectPictures().Find(W1251("Сопля 2")));
  EXPECT_EQ(shot->Width, 20);
  EXPECT_EQ(shot->Height, 8);  // 16 pixels shorter than its picture
  EXPECT_EQ(shot->X, 321 + 16);
  EXPECT_EQ(shot->Y, 161);
  EXPECT_EQ(shot->FrameCount, 3);
  EXPECT_EQ(shot->FramePos, 0.0);
  EXPECT_DOUBLE_EQ(shot->FrameSpeed, 1.0 / 150.0);
  EXPECT_TRUE(shot->Looping);
  EXPECT_EQ(shot->DrawRect().Top - shot->GetBounds().Top, -8);
}

TEST_F(PlayerTest, NoShotWithoutRoundsAndTheTimerStopsAt111) {
  player->Ammo[0] = 0;
  player->Ammo[1] = 50;  // rounds of another weapon type are never used
  world.Hold(isButton7);
  world.Ticks(300);
  EXPECT_EQ(Shots(), 0);
  EXPECT_EQ(player->FireTimer, 111);
}

TEST_F(PlayerTest, WeaponTypeWithoutACounterHasNoRounds) {
  player->WeaponType = 9;
  player->FireTimer = 200;
  world.Hold(isButton7);
  world.Tick();
  EXPECT_EQ(Shots(), 0);
  EXPECT_EQ(world.Context.Caption, "Жизнь игрока 100 Тип оружия: 9 Осталось патронов: 0");
}

TEST_F(PlayerTest, MissingShotPictureEndsTheTickAfterTheShotExists) {
  TWorldTestContext bare;
  bare.AddObjectPicture("Игрок", 32, 40, 8);
  TPlayerSprite* lone = TPlayerSprite::CreateFor(&bare.Root(), bare.Context.ObjectPictures());
  lone->X = 320;
  lone->FireTimer = 101;
  bare.Hold(isButton7);
  bare.Hold(isButton4);
  EXPECT_THROW(bare.Context.SpriteEngine->Move(16), EPictureCollectionError);
  EXPECT_EQ(lone->Ammo[0], 14);
  ASSERT_EQ(bare.CountOf("TAmmoFireP"), 1);
  EXPECT_EQ(static_cast<TAmmoFireP*>(bare.LastOf("TAmmoFireP"))->Picture, nullptr);
  EXPECT_EQ(lone->Y, 0);  // the rise after the fire step did not run
}

TEST_F(PlayerTest, FreeingAnOlderPlayerKeepsTheNewestOne) {
  TPlayerSprite* newer = TPlayerSprite::CreateFor(&world.Root(), world.Context.ObjectPictures());
  world.Context.PlayerSprite = newer;
  TPlayerRef older(player);
  player->MarkDead();
  world.Context.SpriteEngine->RemoveDead();
  EXPECT_EQ(world.Context.PlayerSprite, newer);
  EXPECT_EQ(older.Get(), nullptr);
  EXPECT_EQ(TPlayerRef(newer).Get(), newer);
}

TEST_F(PlayerTest, EveryPlayerObeysTheKeysAndOnlyTheNewestIsCurrent) {
  TPlayerSprite* newer = TPlayerSprite::CreateFor(&world.Root(), world.Context.ObjectPictures());
  world.Context.PlayerSprite = newer;
  newer->X = 1000;
  world.Hold(isButton2);
  world.Tick();
  EXPECT_EQ(player->X, 321);
  EXPECT_EQ(newer->X, 1001);
  EXPECT_EQ(CurrentPlayer(player), newer);
}

}  // namespace
}  // namespace kestrilo

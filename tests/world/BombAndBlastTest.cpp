#include <gtest/gtest.h>

#include "WorldTestContext.h"
#include "platform/Errors.h"
#include "world/Blast.h"
#include "world/Bomb.h"
#include "world/PlayerSprite.h"

namespace kestrilo {
namespace {

using testing::TWorldTestContext;

class BombTest : public ::testing::Test {
 protected:
  BombTest() {
    world.AddObjectPicture("Бомба", 16, 16, 4);
    world.AddObjectPicture("Взрыв", 40, 40, 10);
  }
  TWorldTestContext world;
};

TEST_F(BombTest, TakesItsPictureAndStartsFallingAtOnePointFive) {
  TBomb* bomb = TBomb::Spawn(&world.Root(), 7, 100, 50);
  EXPECT_STREQ(bomb->ClassName(), "TBomb");
  EXPECT_EQ(bomb->Picture, world.Context.ObjectPictures().Find(W1251("Бомба")));
  EXPECT_EQ(bomb->Width, 16);
  EXPECT_EQ(bomb->Height, 16);
  EXPECT_EQ(bomb->FrameCount, 4);
  EXPECT_DOUBLE_EQ(bomb->FrameSpeed, 1.0 / 150.0);
  EXPECT_TRUE(bomb->Looping);
  EXPECT_EQ(bomb->FallSpeed, 1.5);
  EXPECT_EQ(bomb->Damage, 7);
  EXPECT_EQ(bomb->X, 100);
  EXPECT_EQ(bomb->Y, 50);
  EXPECT_EQ(bomb->Z(), 20);
}

TEST_F(BombTest, WithoutItsPictureNoBombIsMade) {
  TWorldTestContext bare;
  const int32_t before = bare.Root().SpriteCount;
  try {
    TBomb::Spawn(&bare.Root(), 1, 0, 0);
    FAIL() << "a missing picture must fail";
  } catch (const EPictureCollectionError& error) {
    EXPECT_STREQ(error.what(), "Image 'Бомба' not found");
  }
  EXPECT_EQ(bare.Root().SpriteCount, before);
}

TEST_F(BombTest, FallsFasterAndFaster) {
  TBomb* bomb = TBomb::Spawn(&world.Root(), 7, 100, 0);
  std::vector<double> steps;
  double previous = bomb->Y;
  for (int i = 0; i < 4; ++i) {
    world.Tick();
    steps.push_back(bomb->Y - previous);
    previous = bomb->Y;
  }
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_NEAR(steps[0], 1.55, 1e-12);
  EXPECT_NEAR(steps[1], 1.60, 1e-12);
  EXPECT_NEAR(steps[2], 1.65, 1e-12);
  EXPECT_NEAR(steps[3], 1.70, 1e-12);
  EXPECT_NEAR(bomb->FallSpeed, 1.7, 1e-12);
}

TEST_F(BombTest, LandsOnTheFloorAndLeavesABlastWhereItLay) {
  world.SetFloor(5);  // y = 160
  TBomb* bomb = TBomb::Spawn(&world.Root(), 7, 100, 100);
  int ticks = 0;
  double lastY = 0;
  while (world.CountOf("TBomb") == 1 && ticks < 200) {
    lastY = bomb->Y;
    world.Tick();
    ++ticks;
  }
  ASSERT_EQ(world.CountOf("TBomb"), 0);
  ASSERT_EQ(world.CountOf("TBlast"), 1);
  auto* blast = world.FirstOf("TBlast");
  EXPECT_EQ(blast->X, 100);
  EXPECT_EQ(blast->Y, lastY);
  // It stopped in the first tick whose bottom edge reached the floor row.
  EXPECT_GE(lastY + 16, 160.0);
  EXPECT_LT(lastY + 16, 160.0 + 3.0);
  EXPECT_EQ(blast->Z(), 20);
}

class BombOnPlayerTest : public BombTest {
 protected:
  TPlayerSprite* player = world.AddPicturedPlayer(96, 100);
};

TEST_F(BombOnPlayerTest, HurtsThePlayerOnceAndBlastsAtItsHead) {
  TBomb::Spawn(&world.Root(), 9, 100, 90);  // overlaps the player's box
  world.Tick();
  EXPECT_EQ(player->Health, 91);
  EXPECT_EQ(world.CountOf("TBomb"), 0);
  ASSERT_EQ(world.CountOf("TBlast"), 1);
  auto* blast = world.FirstOf("TBlast");
  EXPECT_EQ(blast->X, 96 + 16);
  EXPECT_EQ(blast->Y, 102);
  EXPECT_EQ(blast->Z(), 20);
  world.Ticks(5);
  EXPECT_EQ(player->Health, 91);
}

TEST_F(BombOnPlayerTest, HitJustAboveTheFloorMakesTwoBlasts) {
  world.SetFloor(5);  // y = 160
  player->Y = 130;
  TBomb* bomb = TBomb::Spawn(&world.Root(), 3, 100, 144);  // bottom at 160: below is not free
  world.Tick();
  EXPECT_EQ(player->Health, 97);
  ASSERT_EQ(world.CountOf("TBlast"), 2);
  EXPECT_EQ(world.CountOf("TBomb"), 0);
  (void)bomb;
}

TEST_F(BombOnPlayerTest, FallsPastWhenThereIsNoPlayer) {
  player->MarkDead();
  world.Tick();
  TBomb::Spawn(&world.Root(), 9, 100, 90);
  world.Tick();
  EXPECT_EQ(world.CountOf("TBomb"), 1);
  EXPECT_EQ(world.CountOf("TBlast"), 0);
}

TEST(BombWithoutBlastPictureTest, LandingReportsTheMissingBlastOnceAndTheBombGoes) {
  TWorldTestContext world;
  world.AddObjectPicture("Бомба", 16, 16, 4);
  world.SetFloor(5);
  TBomb::Spawn(&world.Root(), 7, 100, 144);
  try {
    world.Tick();
    FAIL() << "a missing blast picture must be reported";
  } catch (const EPictureCollectionError& error) {
    EXPECT_STREQ(error.what(), "Image 'Взрыв' not found");
  }
  world.Context.SpriteEngine->RemoveDead();
  EXPECT_EQ(world.CountOf("TBomb"), 0);
  EXPECT_NO_THROW(world.Ticks(3));
}

TEST(BombWithoutBlastPictureTest, HitOnThePlayerCountsOnceEvenWhenTheBlastFails) {
  TWorldTestContext world;
  world.AddObjectPicture("Бомба", 16, 16, 4);
  world.AddObjectPicture("Игрок", 32, 40, 8);
  TPlayerSprite* player = TPlayerSprite::CreateFor(&world.Root(), world.Context.ObjectPictures());
  world.Context.PlayerSprite = player;
  player->X = 96;
  player->Y = 100;
  TBomb::Spawn(&world.Root(), 9, 100, 90);
  EXPECT_THROW(world.Tick(), EPictureCollectionError);
  world.Context.SpriteEngine->RemoveDead();
  EXPECT_EQ(player->Health, 91);
  EXPECT_EQ(world.CountOf("TBomb"), 0);
  EXPECT_NO_THROW(world.Ticks(3));
  EXPECT_EQ(player->Health, 91);
}

class BlastTest : public ::testing::Test {
 protected:
  // Ticks a fresh blast of `frames` frames until it is gone.
  int Lifetime(int32_t frames) {
    TWorldTestContext world;
    world.AddObjectPicture("Взрыв", 24, 24, frames);
    TBlast* blast = TBlast::Spawn(&world.Root(), 10, 20);
    EXPECT_EQ(blast->FrameCount, frames);
    for (int tick = 1; tick <= 1000; ++tick) {
      world.Tick();
      if (world.CountOf("TBlast") == 0) return tick;
    }
    return -1;
  }
};

TEST_F(BlastTest, LivesUntilTheRunningSumReachesTheFrameCount) {
  EXPECT_EQ(Lifetime(10), 34);
  EXPECT_EQ(Lifetime(3), 11);  // ten steps of 0.3 fall just short of 3
  EXPECT_EQ(Lifetime(6), 21);
  EXPECT_EQ(Lifetime(1), 4);
}

TEST_F(BlastTest, IsSetUpFromItsPictureAndPlaysOnce) {
  TWorldTestContext world;
  world.AddObjectPicture("Взрыв", 30, 20, 5);
  TBlast* blast = TBlast::Spawn(&world.Root(), 10, 20);
  EXPECT_STREQ(blast->ClassName(), "TBlast");
  EXPECT_EQ(blast->Width, 30);
  EXPECT_EQ(blast->Height, 20);
  EXPECT_FALSE(blast->Looping);
  EXPECT_EQ(blast->FrameSpeed, 0.0);
  EXPECT_EQ(blast->X, 10);
  EXPECT_EQ(blast->Y, 20);
  EXPECT_EQ(blast->Z(), 20);
  std::vector<int32_t> frames;
  for (int i = 0; i < 5; ++i) {
    world.Tick();
    frames.push_back(blast->FrameIndex());
  }
  EXPECT_EQ(frames, (std::vector<int32_t>{0, 0, 0, 1, 1}));
}

TEST_F(BlastTest, WithoutItsPictureNoBlastIsMade) {
  TWorldTestContext world;
  EXPECT_THROW(TBlast::Spawn(&world.Root(), 0, 0), EPictureCollectionError);
  EXPECT_EQ(world.Root().ChildCount(), 0);
}

}  // namespace
}  // namespace kestrilo

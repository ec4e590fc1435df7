#include <gtest/gtest.h>

#include "WorldObjectsFixture.h"
#include "world/Contact.h"
#include "world/Door.h"
#include "world/Key.h"
#include "world/Lift.h"

namespace kestrilo {
namespace {

using testing::MakeRecord;

TEST(ContactTest, TouchAllowsTwoPixelsAboveAndNeedsHorizontalOverlap) {
  TSprite player(nullptr);
  TSprite object(nullptr);
  object.X = 100;
  object.Y = 100;
  object.Width = 32;
  object.Height = 32;
  player.Width = 20;
  player.Height = 26;

  player.X = 110;
  player.Y = 100 - 26 - 2;  // standing 2 pixels above
  EXPECT_TRUE(PlayerTouches(player, object));
  player.Y -= 0.5;
  EXPECT_FALSE(PlayerTouches(player, object));

  player.Y = 132;  // just below: the object's bottom edge counts
  EXPECT_TRUE(PlayerTouches(player, object));
  player.Y = 132.5;
  EXPECT_FALSE(PlayerTouches(player, object));

  player.Y = 110;
  player.X = 80;  // right edge exactly at the object's left edge
  EXPECT_TRUE(PlayerTouches(player, object));
  player.X = 79.5;
  EXPECT_FALSE(PlayerTouches(player, object));
  player.X = 132;  // left edge at the object's right edge: no overlap
  EXPECT_FALSE(PlayerTouches(player, object));
  player.X = 131.5;
  EXPECT_TRUE(PlayerTouches(player, object));
}

class LiftTest : public testing::WorldObjectsTest {
 protected:
  LiftTest() { world.AddObjectPicture("Лифт", 64, 16); }

  TLift* MakeLift(int8_t travel, double x = 320, double y = 320) {
    TObjectRecord record = MakeRecord(otLift, "Лифт");
    record.LiftHeight = travel;
    auto* lift = new TLift(&world.Root(), record, x, y, 0);
    lift->Travel = travel;
    return lift;
  }
  // One tick with Space held, then released.
  void PressSpace() {
    world.Hold(isButton5);
    world.Tick();
    world.Hold(isButton5, false);
  }
};

TEST_F(LiftTest, TravelThreeRisesThreeCellsAndComesBack) {
  TPlayerSprite* player = MakePlayer(330, 320 - 26 - 2);
  TLift* lift = MakeLift(3);
  EXPECT_STREQ(lift->ClassName(), "TLift");
  ASSERT_EQ(lift->Mode, 1);

  PressSpace();
  EXPECT_TRUE(lift->Running);
  EXPECT_EQ(lift->Y, 319);
  EXPECT_EQ(lift->TargetRow, 7);
  world.Ticks(95);  // 96 ticks of travel in all
  EXPECT_EQ(lift->Y, 224);
  EXPECT_TRUE(lift->Running);
  world.Tick();  // tick 97: arrives without moving
  EXPECT_FALSE(lift->Running);
  EXPECT_EQ(lift->Leg, 2);
  EXPECT_EQ(lift->Y, 224);
  EXPECT_EQ(player->Y, 224 - 26 - 2);  // carried on the top edge

  world.Ticks(10);
  EXPECT_EQ(lift->Y, 224);  // waits for the next Space
  PressSpace();
  world.Ticks(96);
  EXPECT_EQ(lift->Y, 320);
  EXPECT_FALSE(lift->Running);
  EXPECT_EQ(lift->Leg, 1);
  EXPECT_EQ(lift->TargetRow, 10);
  EXPECT_EQ(player->Y, 320 - 26 - 2);
}

TEST_F(LiftTest, NegativeTravelGoesDownFirst) {
  MakePlayer(330, 320 - 28);
  TLift* lift = MakeLift(-2);
  ASSERT_EQ(lift->Mode, 2);
  ASSERT_EQ(lift->Leg, 2);
  PressSpace();
  world.Ticks(70);
  EXPECT_EQ(lift->Y, 384);
  EXPECT_FALSE(lift->Running);
  EXPECT_EQ(lift->Leg, 1);
  PressSpace();
  world.Ticks(70);
  EXPECT_EQ(lift->Y, 320);
  EXPECT_EQ(lift->Leg, 2);
}

TEST_F(LiftTest, TravelZeroOnlyFlipsTheLeg) {
  MakePlayer(330, 320 - 28);
  TLift* lift = MakeLift(0);
  PressSpace();
  EXPECT_EQ(lift->Leg, 1);
  EXPECT_FALSE(lift->Running);
  PressSpace();
  EXPECT_EQ(lift->Leg, 2);
  EXPECT_EQ(lift->Y, 320);
}

TEST_F(LiftTest, WithoutTouchTheLiftNeitherStartsNorCarries) {
  TPlayerSprite* player = MakePlayer(100, 100);
  TLift* lift = MakeLift(3);
  PressSpace();
  world.Ticks(5);
  EXPECT_FALSE(lift->Running);
  EXPECT_EQ(lift->Y, 320);
  EXPECT_EQ(player->Y, 100);
}

TEST_F(LiftTest, PlayerLeavingMidLegLeavesTheLiftWaitingRunning) {
  TPlayerSprite* player = MakePlayer(330, 320 - 28);
  TLift* lift = MakeLift(3);
  PressSpace();
  world.Ticks(9);
  EXPECT_EQ(lift->Y, 310);
  player->X = 1000;
  world.Ticks(5);
  EXPECT_EQ(lift->Y, 310);
  EXPECT_TRUE(lift->Running);
  player->X = 330;
  world.Tick();  // goes on without Space
  EXPECT_EQ(lift->Y, 309);
}

TEST_F(LiftTest, PlayerOverlappingTheBodyIsLiftedOntoTheTopEdge) {
  TPlayerSprite* player = MakePlayer(310, 315);  // beside and inside the lift
  MakeLift(3);
  world.Tick();
  EXPECT_EQ(player->Y, 320 - 26 - 2);
}

TEST_F(LiftTest, AnimatedLiftLoopsItsFrames) {
  world.AddObjectPicture("Лифт2", 64, 16, 4);
  TObjectRecord record = MakeRecord(otLift, "Лифт2");
  record.Animated = true;
  record.AnimSpeed = 0.125;
  TLift lift(&world.Root(), record, 0, 0, 0);
  EXPECT_EQ(lift.FrameCount, 4);
  EXPECT_TRUE(lift.Looping);
  EXPECT_DOUBLE_EQ(lift.FrameSpeed, 0.125);
}

TEST_F(LiftTest, LiftMadeBeforeThePlayerIgnoresItAndAFreedPlayerIsNotReached) {
  TLift* early = MakeLift(3);
  TPlayerSprite* player = MakePlayer(330, 320 - 28);
  PressSpace();
  EXPECT_FALSE(early->Running);
  EXPECT_EQ(player->Y, 320 - 28);

  TLift* late = MakeLift(3, 320, 320);
  RemovePlayer();
  world.Hold(isButton5);
  world.Ticks(3);  // nobody to carry: nothing happens, nothing breaks
  EXPECT_FALSE(late->Running);
  EXPECT_EQ(late->Y, 320);
  EXPECT_EQ(late->Rider.Get(), nullptr);

  // A new player is watched by the lift that had a player before.
  TPlayerSprite* next = MakePlayer(330, 320 - 28);
  world.Tick();
  EXPECT_TRUE(late->Running);
  EXPECT_EQ(late->Rider.Get(), next);
  EXPECT_FALSE(early->Running);
}

class KeyDoorTest : public testing::WorldObjectsTest {
 protected:
  KeyDoorTest() {
    world.AddObjectPicture("Ключ", 32, 32);
    world.AddObjectPicture("Дверь", 32, 64, 4);
  }
  TKey* MakeKey(uint8_t code, double x = 96, double y = 64) {
    TObjectRecord record = MakeRecord(otKey, "Ключ");
    record.KeyCode = code;
    return new TKey(&world.Root(), record, x, y, 0);
  }
  TDoor* MakeDoor(uint8_t code, double x = 320, double y = 320) {
    TObjectRecord record = MakeRecord(otDoor, "Дверь");
    record.KeyCode = code;
    return new TDoor(&world.Root(), record, x, y, 0);
  }
};

TEST_F(KeyDoorTest, TouchedKeyFillsTheFirstEmptySlotAndClearsItsCell) {
  TPlayerSprite* player = MakePlayer(100, 70);
  player->Keys[0] = 4;
  world.PlayedLevel().Cells[3][2].Kind = otKey;
  world.PlayedLevel().Cells[3][3].Kind = otWall;
  TKey* key = MakeKey(7);
  EXPECT_STREQ(key->ClassName(), "TKey");
  world.Tick();
  EXPECT_EQ(player->Keys[0], 4);
  EXPECT_EQ(player->Keys[1], 7);
  EXPECT_EQ(player->Keys[2], 0);
  EXPECT_EQ(world.CountOf("TKey"), 0);
  // round(99 / 32), round(67 / 32): cell (3, 2) only
  EXPECT_EQ(world.PlayedLevel().Cells[3][2].Kind, -1);
  EXPECT_EQ(world.PlayedLevel().Cells[3][3].Kind, otWall);
}

TEST_F(KeyDoorTest, KeyOutOfReachStays) {
  TPlayerSprite* player = MakePlayer(300, 70);
  MakeKey(7);
  world.Ticks(3);
  EXPECT_EQ(player->Keys[0], 0);
  EXPECT_EQ(world.CountOf("TKey"), 1);
}

TEST_F(KeyDoorTest, FullKeyRingTakesTheKeyWithoutStoringIt) {
  TPlayerSprite* player = MakePlayer(100, 70);
  for (int i = 0; i < TPlayerSprite::kKeySlots; ++i) player->Keys[i] = static_cast<uint8_t>(i % 255 + 1);
  const auto before = player->Keys;
  MakeKey(200);
  world.Tick();
  EXPECT_EQ(player->Keys, before);
  EXPECT_EQ(world.CountOf("TKey"), 0);
}

TEST_F(KeyDoorTest, TwoKeysOfOneCodeFillTwoSlotsAndKeyZeroStoresNothing) {
  TPlayerSprite* player = MakePlayer(100, 70);
  MakeKey(5);
  MakeKey(5, 100, 70);
  MakeKey(0, 90, 60);
  world.Tick();
  EXPECT_EQ(player->Keys[0], 5);
  EXPECT_EQ(player->Keys[1], 5);
  EXPECT_EQ(player->Keys[2], 0);
  EXPECT_EQ(world.CountOf("TKey"), 0);
}

TEST_F(KeyDoorTest, DoorWithFourFramesOpensInFortyFiveTicks) {
  int redraws = 0;
  world.Context.RedrawOverview = [&redraws] { ++redraws; };
  world.PlayedLevel().Cells[10][10].Kind = otDoor;
  world.PlayedLevel().Cells[10][11].Kind = otDoor;
  world.PlayedLevel().Cells[11][10].Kind = otWall;
  TPlayerSprite* player = MakePlayer(300, 330);
  player->Keys[3] = 5;
  TDoor* door = MakeDoor(5);
  EXPECT_STREQ(door->ClassName(), "TDoor");
  EXPECT_EQ(door->FrameCount, 4);
  EXPECT_TRUE(door->Locked);

  world.Tick();
  EXPECT_FALSE(door->Locked);
  EXPECT_NEAR(door->FramePos, 0.09, 1e-12);
  player->X = 1000;  // an unlocked door goes on opening alone
  world.Ticks(43);
  ASSERT_EQ(world.CountOf("TDoor"), 1);
  EXPECT_EQ(door->FrameIndex(), 3);
  EXPECT_EQ(world.PlayedLevel().Cells[10][10].Kind, otDoor);
  EXPECT_EQ(redraws, 0);
  world.Tick();  // tick 45: 4.05 frames
  EXPECT_EQ(world.CountOf("TDoor"), 0);
  EXPECT_EQ(world.PlayedLevel().Cells[10][10].Kind, -1);
  EXPECT_EQ(world.PlayedLevel().Cells[10][11].Kind, -1);
  EXPECT_EQ(world.PlayedLevel().Cells[11][10].Kind, otWall);
  EXPECT_EQ(redraws, 1);
  EXPECT_TRUE(world.PlayedLevel().IsRightFree(20, 26, 300, 330));
}

TEST_F(KeyDoorTest, DoorStaysShutWithoutTheMatchingKey) {
  TPlayerSprite* player = MakePlayer(300, 330);
  for (auto& slot : player->Keys) slot = 6;
  TDoor* door = MakeDoor(5);
  world.Ticks(60);
  EXPECT_TRUE(door->Locked);
  EXPECT_EQ(door->FramePos, 0);
  EXPECT_EQ(world.CountOf("TDoor"), 1);
}

TEST_F(KeyDoorTest, DoorWithCodeZeroOpensForAnyPlayerWithAnEmptySlot) {
  MakePlayer(300, 330);
  TDoor* door = MakeDoor(0);
  world.Tick();
  EXPECT_FALSE(door->Locked);
}

TEST_F(KeyDoorTest, WithoutPlayerNothingHappens) {
  TDoor* door = MakeDoor(0);
  MakeKey(3, 300, 330);
  MakePlayer(300, 330);  // came later: the door does not watch it
  world.Ticks(3);
  EXPECT_TRUE(door->Locked);
  EXPECT_EQ(world.CountOf("TKey"), 1);
}

TEST_F(KeyDoorTest, NamelessRecordsMakeInertObjects) {
  MakePlayer(300, 330);
  TObjectRecord record = MakeRecord(otDoor, "пустая");
  auto* door = new TDoor(&world.Root(), record, 300, 330, 0);
  auto* key = new TKey(&world.Root(), MakeRecord(otKey, ""), 300, 330, 0);
  world.Ticks(2);
  EXPECT_EQ(door->Picture, nullptr);
  EXPECT_FALSE(door->Rider.Watching());
  EXPECT_TRUE(door->Locked);
  EXPECT_FALSE(key->IsDead);
}

}  // namespace
}  // namespace kestrilo

#include <gtest/gtest.h>

#include <cmath>

#include "WorldObjectsFixture.h"
#include "platform/Rounding.h"
#include "world/AmmoCrate.h"
#include "world/MedKit.h"

namespace kestrilo {
namespace {

using testing::MakeRecord;

class PickUpTest : public testing::WorldObjectsTest {
 protected:
  PickUpTest() {
    world.AddObjectPicture("Аптечка", 32, 32, 3);
    world.AddObjectPicture("Патроны", 32, 32);
  }
  TMedKit* MakeKit(int8_t health, bool constant, double x = 96, double y = 64) {
    TObjectRecord record = MakeRecord(otMedKit, "Аптечка");
    record.Health = health;
    record.ConstantEffect = constant;
    return new TMedKit(&world.Root(), record, x, y, 0);
  }
  TAmmoCrate* MakeCrate(uint8_t weaponValue, double x = 96, double y = 64) {
    TObjectRecord record = MakeRecord(otAmmo, "Патроны");
    record.WeaponValue = weaponValue;
    return new TAmmoCrate(&world.Root(), record, x, y, 0);
  }
};

TEST_F(PickUpTest, SingleKitHealsOnceVanishesAndClearsItsCell) {
  TPlayerSprite* player = MakePlayer(100, 70);
  world.PlayedLevel().Cells[3][2].Kind = otMedKit;
  TMedKit* kit = MakeKit(25, false);
  EXPECT_STREQ(kit->ClassName(), "TMedKit");
  EXPECT_EQ(kit->Amount, 25);
  world.Tick();
  EXPECT_EQ(player->Health, 125);
  EXPECT_EQ(world.CountOf("TMedKit"), 0);
  EXPECT_EQ(world.PlayedLevel().Cells[3][2].Kind, -1);
  world.Tick();
  EXPECT_EQ(player->Health, 125);
}

TEST_F(PickUpTest, ConstantKitHealsInEveryTickOfContact) {
  TPlayerSprite* player = MakePlayer(100, 70);
  MakeKit(25, true);
  world.Ticks(4);
  EXPECT_EQ(player->Health, 200);
  EXPECT_EQ(world.CountOf("TMedKit"), 1);
  player->X = 500;
  world.Ticks(4);
  EXPECT_EQ(player->Health, 200);
}

TEST_F(PickUpTest, KitReadsItsHealthByteUnsigned) {
  TPlayerSprite* player = MakePlayer(100, 70);
  TMedKit* kit = MakeKit(-1, false);
  EXPECT_EQ(kit->Amount, 255);
  world.Tick();
  EXPECT_EQ(player->Health, 355);
}

TEST_F(PickUpTest, KitHealthStopsAtTheTopOfASixteenBitNumber) {
  TPlayerSprite* player = MakePlayer(100, 70);
  player->Health = 32700;
  MakeKit(100, false);
  world.Tick();
  EXPECT_EQ(player->Health, 32767);
}

TEST_F(PickUpTest, ConstantKitHealsUpToTheTopAndNeverKills) {
  TPlayerSprite* player = MakePlayer(100, 70);
  MakeKit(-1, true);  // 255 a tick
  world.Ticks(128);   // 100 + 128 * 255 = 32740: still below the top
  EXPECT_EQ(player->Health, 32740);
  world.Tick();
  EXPECT_EQ(player->Health, 32767);
  world.Ticks(200);  // long past the tick in which a wrapping sum went below 0
  EXPECT_EQ(player->Health, 32767);
  EXPECT_FALSE(player->IsDead);
  EXPECT_EQ(world.CountOf("TPlayerSprite"), 1);
}

TEST_F(PickUpTest, KitHealsAWoundedPlayerByItsWholeAmount) {
  TPlayerSprite* player = MakePlayer(100, 70);
  player->Health = 32766 - 255;
  MakeKit(-1, false);
  world.Tick();
  EXPECT_EQ(player->Health, 32766);  // one below the top: nothing cut off
}

TEST_F(PickUpTest, AnimatedKitUsesItsOwnFixedSpeed) {
  TObjectRecord record = MakeRecord(otMedKit, "Аптечка");
  record.Animated = true;
  record.AnimSpeed = 5;
  TMedKit kit(&world.Root(), record, 0, 0, 0);
  EXPECT_EQ(kit.FrameCount, 3);
  EXPECT_DOUBLE_EQ(kit.FrameSpeed, 0.01);
  EXPECT_TRUE(kit.Looping);
}

TEST_F(PickUpTest, WeaponValueUnpacksEveryPackedTypeAndCount) {
  for (int type = 0; type <= 6; ++type) {
    for (int count = 1; count <= 25; ++count) {
      const auto packed = static_cast<uint8_t>(Round(type * 36.43 + count));
      const TWeaponUnpacked unpacked = UnpackWeaponValue(packed);
      EXPECT_EQ(unpacked.Kind, type) << int(packed);
      EXPECT_EQ(unpacked.Amount, count) << int(packed);
    }
  }
  EXPECT_EQ(UnpackWeaponValue(244).Kind, 6);
  EXPECT_EQ(UnpackWeaponValue(244).Amount, 25);
  EXPECT_EQ(UnpackWeaponValue(37).Kind, 1);
  EXPECT_EQ(UnpackWeaponValue(37).Amount, 1);
  EXPECT_EQ(UnpackWeaponValue(25).Kind, 0);
  EXPECT_EQ(UnpackWeaponValue(25).Amount, 25);
  EXPECT_EQ(UnpackWeaponValue(0).Amount, 0);
  EXPECT_EQ(UnpackWeaponValue(252).Kind, 7);
  EXPECT_EQ(UnpackWeaponValue(255).Kind, 7);
}

TEST_F(PickUpTest, CrateAddsRoundsAndShowsTheNewCount) {
  TPlayerSprite* player = MakePlayer(100, 70);
  world.PlayedLevel().Cells[3][2].Kind = otAmmo;
  TAmmoCrate* crate = MakeCrate(15);
  EXPECT_STREQ(crate->ClassName(), "TAmmoCrate");
  world.Tick();
  EXPECT_EQ(player->Ammo[0], 30);
  EXPECT_EQ(world.Context.Caption, "Единиц оружия 30");
  EXPECT_EQ(world.CountOf("TAmmoCrate"), 0);
  EXPECT_EQ(world.PlayedLevel().Cells[3][2].Kind, -1);
  world.Tick();  // the player's status line is back
  EXPECT_EQ(world.Context.Caption.rfind("Жизнь игрока ", 0), 0u);
}

TEST_F(PickUpTest, CrateOfAnotherWeaponFillsThatCounter) {
  TPlayerSprite* player = MakePlayer(100, 70);
  MakeCrate(244);
  world.Tick();
  EXPECT_EQ(player->Ammo[6], 25);
  EXPECT_EQ(player->Ammo[0], 15);
  EXPECT_EQ(world.Context.Caption, "Единиц оружия 25");
}

TEST_F(PickUpTest, EmptyCrateIsStillTaken) {
  TPlayerSprite* player = MakePlayer(100, 70);
  MakeCrate(0);
  world.Tick();
  EXPECT_EQ(player->Ammo[0], 15);
  EXPECT_EQ(world.CountOf("TAmmoCrate"), 0);
}

TEST_F(PickUpTest, CrateOfTheUnnamedEighthWeaponIsTakenButAddsNothing) {
  TPlayerSprite* player = MakePlayer(100, 70);
  player->Keys.fill(0xAB);
  const auto ammo = player->Ammo;
  const auto keys = player->Keys;
  const int16_t health = player->Health;
  world.PlayedLevel().Cells[3][2].Kind = otAmmo;
  TAmmoCrate* crate = MakeCrate(255);
  EXPECT_EQ(crate->WeaponKind, 7);
  world.Tick();
  EXPECT_EQ(player->Ammo, ammo);
  EXPECT_EQ(player->Keys, keys);
  EXPECT_EQ(player->Health, health);
  EXPECT_EQ(world.CountOf("TAmmoCrate"), 0);
  EXPECT_EQ(world.PlayedLevel().Cells[3][2].Kind, -1);
}

TEST_F(PickUpTest, PickUpsWithoutAPlayerWaitAndSurviveItsRemoval) {
  MakeKit(10, false, 100, 70);  // made before any player: never taken
  TPlayerSprite* player = MakePlayer(100, 70);
  MakeCrate(15, 100, 70);
  MakeKit(10, true, 100, 70);
  player->Health = -1;  // the player dies in its own step
  world.Tick();
  EXPECT_EQ(world.Context.PlayerSprite, nullptr);
  world.Ticks(3);
  EXPECT_EQ(world.CountOf("TMedKit"), 2);
}

}  // namespace
}  // namespace kestrilo

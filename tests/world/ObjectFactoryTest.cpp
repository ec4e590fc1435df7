#include <gtest/gtest.h>

#include "WorldObjectsFixture.h"
#include "matrix/LevelBackground.h"
#include "platform/Errors.h"
#include "world/AmmoCrate.h"
#include "world/Door.h"
#include "world/EnemyWalker.h"
#include "world/Key.h"
#include "world/Lift.h"
#include "world/MedKit.h"
#include "world/PlacedObjectFactory.h"

namespace kestrilo {
namespace {

using testing::MakeRecord;

class ObjectFactoryTest : public testing::WorldObjectsTest {
 protected:
  ObjectFactoryTest() {
    world.AddObjectPicture("Стена", 32, 32);
    world.AddObjectPicture("Фон", 64, 48);
    world.AddObjectPicture("Лифт", 64, 16);
    world.AddObjectPicture("Огонь", 32, 32, 5);
    world.AddObjectPicture("Старт", 32, 32);
  }

  TSprite* Make(const TObjectRecord& record, double x, double y, int32_t z) {
    return TMyObject::CreateFromRecord(&world.Root(), record, x, y, z);
  }
};

TEST_F(ObjectFactoryTest, WallIsAPlainPictureOnItsPlane) {
  const TObjectRecord wall = MakeRecord(otWall, "Стена");
  TSprite* main = Make(wall, 96, 224, 0);
  ASSERT_STREQ(main->ClassName(), "TMyObject");
  EXPECT_EQ(main->X, 96);
  EXPECT_EQ(main->Y, 224);
  EXPECT_EQ(main->Z(), 0);
  EXPECT_EQ(main->Width, 32);
  EXPECT_EQ(main->Height, 32);
  EXPECT_NE(static_cast<TImageSprite*>(main)->Picture, nullptr);

  TSprite* back = Make(wall, 96, 224, 20);
  EXPECT_EQ(back->Z(), -20);
  EXPECT_EQ(SpriteCount(), 2);
}

TEST_F(ObjectFactoryTest, PlainPictureWithoutAnimationKeepsFrameZero) {
  auto* still = static_cast<TImageSprite*>(Make(MakeRecord(otTrap, "Огонь"), 0, 64, 0));
  world.Ticks(5);
  EXPECT_EQ(still->FrameCount, 0);
  EXPECT_EQ(still->FrameIndex(), 0);
}

TEST_F(ObjectFactoryTest, AnimatedPictureLoopsAtTheRecordSpeed) {
  TObjectRecord fire = MakeRecord(otTrap, "Огонь");
  fire.Animated = true;
  fire.AnimSpeed = 0.05;  // 0.8 frame per tick
  auto* sprite = static_cast<TImageSprite*>(Make(fire, 32, 64, 0));
  EXPECT_EQ(sprite->FrameCount, 5);
  EXPECT_TRUE(sprite->Looping);
  EXPECT_DOUBLE_EQ(sprite->FrameSpeed, 0.05);
  world.Ticks(7);  // 5.6 frames: wrapped to 0.6
  EXPECT_NEAR(sprite->FramePos, 0.6, 1e-9);
}

TEST_F(ObjectFactoryTest, BackPlaneFourAtTheOriginIsTheRepeatingBackground) {
  const TObjectRecord piece = MakeRecord(otBackground, "Фон");
  TSprite* background = Make(piece, 0, 0, 40);
  ASSERT_STREQ(background->ClassName(), "TBack");
  auto* back = static_cast<TBack*>(background);
  EXPECT_EQ(back->Z(), -200);
  EXPECT_TRUE(back->Repeat);
  EXPECT_EQ(back->Columns(), 1);
  EXPECT_EQ(back->Rows(), 1);
  EXPECT_EQ(back->Width, 64);
  EXPECT_EQ(back->Height, 48);
  // The factory's own sprite stays beside it, bare.
  EXPECT_EQ(SpriteCount(), 2);

  TSprite* plane3 = Make(piece, 0, 0, 30);
  EXPECT_STREQ(plane3->ClassName(), "TMyObject");
  EXPECT_EQ(plane3->Z(), -30);
  TSprite* nextCell = Make(piece, 32, 0, 40);
  EXPECT_STREQ(nextCell->ClassName(), "TMyObject");
  EXPECT_EQ(nextCell->Z(), -40);
  EXPECT_EQ(nextCell->X, 32);
}

TEST_F(ObjectFactoryTest, BackgroundPositionIsRoundedHalvesToEven) {
  const TObjectRecord piece = MakeRecord(otBackground, "Фон");
  EXPECT_STREQ(Make(piece, 0.5, -0.5, 40)->ClassName(), "TBack");
  EXPECT_STREQ(Make(piece, 1.5, 0, 40)->ClassName(), "TMyObject");
  EXPECT_STREQ(Make(piece, 0, 0, 49)->ClassName(), "TBack");  // 49 div 10 = 4
}

TEST_F(ObjectFactoryTest, LiftStartsUpwardsOnlyForAPositiveHeight) {
  struct Row {
    int8_t height;
    uint8_t mode;
  };
  for (const Row row : {Row{3, 1}, Row{0, 2}, Row{-2, 2}}) {
    TObjectRecord record = MakeRecord(otLift, "Лифт");
    record.LiftHeight = row.height;
    TSprite* made = Make(record, 320, 320, 0);
    ASSERT_STREQ(made->ClassName(), "TLift");
    auto* lift = static_cast<TLift*>(made);
    EXPECT_EQ(lift->Travel, row.height);
    EXPECT_EQ(lift->Mode, row.mode) << int(row.height);
    EXPECT_EQ(lift->Leg, row.mode);
    EXPECT_FALSE(lift->Running);
    EXPECT_EQ(lift->HomeRow, 10);
    EXPECT_EQ(lift->Z(), 0);
  }
}

TEST_F(ObjectFactoryTest, SpecialKindsLeaveTheFactorySpriteBareAtTheOrigin) {
  world.AddObjectPicture("Ключ", 16, 16);
  TObjectRecord key = MakeRecord(otKey, "Ключ");
  key.KeyCode = 9;
  TSprite* made = Make(key, 96, 64, 20);
  ASSERT_STREQ(made->ClassName(), "TKey");
  EXPECT_EQ(made->Z(), 0);  // special objects ignore the plane
  EXPECT_EQ(static_cast<TKey*>(made)->KeyCode, 9);
  ASSERT_EQ(world.Root().ChildCount(), 2);
  auto* bare = static_cast<TImageSprite*>(world.Root().Child(0));
  EXPECT_STREQ(bare->ClassName(), "TMyObject");
  EXPECT_EQ(bare->Picture, nullptr);
  EXPECT_EQ(bare->X, 0);
  EXPECT_EQ(bare->Y, 0);
  EXPECT_EQ(bare->Width, 0);
  EXPECT_EQ(bare->Height, 0);
}

TEST_F(ObjectFactoryTest, EachKindGetsItsOwnClass) {
  world.AddObjectPicture("Дверь", 32, 64, 4);
  world.AddObjectPicture("Аптечка", 16, 16);
  world.AddObjectPicture("Патроны", 16, 16);
  EXPECT_STREQ(Make(MakeRecord(otDoor, "Дверь"), 64, 64, 0)->ClassName(), "TDoor");
  EXPECT_STREQ(Make(MakeRecord(otMedKit, "Аптечка"), 64, 64, 0)->ClassName(), "TMedKit");
  EXPECT_STREQ(Make(MakeRecord(otAmmo, "Патроны"), 64, 64, 0)->ClassName(), "TAmmoCrate");
  EXPECT_STREQ(Make(MakeRecord(otDynamic, "Стена"), 64, 64, 0)->ClassName(), "TMyObject");
  EXPECT_EQ(SpriteCount(), 7);
}

TEST_F(ObjectFactoryTest, EmptyRecordsMakeOnlyTheInvisibleSprite) {
  const TObjectRecord empty = MakeEmptyObjectRecord();
  TSprite* made = Make(empty, 96, 96, 0);
  EXPECT_STREQ(made->ClassName(), "TMyObject");
  EXPECT_EQ(SpriteCount(), 1);
  EXPECT_EQ(static_cast<TImageSprite*>(made)->Picture, nullptr);
  EXPECT_EQ(made->X, 0);
  EXPECT_EQ(made->Width, 0);

  TObjectRecord nameless = MakeRecord(otWall, "");
  Make(nameless, 96, 96, 0);
  EXPECT_EQ(SpriteCount(), 2);
  // An empty lift record makes no lift either.
  Make(MakeRecord(otLift, "пустая"), 0, 0, 40);
  EXPECT_EQ(SpriteCount(), 3);
  EXPECT_EQ(world.CountOf("TMyObject"), 3);
}

TEST_F(ObjectFactoryTest, MissingPictureFailsButKeepsWhatWasMade) {
  try {
    Make(MakeRecord(otWall, "Нет такой"), 0, 0, 0);
    FAIL() << "expected a picture error";
  } catch (const EPictureCollectionError& error) {
    EXPECT_STREQ(error.what(), "Image 'Нет такой' not found");
  }
  EXPECT_EQ(SpriteCount(), 1);
  EXPECT_EQ(world.CountOf("TMyObject"), 1);

  // A special object without its picture is not left half-made in the tree.
  EXPECT_THROW(Make(MakeRecord(otKey, "Нет такой"), 0, 0, 0), EPictureCollectionError);
  EXPECT_EQ(SpriteCount(), 2);
  EXPECT_EQ(world.CountOf("TKey"), 0);
}

TEST_F(ObjectFactoryTest, StartMarkerMovesThePlayerAndIsShownToo) {
  auto* player = MakePlayer(500, 500);
  player->SetZ(7);
  TSprite* marker = Make(MakeRecord(otPlayer, "Старт"), 64, 96, 0);
  EXPECT_EQ(player->X, 64);
  EXPECT_EQ(player->Y, 96);
  EXPECT_EQ(player->Z(), 0);
  EXPECT_STREQ(marker->ClassName(), "TMyObject");
  EXPECT_EQ(marker->X, 64);
  EXPECT_EQ(marker->Y, 96);
  EXPECT_EQ(marker->Width, 32);
  // Building the level again moves the player back to the marker.
  player->X = 1000;
  Make(MakeRecord(otPlayer, "Старт"), 64, 96, 0);
  EXPECT_EQ(player->X, 64);
}

TEST_F(ObjectFactoryTest, StartMarkerWithoutPlayerOnlyShowsItself) {
  TSprite* marker = Make(MakeRecord(otPlayer, "Старт"), 64, 96, 0);
  EXPECT_EQ(marker->X, 64);
  EXPECT_EQ(world.Context.PlayerSprite, nullptr);
  // Another player picture is not a start marker.
  auto* player = MakePlayer(500, 500);
  Make(MakeRecord(otPlayer, "Стена"), 64, 96, 0);
  Make(MakeRecord(otWall, "Старт"), 64, 96, 0);
  EXPECT_EQ(player->X, 500);
}

TEST_F(ObjectFactoryTest, MonsterComesFromItsMonsterRecord) {
  world.AddObjectPicture("Гоблин", 32, 40, 8);
  world.Context.MonstersDataBase = std::make_unique<TMonstersDataBase>();
  TMonsterRecord other;
  other.Name = W1251("Другой");
  TMonsterRecord goblin;
  goblin.Name = W1251("Гоблин");
  goblin.HealthMin = 10;
  goblin.HealthMax = 10;
  goblin.WalkSpeed = 5;
  goblin.ShotDelay = 500;
  world.Context.MonstersDataBase->Records = {other, goblin};

  TSprite* made = Make(MakeRecord(otMonster, "Гоблин"), 128, 96, 0);
  ASSERT_STREQ(made->ClassName(), "TEnemyWalker");
  auto* monster = static_cast<TEnemyWalker*>(made);
  EXPECT_EQ(monster->Record.WalkSpeed, 5);
  EXPECT_EQ(monster->Record.ShotDelay, 30);
  EXPECT_EQ(monster->X, 128);
  EXPECT_EQ(monster->Height, 36);
  EXPECT_EQ(monster->Z(), 0);
  EXPECT_EQ(SpriteCount(), 2);
}

TEST_F(ObjectFactoryTest, UnknownMonsterNameUsesTheFirstRecord) {
  world.AddObjectPicture("Гоблин", 32, 40, 8);
  world.Context.MonstersDataBase = std::make_unique<TMonstersDataBase>();
  TMonsterRecord goblin;
  goblin.Name = W1251("Гоблин");
  goblin.WalkSpeed = 3;
  world.Context.MonstersDataBase->Records = {goblin};
  world.AddObjectPicture("Тролль", 32, 40, 8);
  auto* monster = static_cast<TEnemyWalker*>(Make(MakeRecord(otMonster, "Тролль"), 0, 0, 0));
  EXPECT_EQ(monster->Record.WalkSpeed, 3);
  // Its picture is the one the record names.
  EXPECT_EQ(monster->Picture, world.Context.ObjectPictureList->Items.Find(W1251("Гоблин")));
}

TEST_F(ObjectFactoryTest, MonsterWithoutAnyMonsterRecordIsNotMade) {
  world.AddObjectPicture("Гоблин", 32, 40, 8);
  TSprite* made = Make(MakeRecord(otMonster, "Гоблин"), 64, 64, 0);
  EXPECT_STREQ(made->ClassName(), "TMyObject");
  world.Context.MonstersDataBase = std::make_unique<TMonstersDataBase>();
  made = Make(MakeRecord(otMonster, "Гоблин"), 64, 64, 0);
  EXPECT_STREQ(made->ClassName(), "TMyObject");
  EXPECT_EQ(SpriteCount(), 2);
  EXPECT_EQ(world.CountOf("TEnemyWalker"), 0);
  world.Ticks(2);
}

TEST_F(ObjectFactoryTest, FactoryForTheBuildersCallsTheSameConstruction) {
  const TObjectFactory factory = MakeObjectFactory();
  TSprite* made = factory(&world.Root(), MakeRecord(otWall, "Стена"), 32, 64, 10);
  EXPECT_STREQ(made->ClassName(), "TMyObject");
  EXPECT_EQ(made->Z(), -10);
  EXPECT_EQ(made->Y, 64);
}

}  // namespace
}  // namespace kestrilo

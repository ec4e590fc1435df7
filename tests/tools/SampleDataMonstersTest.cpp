// Each monster of the demo level does what its name says, with the preview on
// and the player put next to it.
#include <gtest/gtest.h>

#include "SampleDataTestSupport.h"
#include "platform/Cp1251.h"
#include "world/EnemyWalker.h"
#include "world/MonsterShot.h"
#include "world/PlayerSprite.h"

namespace kestrilo::sampletest {
namespace {

class DemoMonsters : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(editor.GeneratorFailed);
    editor.OpenObjects();
    editor.LoadDemoLevel();
    editor.StartPreview();
    editor.Tick();  // monsters settle on their floors
    ASSERT_NE(editor.Player(), nullptr);
    editor.Hold(vkSpace, true);  // gravity on
    editor.Hold(vkSpace, false);
  }

  TEnemyWalker* Monster(std::string_view utf8Name) const {
    for (TSprite* s : editor.SpritesOf("TEnemyWalker")) {
      auto* m = static_cast<TEnemyWalker*>(s);
      if (m->Record.Name == W1251(utf8Name)) return m;
    }
    return nullptr;
  }
  void PutPlayer(double x, double y) {
    editor.Player()->X = x;
    editor.Player()->Y = y;
  }
  // Ticks until `done` holds, at most `limit` ticks; false when it never did.
  template <typename Done>
  bool TickUntil(Done done, int limit) {
    for (int i = 0; i < limit; ++i) {
      if (done()) return true;
      editor.Tick();
    }
    return done();
  }

  TSampleEditor editor;
};

TEST_F(DemoMonsters, TheWalkerExplodesWhenTouched) {
  TEnemyWalker* walker = Monster("Бродяга");
  ASSERT_NE(walker, nullptr);
  PutPlayer(walker->X + 8, 13 * 32 + 4);
  EXPECT_TRUE(TickUntil([&] { return Monster("Бродяга") == nullptr; }, 5));
  EXPECT_EQ(editor.SpritesOf("TBlast").size(), 5u);
  EXPECT_LE(editor.Player()->Health, 100 - 15);
}

TEST_F(DemoMonsters, TheShooterFacesThePlayerAndShoots) {
  TEnemyWalker* hunter = Monster("Стрелок");
  ASSERT_NE(hunter, nullptr);
  PutPlayer(hunter->X + 100, 7 * 32 + 4);
  const double standsAt = hunter->X;
  EXPECT_TRUE(TickUntil([&] { return !editor.SpritesOf("TAmmoFire").empty(); }, 5));
  EXPECT_EQ(static_cast<TAmmoFire*>(editor.SpritesOf("TAmmoFire")[0])->Direction, 2) << "shot towards the player";
  EXPECT_TRUE(TickUntil([&] { return editor.Player()->Health < 100; }, 60));
  EXPECT_EQ(hunter->X, standsAt) << "a shooter stands while the player is near";
}

TEST_F(DemoMonsters, TheFlyerBombsAPlayerBelow) {
  TEnemyWalker* flyer = Monster("Летун");
  ASSERT_NE(flyer, nullptr);
  EXPECT_LT(flyer->Y, 4 * 32) << "the flyer keeps to the air";
  PutPlayer(flyer->X + 4, 7 * 32 + 4);
  EXPECT_TRUE(TickUntil([&] { return !editor.SpritesOf("TBomb").empty(); }, 3));
  EXPECT_TRUE(TickUntil([&] { return editor.Player()->Health < 100; }, 120));
}

TEST_F(DemoMonsters, TheJumperLeapsTowardsAPlayerInReach) {
  TEnemyWalker* jumper = Monster("Прыгун");
  ASSERT_NE(jumper, nullptr);
  const double startY = jumper->Y;
  PutPlayer(jumper->X - 140, 13 * 32 + 4);
  EXPECT_TRUE(TickUntil([&] { return jumper->Jumping == 1; }, 5));
  EXPECT_EQ(jumper->State, TEnemyWalker::stWalkLeft);
  editor.Tick();
  EXPECT_LT(jumper->Y, startY);
}

}  // namespace
}  // namespace kestrilo::sampletest

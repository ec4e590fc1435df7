// The demo level played headless through the editor's own commands and
// frame step, with a scripted player: keys held per tick until a goal is met.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

#include "SampleDataTestSupport.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "sprites/SpriteEngine.h"
#include "world/Door.h"
#include "world/EnemyWalker.h"
#include "world/Lift.h"
#include "world/PlayerSprite.h"

namespace kestrilo::sampletest {
namespace {

constexpr uint8_t kRedCode = 1, kBlueCode = 2;

// What the run has seen so far.
struct TRunLog {
  int Ticks = 0;
  int16_t LowestHealth = 100;
  int16_t HighestHealth = 100;
  uint16_t MostRounds = 15;
  int ShotsFired = 0;
  bool Healed = false;  // health rose between two ticks
  bool RedKeyTaken = false;
  bool RedDoorGone = false;
  std::ostringstream Trace;
};

struct TStep {
  std::string What;
  std::vector<uint32_t> Keys;
  std::function<bool()> Done;
  int MaxTicks;
};

class TDemoRun {
 public:
  explicit TDemoRun(TSampleEditor& editor) : e(editor) {}

  TDoor* RedDoor() const {
    for (TSprite* s : e.SpritesOf("TDoor"))
      if (static_cast<TDoor*>(s)->KeyCode == kRedCode) return static_cast<TDoor*>(s);
    return nullptr;
  }
  bool HasKey(uint8_t code) const {
    const TPlayerSprite* p = e.Player();
    return p && std::find(p->Keys.begin(), p->Keys.end(), code) != p->Keys.end();
  }

  void Observe() {
    const TPlayerSprite* p = e.Player();
    if (!p) return;
    if (p->Health > lastHealth) log.Healed = true;
    lastHealth = p->Health;
    log.LowestHealth = std::min(log.LowestHealth, p->Health);
    log.HighestHealth = std::max(log.HighestHealth, p->Health);
    if (p->Ammo[0] > log.MostRounds) log.MostRounds = p->Ammo[0];
    if (p->FireTimer == 0) ++log.ShotsFired;
    log.RedKeyTaken = log.RedKeyTaken || HasKey(kRedCode);
  }

  // Holds the step's keys until its goal is met; false when it took too long
  // or the player is gone.
  bool Run(const TStep& step) {
    for (uint32_t key : step.Keys) e.Hold(key, true);
    int ticks = 0;
    bool done = false;
    while (!(done = step.Done()) && ticks < step.MaxTicks && e.Player()) {
      e.Tick();
      ++ticks;
      ++log.Ticks;
      Observe();
    }
    for (uint32_t key : step.Keys) e.Hold(key, false);
    const TPlayerSprite* p = e.Player();
    log.Trace << step.What << ": " << ticks << " ticks, " << (done ? "done" : "NOT DONE");
    if (p) log.Trace << ", player at (" << p->X << ", " << p->Y << ") health " << p->Health << " rounds " << p->Ammo[0];
    log.Trace << "\n";
    return done;
  }

  // Presses a key for one tick.
  void Tap(uint32_t key) {
    e.Hold(key, true);
    e.Tick();
    ++log.Ticks;
    e.Hold(key, false);
  }

  TSampleEditor& e;
  TRunLog log;
  int16_t lastHealth = 100;
};

TEST(SampleDataPlay, ScriptedPlayerPlaysTheDemoLevelThrough) {
  TSampleEditor editor;
  ASSERT_FALSE(editor.GeneratorFailed);
  editor.OpenObjects();
  editor.LoadDemoLevel();
  ASSERT_TRUE(editor.Dialogs.Messages().empty()) << editor.Dialogs.Messages().front();
  editor.StartPreview();
  editor.Tick();  // the loaded level's first frame; the start marker has placed the player
  TPlayerSprite* player = editor.Player();
  ASSERT_NE(player, nullptr);
  ASSERT_EQ(player->X, 5 * 32);
  ASSERT_EQ(player->Y, 13 * 32);
  TDemoRun run(editor);
  ASSERT_NE(run.RedDoor(), nullptr);
  const double redDoorX = run.RedDoor()->X;

  run.Tap(vkSpace);  // Space switches the player's gravity on
  const auto at = [&](double x) { return [&, x] { return editor.Player() && editor.Player()->X >= x; }; };
  const bool walkedToCrate = run.Run({"walk to the ammunition", {vkD}, at(192), 200});
  // The walking bomb, shot before it reaches the player, stays as remains.
  const auto walker = [&]() -> TEnemyWalker* {
    for (TSprite* s : editor.SpritesOf("TEnemyWalker"))
      if (static_cast<TEnemyWalker*>(s)->Record.Name == W1251("Бродяга")) return static_cast<TEnemyWalker*>(s);
    return nullptr;
  };
  const auto walkerDown = [&] { return walker() && walker()->State >= TMonster::stDyingLeft; };
  const bool shotWalker = run.Run({"shoot the walker", {vkShift}, walkerDown, 200});
  const bool reachedLift = run.Run({"walk onto the lift", {vkD, vkShift}, at(576), 700});
  ASSERT_EQ(editor.SpritesOf("TLift").size(), 1u);
  const auto* lift = static_cast<const TLift*>(editor.SpritesOf("TLift")[0]);
  run.Tap(vkSpace);  // Space on the lift starts it
  EXPECT_TRUE(lift->Running);
  const bool rodeLift =
      run.Run({"ride the lift", {}, [&] { return editor.Player() && editor.Player()->Y <= 8 * 32 - 28; }, 300});
  const bool tookKey = run.Run({"walk to the red key", {vkA, vkShift}, [&] { return run.HasKey(kRedCode); }, 400});
  const bool openedDoor = run.Run({"open the red door", {vkA, vkShift}, [&] { return run.RedDoor() == nullptr; }, 700});
  const bool passedDoor = run.Run(
      {"walk through the door", {vkA}, [&] { return editor.Player() && editor.Player()->X < redDoorX - 32; }, 200});

  SCOPED_TRACE(run.log.Trace.str());
  EXPECT_TRUE(walkedToCrate);
  EXPECT_TRUE(shotWalker);
  ASSERT_NE(walker(), nullptr);
  EXPECT_EQ(walker()->Dying, 1);
  EXPECT_TRUE(reachedLift);
  EXPECT_TRUE(rodeLift);
  EXPECT_TRUE(tookKey);
  EXPECT_TRUE(openedDoor);
  EXPECT_TRUE(passedDoor);
  // On the way: the crate's rounds, a med kit, and the monsters' damage.
  EXPECT_EQ(run.log.MostRounds, 25);
  EXPECT_TRUE(run.log.Healed);
  EXPECT_LT(run.log.LowestHealth, 100);
  EXPECT_GT(run.log.ShotsFired, 1);
  ASSERT_NE(editor.Player(), nullptr);
  EXPECT_GE(editor.Player()->Health, 0);
  // The door's cells are open for every mover now.
  const TMatrix& level = *editor.Context.PlayedLevel;
  EXPECT_TRUE(level.Cells[static_cast<size_t>(redDoorX / 32)][6].IsFree());
  EXPECT_TRUE(level.Cells[static_cast<size_t>(redDoorX / 32)][7].IsFree());

  // The rest of the level: the blue key behind the red door opens the blue
  // door beside the start, reached with the lift going down again.
  const auto blueDoorGone = [&] {
    for (TSprite* s : editor.SpritesOf("TDoor"))
      if (static_cast<TDoor*>(s)->KeyCode == kBlueCode) return false;
    return true;
  };
  ASSERT_FALSE(blueDoorGone());
  EXPECT_TRUE(run.Run({"take the blue key", {vkA}, [&] { return run.HasKey(kBlueCode); }, 200}));
  EXPECT_TRUE(run.Run({"back onto the lift", {vkD, vkShift}, at(576), 800}));
  run.Tap(vkSpace);
  EXPECT_TRUE(run.Run({"ride down", {}, [&] { return editor.Player() && editor.Player()->Y >= 13 * 32 + 4; }, 300}));
  EXPECT_TRUE(run.Run({"open the blue door", {vkA, vkShift}, blueDoorGone, 900}));
  const int16_t before = editor.Player() ? editor.Player()->Health : 0;
  EXPECT_TRUE(
      run.Run({"stand in the healing spring",
               {vkA},
               [&] { return editor.Player() && editor.Player()->X <= 40 && editor.Player()->Health >= before + 20; },
               300}));
}

}  // namespace
}  // namespace kestrilo::sampletest

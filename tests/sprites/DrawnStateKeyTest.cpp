// The drawn state's key lets the frame loop leave a frame undrawn: a key that
// stays the same must never hide a change of the drawn pixels, and a world
// where nothing in view changes must keep its key.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "PictureFixture.h"
#include "SteppingSprites.h"
#include "platform/Surface.h"
#include "sprites/ImageSprite.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {
namespace {

using test::TPictureFixture;

using test::TPlaced;
using test::TWalker;

class DrawnStateKeyTest : public ::testing::Test {
 protected:
  DrawnStateKeyTest() {
    // Four frames of four colours, and a second picture of one colour.
    frames_ = pictures_.Add(64, 16, 16, 16, [](int32_t x, int32_t) {
      static const uint32_t colours[] = {test::kRed, test::kGreen, test::kBlue, test::kWhite};
      return colours[x / 16];
    });
    plain_ = pictures_.Add(16, 16, 16, 16, [](int32_t, int32_t) { return test::kGreen; });
    root_.SetSurface(&surface_);
  }

  std::vector<uint16_t> Drawn() {
    surface_.Fill(0);
    root_.DrawAll();
    return {surface_.Pixels(), surface_.Pixels() + surface_.Width() * surface_.Height()};
  }
  uint64_t Key() { return root_.DrawnStateKey(root_.ViewRect); }
  void Tick() {
    root_.Move(16);
    root_.RemoveDead();
  }

  TPictureFixture pictures_;
  TPictureCollectionItem* frames_ = nullptr;
  TPictureCollectionItem* plain_ = nullptr;
  TSurface surface_{96, 64};
  TSpriteEngine root_;
};

TEST_F(DrawnStateKeyTest, AnEqualKeyNeverHidesAChangedPixel) {
  for (unsigned seed : {1u, 7u, 42u}) {
    std::mt19937 random(seed);
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    auto coordinate = [&](int range) { return static_cast<double>(static_cast<int>(random() % range) - 16); };
    TSpriteEngine& root = root_;
    root.ClearChildren();
    root.X = 0;
    std::vector<TPlaced*> placed;
    for (int i = 0; i < 40; ++i) {
      const double speed = i % 4 == 0 ? 0.01 : (i % 4 == 1 ? 0.03 : 0);
      placed.push_back(new TPlaced(&root, i % 3 ? frames_ : plain_, coordinate(200), coordinate(120), speed));
    }
    // Walkers that wander in and out of view and now and then change what they show.
    for (int i = 0; i < 4; ++i) {
      auto* walker = new TWalker(&root, frames_, coordinate(200), coordinate(120));
      walker->Step = [&](TWalker& w) {
        if (chance(10)) w.X += static_cast<double>(static_cast<int>(random() % 41) - 20);
        if (chance(3)) w.Visible = !w.Visible;
        if (chance(3)) w.Picture = w.Picture == frames_ ? plain_ : frames_;
        if (chance(3)) w.FramePos = static_cast<double>(random() % 4);
      };
    }
    std::vector<uint16_t> before = Drawn();
    uint64_t keyBefore = Key();
    int kept = 0, changed = 0;
    for (int tick = 0; tick < 400; ++tick) {
      // What else may happen between ticks: the camera, a placed picture
      // moved, re-ordered, rewound, stopped, freed, or a new one placed.
      if (chance(2)) root.X += chance(50) ? 8 : -8;
      if (chance(3)) placed[random() % placed.size()]->Y += 4;
      if (chance(2)) placed[random() % placed.size()]->SetZ(static_cast<int32_t>(random() % 3));
      if (chance(2)) placed[random() % placed.size()]->FramePos = 2;
      if (chance(2)) placed[random() % placed.size()]->FrameSpeed = 0;
      if (chance(2)) {
        const size_t k = random() % placed.size();
        placed[k]->MarkDead();
        placed[k] = new TPlaced(&root, frames_, coordinate(200), coordinate(120), 0.02);
      }
      Tick();
      const uint64_t key = Key();
      const std::vector<uint16_t> now = Drawn();
      if (key == keyBefore) {
        ASSERT_EQ(now, before) << "seed " << seed << ", tick " << tick << ": the key stayed, the pixels changed";
        ++kept;
      }
      if (now != before) ++changed;
      before = now;
      keyBefore = key;
    }
    // Both kinds of frame occur, so that the run shows something.
    EXPECT_GT(kept, 20) << "seed " << seed;
    EXPECT_GT(changed, 20) << "seed " << seed;
  }
}

TEST_F(DrawnStateKeyTest, AStillWorldKeepsItsKeyAndEachKindOfChangeAltersIt) {
  auto* still = new TPlaced(&root_, frames_, 0, 0, 0);
  auto* looping = new TPlaced(&root_, frames_, 16, 0, 0.01);  // a frame every 6.25 ticks
  auto* walker = new TWalker(&root_, plain_, 32, 0);
  auto* far = new TWalker(&root_, plain_, 500, 0);  // out of view
  Tick();
  // The looping picture shows its second frame from the seventh tick on.
  const uint64_t first = Key();
  for (int tick = 2; tick <= 5; ++tick) {
    Tick();
    EXPECT_EQ(Key(), first) << "tick " << tick;
  }
  far->Step = [](TWalker& w) { w.X += 1; };
  Tick();
  EXPECT_EQ(Key(), first) << "a sprite out of view moved";
  far->Step = nullptr;
  Tick();
  EXPECT_NE(Key(), first) << "the shared clock showed its next frame";

  struct TChange {
    const char* What;
    std::function<void()> Make;
  };
  const std::vector<TChange> changes = {
      {"a resting picture moved", [&] { still->X += 1; }},
      {"a resting picture rewound", [&] { still->FramePos = 1; }},
      {"a looping picture re-ordered", [&] { looping->SetZ(5); }},
      {"a stepped sprite moved", [&] { walker->Y += 1; }},
      {"a stepped sprite hidden", [&] { walker->Visible = false; }},
      {"a stepped sprite shown", [&] { walker->Visible = true; }},
      {"a stepped sprite's picture changed", [&] { walker->Picture = frames_; }},
      {"a picture placed", [&] { new TPlaced(&root_, plain_, 48, 16, 0); }},
      {"a picture freed", [&] { still->MarkDead(); }},
      {"the camera moved", [&] { root_.X += 1; }},
  };
  for (const TChange& change : changes) {
    Tick();
    const uint64_t before = Key();
    change.Make();
    Tick();
    EXPECT_NE(Key(), before) << change.What;
  }
}

TEST_F(DrawnStateKeyTest, EveryKeyDiffersUntilTheMovePassRunsAndWithTheReferenceWalks) {
  new TPlaced(&root_, frames_, 0, 0, 0);
  EXPECT_NE(Key(), Key());
  Tick();
  EXPECT_EQ(Key(), Key());
  root_.UseReferenceAlgorithms = true;
  Tick();
  EXPECT_NE(Key(), Key());
}

}  // namespace
}  // namespace kestrilo

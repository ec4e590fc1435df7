// Frames drawn from the kept pictures of the resting children must have,
// frame after frame, exactly the pixels of the whole tree drawn: with
// walkers moving among placed pictures, animations on shared clocks, a
// background following the camera, pictures larger than their bounds,
// children of walkers, hidden layers, every zoom, and whatever may be
// written between ticks.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "PictureFixture.h"
#include "SteppingSprites.h"
#include "platform/Surface.h"
#include "sprites/BackgroundSprite.h"
#include "sprites/RetainedDrawing.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {
namespace {

using namespace test;

constexpr int32_t kWidth = 120, kHeight = 80;
constexpr uint16_t kFill = 0x1234;

// A repeating background that follows half of every camera move, stepped at every tick.
class TFollowingBackground final : public TBackgroundSprite {
 public:
  using TBackgroundSprite::TBackgroundSprite;
  void OnMove(int32_t) override {
    if (Engine) X = -Engine->X / 2;
  }
};

std::vector<uint16_t> PixelsOf(const TSurface& s) { return {s.Pixels(), s.Pixels() + s.Width() * s.Height()}; }

TEST(RetainedDrawing, EveryFrameHasThePixelsOfTheWholeTreeDrawn) {
  struct TCase {
    unsigned Seed;
    int32_t Divisor;
    bool HideLayerOne;
  };
  for (const TCase c :
       {TCase{1, 1, false}, TCase{7, 2, false}, TCase{42, 4, false}, TCase{5, 1, true}, TCase{9, 3, true}}) {
    SCOPED_TRACE(testing::Message() << "seed " << c.Seed << ", divisor " << c.Divisor);
    std::mt19937 random(c.Seed);
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    auto coordinate = [&](int range) {
      return static_cast<double>(static_cast<int>(random() % static_cast<unsigned>(range * c.Divisor)) - 16);
    };
    TPictureFixture pictures;
    // Four frames with a keyed corner, so that what lies beneath shows.
    TPictureCollectionItem* frames = pictures.Add(64, 16, 16, 16, [](int32_t x, int32_t y) {
      static const uint32_t colours[] = {kRed, kGreen, kBlue, kWhite};
      return x % 16 < 5 && y < 5 ? kBlack : colours[x / 16];
    });
    frames->SetTransparentColor(kBlack);
    TPictureCollectionItem* tile = pictures.Add(
        24, 24, 0, 0, [](int32_t x, int32_t y) { return 0x00300000u + static_cast<uint32_t>(x + 24 * y); });

    TSpriteEngine root;
    TSurface target(kWidth, kHeight), whole(kWidth, kHeight);
    root.SetSurface(&target);
    target.SetShrinkDivisor(c.Divisor);
    whole.SetShrinkDivisor(c.Divisor);
    root.ViewRect = {0, 0, kWidth * c.Divisor, kHeight * c.Divisor};
    if (c.HideLayerOne) root.DrawnLayers = ~TSpriteEngine::LayerBit(1);

    auto* background = new TFollowingBackground(&root);
    background->Picture = tile;
    background->Resize(2, 2);
    background->Repeat = true;
    background->SetZ(-5);
    std::vector<TPlaced*> placed;
    auto place = [&] {
      const int i = static_cast<int>(placed.size());
      const double speed = i % 4 == 0 ? 0.01 : (i % 4 == 1 ? 0.004 : 0);
      // Every fifth drawn on bounds smaller than its picture.
      auto* p = new TPlaced(&root, frames, coordinate(kWidth), coordinate(kHeight), speed, i % 5 == 0 ? 6 : 16);
      p->ViewLayer = static_cast<int8_t>(i % 3);
      p->SetZ(static_cast<int32_t>(random() % 3) - 1);
      return p;
    };
    for (int i = 0; i < 60; ++i) placed.push_back(place());
    // Walkers that wander in and out of view and now and then change what
    // they show; the first carries a child of its own.
    for (int i = 0; i < 5; ++i) {
      auto* walker = new TWalker(&root, frames, coordinate(kWidth), coordinate(kHeight));
      walker->SetZ(i % 2);
      walker->Step = [&](TWalker& w) {
        if (chance(30)) w.X += static_cast<double>(static_cast<int>(random() % 17) - 8);
        if (chance(20)) w.Y += static_cast<double>(static_cast<int>(random() % 9) - 4);
        if (chance(3)) w.Visible = !w.Visible;
        if (chance(5)) w.FramePos = static_cast<double>(random() % 4);
      };
      if (i == 0) {
        auto* carried = new TImageSprite(walker);
        carried->Picture = frames;
        carried->Width = carried->Height = 16;
        carried->X = 20;
      }
    }

    TRetainedDrawing retained;
    uint64_t callersWrites = 0;
    int changedFrames = 0;
    std::vector<uint16_t> last;
    for (int tick = 0; tick < 300; ++tick) {
      // What may happen between ticks: the camera, a placed picture moved,
      // re-ordered, rewound, stopped, freed, or a new one placed, and the
      // caller's own writes to a resting one, which the caller counts.
      if (chance(3)) root.X += chance(50) ? 8 : -8;
      if (chance(3)) placed[random() % placed.size()]->Y += 4;
      if (chance(2)) placed[random() % placed.size()]->SetZ(static_cast<int32_t>(random() % 3) - 1);
      if (chance(2)) placed[random() % placed.size()]->FramePos = 2;
      if (chance(2)) placed[random() % placed.size()]->FrameSpeed = 0;
      if (chance(2)) {
        const size_t k = random() % placed.size();
        placed[k]->MarkDead();
        placed[k] = place();
      }
      if (chance(2)) {
        TPlaced& p = *placed[random() % placed.size()];
        p.Visible = !p.Visible;
        ++callersWrites;
      }
      root.Move(16);
      root.RemoveDead();

      target.Fill(0);
      if (!retained.Draw(root, target, kFill, callersWrites)) {
        target.Fill(kFill);
        root.DrawAll();
      }
      whole.Fill(kFill);
      root.Surface = &whole;
      root.DrawAll();
      root.Surface = &target;
      ASSERT_EQ(PixelsOf(target), PixelsOf(whole)) << "tick " << tick;
      if (PixelsOf(whole) != last) ++changedFrames;
      last = PixelsOf(whole);
    }
    // The run shows something: frames change, and kept pictures are used again.
    EXPECT_GT(changedFrames, 100);
    EXPECT_GT(retained.PicturesReused(), 20);
    EXPECT_GT(retained.PicturesDrawn(), 5);
  }
}

TEST(RetainedDrawing, APictureOfOneEngineIsNeverUsedForAnother) {
  TPictureFixture pictures;
  TPictureCollectionItem* plain = pictures.Add(16, 16, 16, 16, [](int32_t, int32_t) { return kGreen; });
  TSurface target(kWidth, kHeight), whole(kWidth, kHeight);
  // Two worlds alike in everything the key counts, their pictures placed apart.
  TSpriteEngine first, second;
  for (int i = 0; i < 3; ++i) {
    new TPlaced(&first, plain, 10.0 + 20 * i, 10, 0);
    new TPlaced(&second, plain, 10.0 + 20 * i, 40, 0);
  }
  TRetainedDrawing retained;
  for (int round = 0; round < 3; ++round) {
    for (TSpriteEngine* root : {&first, &second}) {
      root->SetSurface(&target);
      root->Move(16);
      ASSERT_TRUE(retained.Draw(*root, target, kFill, 0));
      whole.Fill(kFill);
      root->Surface = &whole;
      root->DrawAll();
      ASSERT_EQ(PixelsOf(target), PixelsOf(whole)) << "round " << round;
    }
  }
}

TEST(RetainedDrawing, WhileTheRestingWorldChangesAtEveryFrameNoPictureIsMade) {
  TPictureFixture pictures;
  TPictureCollectionItem* plain = pictures.Add(16, 16, 16, 16, [](int32_t, int32_t) { return kGreen; });
  TSurface target(kWidth, kHeight);
  TSpriteEngine root;
  root.SetSurface(&target);
  auto* moved = new TPlaced(&root, plain, 10, 10, 0);
  TRetainedDrawing retained;
  auto frame = [&] {
    root.Move(16);
    return retained.Draw(root, target, kFill, 0);
  };
  // A stroke: a resting picture written at every frame. The first frame
  // makes a picture; once it went unused, frames are drawn whole.
  for (int step = 0; step < 6; ++step) {
    moved->X = 10.0 + 4 * step;
    EXPECT_EQ(frame(), step == 0) << "step " << step;
  }
  EXPECT_EQ(retained.PicturesDrawn(), 1);
  EXPECT_EQ(retained.FramesLeftWhole(), 5);
  // Still: a state held for two frames makes a picture, which the next frames use.
  EXPECT_TRUE(frame());
  EXPECT_TRUE(frame());
  EXPECT_TRUE(frame());
  EXPECT_EQ(retained.PicturesDrawn(), 2);
  EXPECT_EQ(retained.PicturesReused(), 2);
  // Changes apart, with frames left undrawn between them (an idle editor's
  // torches): each new state is worth a picture.
  for (int step = 0; step < 3; ++step) {
    moved->Y = 20.0 + 4 * step;
    retained.FrameLeftUndrawn();
    EXPECT_TRUE(frame()) << "step " << step;
  }
  EXPECT_EQ(retained.PicturesDrawn(), 5);
}

}  // namespace
}  // namespace kestrilo

// Looping pictures run on shared clocks: what they show, what other sprites
// read of them during a move pass and what a write to them does must be what
// stepping each of them on its own gives.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "sprites/ImageSprite.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {
namespace {

class TLoopingPicture final : public TImageSprite {
 public:
  TLoopingPicture(TSprite* parent, double speed, int32_t count) : TImageSprite(parent) {
    Width = Height = 32;
    FrameCount = count;
    Looping = true;
    FrameSpeed = speed;
  }
  bool StepIsIdle() const override { return AnimationIsIdle(); }
  TImageSprite* LoopingPicture() override { return IfLooping(); }
};

// Runs an action in its step.
class TActor : public TSprite {
 public:
  explicit TActor(TSprite* parent) : TSprite(parent) {}
  void OnMove(int32_t) override {
    if (Action) Action();
  }
  std::function<void()> Action;
};

// A world of looping pictures around one actor, run with shared clocks or with
// every picture stepped; the actor reads one picture before and one after its place.
struct TLoopWorld {
  explicit TLoopWorld(bool reference) {
    Root.UseReferenceAlgorithms = reference;
    for (int i = 0; i < 6; ++i) Pictures.push_back(new TLoopingPicture(&Root, i % 2 ? 0.1 : 1.0 / 3, 7));
    Actor = new TActor(&Root);
    for (int i = 0; i < 6; ++i) Pictures.push_back(new TLoopingPicture(&Root, i % 2 ? 0.1 : 1.0 / 3, 7));
    // One that may not move shows its first frame for good.
    Pictures[3]->CanMove = false;
    Actor->Action = [this] {
      Seen.push_back(Pictures[1]->FramePos);
      Seen.push_back(Pictures[7]->FramePos);
    };
  }
  std::vector<double> Positions() const {
    std::vector<double> out;
    for (const auto* p : Pictures) out.push_back(p->FramePos);
    return out;
  }
  TSpriteEngine Root;
  std::vector<TLoopingPicture*> Pictures;
  TActor* Actor;
  std::vector<double> Seen;
};

TEST(AnimationClocks, FollowersShowAndLendWhatTheirOwnStepsWouldGive) {
  TLoopWorld shared(false), stepped(true);
  for (int tick = 0; tick < 300; ++tick) {
    shared.Root.Move(16);
    stepped.Root.Move(16);
    ASSERT_EQ(shared.Positions(), stepped.Positions()) << "tick " << tick;
  }
  // Read during the pass: the picture before the actor had stepped, the one after had not.
  EXPECT_EQ(shared.Seen, stepped.Seen);
  EXPECT_EQ(shared.Root.FollowerCount(), 11);
  EXPECT_EQ(shared.Root.ClockCount(), 2u);
  EXPECT_EQ(shared.Root.AwakeCount(), 2);
}

TEST(AnimationClocks, AWriteSettlesThePositionShownAndTheSpriteStepsOnItsOwn) {
  TLoopWorld shared(false), stepped(true);
  auto disturb = [](TLoopWorld& w, int tick) {
    // From the actor's step: one picture ahead of it and one behind it.
    w.Actor->Action = [&w, tick] {
      if (tick == 40) w.Pictures[2]->FrameSpeed = 0.05;
      if (tick == 40) w.Pictures[9]->FrameSpeed = 0.05;
      if (tick == 80) w.Pictures[3]->FramePos += 0.5;
      if (tick == 80) w.Pictures[10]->FrameCount = 3;
    };
  };
  for (int tick = 0; tick < 200; ++tick) {
    disturb(shared, tick);
    disturb(stepped, tick);
    shared.Root.Move(16);
    stepped.Root.Move(16);
    if (tick == 120) {
      // Between ticks: a command writes, and the full walks come on and go off.
      shared.Pictures[4]->Looping = false;
      stepped.Pictures[4]->Looping = false;
      shared.Root.UseReferenceAlgorithms = true;
    }
    if (tick == 130) shared.Root.UseReferenceAlgorithms = false;
    ASSERT_EQ(shared.Positions(), stepped.Positions()) << "tick " << tick;
  }
  EXPECT_GT(shared.Root.FollowerCount(), 6);
}

TEST(AnimationClocks, FreedFollowersLeaveAndTheirClockGoes) {
  TSpriteEngine root;
  auto* a = new TLoopingPicture(&root, 0.1, 4);
  auto* b = new TLoopingPicture(&root, 0.25, 12);
  root.Move(16);
  ASSERT_EQ(root.FollowerCount(), 2);
  ASSERT_EQ(root.ClockCount(), 2u);
  a->MarkDead();
  root.RemoveDead();
  EXPECT_EQ(root.FollowerCount(), 1);
  root.Move(16);
  EXPECT_EQ(root.ClockCount(), 1u);
  new TActor(b);  // a follower that gains a child is stepped again, with its subtree
  EXPECT_EQ(root.FollowerCount(), 0);
  EXPECT_EQ(b->FramePos, 8.0);  // two steps of four frames, settled into the sprite
}

}  // namespace
}  // namespace kestrilo

// Placed sprites whose step is idle rest out of the root's move pass, and
// every write to a watched field brings them back exactly when it matters.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "sprites/ImageSprite.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {
namespace {

// A placed picture as the game has them: its step is the animation alone.
class TPicture final : public TImageSprite {
 public:
  TPicture(TSprite* parent, double x, double y) : TImageSprite(parent) {
    X = x;
    Y = y;
    Width = Height = 32;
  }
  bool StepIsIdle() const override { return AnimationIsIdle(); }
};

// Counts its steps and, when told to, does something to another sprite in its step.
class TActor : public TSprite {
 public:
  explicit TActor(TSprite* parent) : TSprite(parent) {}
  void OnMove(int32_t) override {
    ++Steps;
    if (Action) Action();
  }
  int Steps = 0;
  std::function<void()> Action;
};

TEST(RestingSprites, AStillPictureRestsAfterItsFirstStepAndAnAnimatedOneDoesNot) {
  TSpriteEngine root;
  auto* still = new TPicture(&root, 0, 0);
  auto* animated = new TPicture(&root, 64, 0);
  animated->FrameCount = 4;
  animated->Looping = true;
  animated->FrameSpeed = 0.25;
  new TActor(&root);
  root.Move(1);
  EXPECT_EQ(root.AwakeCount(), 2);  // the still picture rests
  EXPECT_EQ(still->FramePos, 0.0);
  for (int i = 0; i < 15; ++i) root.Move(1);
  EXPECT_DOUBLE_EQ(animated->FramePos, 0.0);  // 16 steps of a quarter frame over 4 frames: round again
  EXPECT_EQ(root.AwakeCount(), 2);
}

TEST(RestingSprites, AOneShotAnimationRestsWhenItReachesItsLastFrame) {
  TSpriteEngine root;
  auto* once = new TPicture(&root, 0, 0);
  once->FrameCount = 3;
  once->FrameSpeed = 1;
  root.Move(1);
  root.Move(1);
  EXPECT_EQ(root.AwakeCount(), 1);
  root.Move(1);  // clamps to the last frame and stops
  EXPECT_EQ(once->FramePos, 2.0);
  EXPECT_EQ(once->FrameSpeed, 0.0);
  root.Move(1);
  EXPECT_EQ(root.AwakeCount(), 0);
}

TEST(RestingSprites, WritingAnAnimationFieldWakesAPictureForItsNextStep) {
  TSpriteEngine root;
  auto* picture = new TPicture(&root, 0, 0);
  picture->FrameCount = 4;
  picture->Looping = true;
  root.Move(1);
  ASSERT_EQ(root.AwakeCount(), 0);
  picture->FrameSpeed = 1;  // between ticks, as a command would
  EXPECT_EQ(root.AwakeCount(), 1);
  root.Move(1);
  EXPECT_EQ(picture->FramePos, 1.0);
  picture->FrameSpeed = 0;
  root.Move(1);
  EXPECT_EQ(root.AwakeCount(), 0);
  picture->FramePos = 7.5;  // not a frame of a looping picture: the next step wraps it
  root.Move(1);
  EXPECT_EQ(picture->FramePos, 3.5);
}

TEST(RestingSprites, AWakeDuringThePassStepsThePictureOnlyWhenItComesLaterInTheOrder) {
  TSpriteEngine root;
  auto* before = new TPicture(&root, 0, 0);
  auto* actor = new TActor(&root);
  auto* after = new TPicture(&root, 64, 0);
  for (TPicture* p : {before, after}) {
    p->FrameCount = 10;
    p->Looping = true;
  }
  root.Move(1);
  ASSERT_EQ(root.AwakeCount(), 1);
  actor->Action = [&] {
    before->FrameSpeed = 1;
    after->FrameSpeed = 1;
    actor->Action = nullptr;
  };
  root.Move(1);
  // As in a walk over every child: the earlier picture has had its step of
  // this pass, the later one has its step after the actor's.
  EXPECT_EQ(before->FramePos, 0.0);
  EXPECT_EQ(after->FramePos, 1.0);
  root.Move(1);
  EXPECT_EQ(before->FramePos, 1.0);
  EXPECT_EQ(after->FramePos, 2.0);
}

TEST(RestingSprites, AChildGivenChildrenNeverRests) {
  TSpriteEngine root;
  auto* picture = new TPicture(&root, 0, 0);
  root.Move(1);
  ASSERT_EQ(root.AwakeCount(), 0);
  auto* inner = new TActor(picture);
  root.Move(1);
  EXPECT_EQ(inner->Steps, 1);
  root.Move(1);
  EXPECT_EQ(inner->Steps, 2);
}

TEST(RestingSprites, ARestingPictureMovedByAnotherSpriteIsFoundAtOnceAtItsNewPlace) {
  TSpriteEngine root;
  auto* wall = new TPicture(&root, 0, 0);
  auto* mover = new TActor(&root);
  auto* probe = new TActor(&root);
  probe->X = 400;
  probe->Y = 8;
  probe->Width = probe->Height = 4;
  root.Move(1);
  root.Move(1);
  ASSERT_EQ(root.Index().PlacedCount(), 3);  // the wall, the mover and the probe, all still
  int hits = -1;
  mover->Action = [&] {
    wall->X = 390;  // far, in the middle of the pass
    hits = probe->CheckCollisions();
  };
  root.Move(1);
  EXPECT_EQ(hits, 1);
  EXPECT_EQ(root.Index().PlacedCount(), 2);
}

TEST(RestingSprites, TheReferenceWalkStepsEveryChildAndSwitchingBackStartsOver) {
  TSpriteEngine root;
  auto* picture = new TPicture(&root, 0, 0);
  picture->FrameCount = 2;
  root.Move(1);
  ASSERT_EQ(root.AwakeCount(), 0);
  root.UseReferenceAlgorithms = true;
  picture->FrameSpeed = 1;
  root.Move(1);
  EXPECT_EQ(picture->FramePos, 1.0);
  root.UseReferenceAlgorithms = false;
  root.Move(1);  // clamps at the last frame and stops
  root.Move(1);
  EXPECT_EQ(root.AwakeCount(), 0);
  picture->FramePos = 0;
  picture->FrameSpeed = 1;
  root.Move(1);
  EXPECT_EQ(picture->FramePos, 1.0);
}

TEST(WatchedFields, ReadAndWriteLikeTheirValues) {
  TSpriteEngine root;
  auto* picture = new TPicture(&root, 1.5, 2);
  picture->X += 2;
  picture->Y -= 0.5;
  picture->Width *= 3;
  picture->Height /= 2;
  ++picture->FrameCount;
  picture->FrameCount++;
  EXPECT_EQ(picture->X, 3.5);
  EXPECT_EQ(picture->Y, 1.5);
  EXPECT_EQ(picture->Width, 96);
  EXPECT_EQ(picture->Height, 16);
  EXPECT_EQ(picture->FrameCount, 2);
  const double half = picture->X / 2;
  EXPECT_EQ(half, 1.75);
  auto* other = new TPicture(&root, 0, 0);
  other->X = picture->X;  // copies the value, not the field
  EXPECT_EQ(other->X, 3.5);
  picture->X = 0;
  EXPECT_EQ(other->X, 3.5);
}

}  // namespace
}  // namespace kestrilo

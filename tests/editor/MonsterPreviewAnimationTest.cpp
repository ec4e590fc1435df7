// The monster editor's frame player: the step per tick and the wrap of a
// walking monster's frames, and playing the states in turn.
#include <gtest/gtest.h>

#include <limits>

#include "editor/MonsterPreviewAnimation.h"

namespace kestrilo {
namespace {

TMonsterRecord Ranges(double animSpeed) {
  TMonsterRecord r;
  r.AnimSpeed = animSpeed;
  r.FrameRanges = {{{0, 4}, {8, 5}, {9, 9}, {2, 3}, {0, 1}, {0, 1}, {0, 1}, {6, 7}}};
  return r;
}

TEST(MonsterPreviewAnimationTest, ARisingRangeStepsBySpeedAndWrapsToItsFirstFrame) {
  TMonsterPreviewAnimation animation;
  animation.SetRecord(Ranges(125));  // 16 x 125 / 1000 = 2 frames a tick
  EXPECT_EQ(animation.Frame(), 0);
  animation.Tick();
  EXPECT_DOUBLE_EQ(animation.Position(), 2);
  animation.Tick();
  EXPECT_EQ(animation.Frame(), 4);  // the last frame is shown
  animation.Tick();                 // 6 is past the range: back to the first
  EXPECT_EQ(animation.Frame(), 0);
  EXPECT_EQ(animation.State(), 1);  // not in turn: the state stays
}

TEST(MonsterPreviewAnimationTest, AFallingRangePlaysDownwards) {
  TMonsterPreviewAnimation animation;
  animation.SetRecord(Ranges(62.5));  // one frame a tick
  animation.SetState(2);
  EXPECT_EQ(animation.Frame(), 8);
  animation.Tick();
  EXPECT_EQ(animation.Frame(), 7);
  animation.Tick();
  animation.Tick();
  EXPECT_EQ(animation.Frame(), 5);
  animation.Tick();
  EXPECT_EQ(animation.Frame(), 8);
}

TEST(MonsterPreviewAnimationTest, InTurnEachStateFollowsTheOneThatPlayedThrough) {
  TMonsterPreviewAnimation animation;
  animation.SetRecord(Ranges(62.5));
  animation.SetPlayInTurn(true);
  for (int i = 0; i < 5; ++i) animation.Tick();  // 0..4, then past the end
  EXPECT_EQ(animation.State(), 2);
  EXPECT_EQ(animation.Frame(), 8);
  for (int i = 0; i < 4; ++i) animation.Tick();
  EXPECT_EQ(animation.State(), 3);
  // State 3 has one frame: it is shown still for a while, then 4 follows.
  for (int i = 0; i < TMonsterPreviewAnimation::kStillStateTicks - 1; ++i) animation.Tick();
  EXPECT_EQ(animation.State(), 3);
  EXPECT_EQ(animation.Frame(), 9);
  animation.Tick();
  EXPECT_EQ(animation.State(), 4);
  animation.SetState(8);
  animation.Tick();
  animation.Tick();
  EXPECT_EQ(animation.State(), 1);  // 8 is followed by 1
}

TEST(MonsterPreviewAnimationTest, NoSpeedShowsTheFirstFrameAndStillMovesOnInTurn) {
  for (double speed : {0.0, std::numeric_limits<double>::quiet_NaN()}) {
    TMonsterPreviewAnimation animation;
    animation.SetRecord(Ranges(speed));
    animation.SetPlayInTurn(true);
    for (int i = 0; i < TMonsterPreviewAnimation::kStillStateTicks - 1; ++i) animation.Tick();
    EXPECT_EQ(animation.Frame(), 0) << speed;
    EXPECT_EQ(animation.State(), 1) << speed;
    animation.Tick();
    EXPECT_EQ(animation.State(), 2) << speed;
  }
}

TEST(MonsterPreviewAnimationTest, StatesOutsideOneToEightAreHeldInside) {
  TMonsterPreviewAnimation animation;
  animation.SetRecord(Ranges(1));
  animation.SetState(0);
  EXPECT_EQ(animation.State(), 1);
  animation.SetState(9);
  EXPECT_EQ(animation.State(), 8);
  EXPECT_EQ(animation.Frame(), 6);
}

}  // namespace
}  // namespace kestrilo

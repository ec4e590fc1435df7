#include <gtest/gtest.h>

#include <vector>

#include "platform/DXTimer.h"

using namespace kestrilo;

namespace {

struct TimerRig {
  uint32_t now = 0;
  std::vector<int32_t> lags;
  TDXTimer timer{[this] { return now; }};
  TimerRig(uint32_t start = 0) : now(start) {
    timer.OnTimer = [this](int32_t lag) { lags.push_back(lag); };
  }
};

}  // namespace

TEST(DXTimer, NewTimerDefaultsAndNeverNegativeInterval) {
  TimerRig rig;
  EXPECT_EQ(rig.timer.Interval(), 1000);
  EXPECT_TRUE(rig.timer.Enabled());
  EXPECT_TRUE(rig.timer.ActiveOnly());
  rig.timer.SetInterval(-5);
  EXPECT_EQ(rig.timer.Interval(), 0);
}

TEST(DXTimer, TicksAtMostEveryIntervalAndCarriesLagCount) {
  TimerRig rig;
  rig.timer.SetInterval(14);
  rig.timer.Start();
  rig.now = 13;
  EXPECT_FALSE(rig.timer.Idle());
  rig.now = 14;
  EXPECT_TRUE(rig.timer.Idle());
  rig.now = 54;  // 40 ms later
  EXPECT_TRUE(rig.timer.Idle());
  ASSERT_EQ(rig.lags.size(), 2u);
  EXPECT_EQ(rig.lags[0], 1);
  EXPECT_EQ(rig.lags[1], 2);  // 40 div 14
  EXPECT_EQ(rig.timer.MillisecondsUntilDue(), 14u);
}

TEST(DXTimer, IntervalZeroTicksEveryPassWithElapsedLag) {
  TimerRig rig;
  rig.timer.SetInterval(0);
  rig.timer.Start();
  EXPECT_TRUE(rig.timer.Idle());  // 0 ms elapsed still ticks, lag at least 1
  rig.now = 7;
  EXPECT_TRUE(rig.timer.Idle());
  EXPECT_EQ(rig.lags, (std::vector<int32_t>{1, 7}));
}

TEST(DXTimer, FramesPerSecondAfterAboutASecondWithHalvesToEven) {
  TimerRig rig;
  rig.timer.SetInterval(0);
  rig.timer.Start();
  for (int i = 1; i <= 70; ++i) {
    rig.now = static_cast<uint32_t>(i * 14);
    rig.timer.Idle();
    if (rig.now < 1000) {
      EXPECT_EQ(rig.timer.FramesPerSecond(), 0);
    }
  }
  // 72nd frame at 1008 ms: 72 frames... the update happens at the first tick with span >= 1000
  rig.now = 1000;
  rig.timer.Idle();
  // 71 frames in 1000 ms
  EXPECT_EQ(rig.timer.FramesPerSecond(), 71);
  // 5 frames in 2000 ms = 2.5 -> 2
  for (int i = 1; i <= 5; ++i) {
    rig.now = 1000 + static_cast<uint32_t>(i * 400);
    rig.timer.Idle();
  }
  EXPECT_EQ(rig.timer.FramesPerSecond(), 2);
}

TEST(DXTimer, ClockWrapIsHarmless) {
  TimerRig rig(0xFFFFFFF0u);
  rig.timer.SetInterval(14);
  rig.timer.Start();
  rig.now = 0xFFFFFFF0u + 20;  // wraps to 4
  EXPECT_TRUE(rig.timer.Idle());
  EXPECT_EQ(rig.lags.back(), 1);
}

TEST(DXTimer, ActiveOnlyPausesWhileInactiveAndKeepsFramesPerSecond) {
  TimerRig rig;
  rig.timer.SetInterval(0);
  rig.timer.Start();
  for (int i = 1; i <= 10; ++i) {
    rig.now = i * 110;
    rig.timer.Idle();
  }
  const int32_t fps = rig.timer.FramesPerSecond();
  EXPECT_EQ(fps, 9);  // 9 frames by 1100 ms... counted frames * 1000 / span
  rig.timer.SetApplicationActive(false);
  rig.now = 5000;
  EXPECT_FALSE(rig.timer.Idle());
  EXPECT_EQ(rig.timer.FramesPerSecond(), fps);
  rig.timer.SetApplicationActive(true);
  rig.now = 5001;
  EXPECT_TRUE(rig.timer.Idle());
  EXPECT_EQ(rig.lags.back(), 1);  // restarted at activation: last tick time is 5000
  rig.timer.SetActiveOnly(false);
  rig.timer.SetApplicationActive(false);
  rig.now = 5002;
  EXPECT_TRUE(rig.timer.Idle());
}

TEST(DXTimer, StartWhileInactiveWaitsAndStopEndsTicks) {
  TimerRig rig;
  rig.timer.SetInterval(0);
  rig.timer.SetApplicationActive(false);
  rig.timer.Start();
  EXPECT_TRUE(rig.timer.Started());
  EXPECT_FALSE(rig.timer.Idle());
  rig.timer.SetApplicationActive(true);
  EXPECT_TRUE(rig.timer.Idle());
  rig.timer.Stop();
  EXPECT_FALSE(rig.timer.Idle());
  rig.timer.SetEnabled(false);
  rig.timer.SetEnabled(true);
  EXPECT_TRUE(rig.timer.Idle());
}

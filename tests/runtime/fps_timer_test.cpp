#include "runtime/fps_timer.h"

#include <gtest/gtest.h>

#include "runtime/gamelib/gamelib.h"

namespace {

class FpsTimerTest : public ::testing::Test {
 protected:
  void SetUp() override { gamelib_test::UseVirtualClock(true, 10000); }
  void TearDown() override { gamelib_test::UseVirtualClock(false); }
};

TEST_F(FpsTimerTest, StretchesShortFramesAndNeverWaitsForLongOnes) {
  CFpsTimer timer;
  gamelib_test::AdvanceVirtualClock(5);  // 5 ms of work
  timer.Wait();
  EXPECT_EQ(GetNowCount(), 10016) << "a 5 ms frame waits 11 ms";

  gamelib_test::AdvanceVirtualClock(16);
  timer.Wait();
  EXPECT_EQ(GetNowCount(), 10032) << "16 ms of work: no wait";

  gamelib_test::AdvanceVirtualClock(40);
  timer.Wait();
  EXPECT_EQ(GetNowCount(), 10072) << "a slow frame is not made up for";

  timer.Wait();
  EXPECT_EQ(GetNowCount(), 10088);
  EXPECT_EQ(timer.GetFrameCount(), 4);
}

TEST_F(FpsTimerTest, MeasuresFramesPerSecondOverThreeSecondSamples) {
  CFpsTimer timer;
  // Until the first sample is complete the rate reads 60.
  for (int i = 0; i < 100; ++i) timer.Wait();
  EXPECT_DOUBLE_EQ(timer.GetFps(), 60.0);
  // 16 ms frames: the sample closes on the frame that reaches 3000 ms.
  while (timer.GetFps() == 60.0) timer.Wait();
  EXPECT_NEAR(timer.GetFps(), 62.33, 0.01);  // 187 frames in the first 3 s sample / 3
}

TEST_F(FpsTimerTest, ResetForgetsTimeSpentOutsideFrames) {
  CFpsTimer timer;
  gamelib_test::AdvanceVirtualClock(500);  // a long load
  timer.ResetTimer();
  timer.Wait();
  EXPECT_EQ(GetNowCount(), 10516);
}

}  // namespace

#include "gfx/time_limit_object.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/stage.h"
#include "gfx/stage_actor.h"

namespace {

class CTimeLimitObjectTest : public testing::Test {
 protected:
  CTimeLimitObject Countdown(int frames) {
    CTimeLimitObject c(&target, frames, [this](CStageActor& t) {
      EXPECT_EQ(&t, &target);
      log.push_back("end");
    });
    c.SetOnUpdate([this](CTimeLimitObject& self, CStageActor& t) {
      EXPECT_EQ(&t, &target);
      log.push_back("update " + std::to_string(self.GetElapsed()));
    });
    return c;
  }

  CStage stage;
  CStageActor target{stage, SDrawData(1), {0, 0}};
  std::vector<std::string> log;
};

TEST_F(CTimeLimitObjectTest, UpdatesEveryFrameAndEndsOnTheLast) {
  CTimeLimitObject c = Countdown(3);
  for (int i = 0; i < 5; ++i) c.Update();
  EXPECT_EQ(log, (std::vector<std::string>{"update 0", "update 1", "update 2", "end"}));
  EXPECT_TRUE(c.IsEnd());
  EXPECT_EQ(c.GetElapsed(), 3);
  EXPECT_EQ(c.GetRemaining(), 0);
}

TEST_F(CTimeLimitObjectTest, TerminateEndsWithoutTheEndCallback) {
  CTimeLimitObject c = Countdown(3);
  c.Update();
  c.Terminate();
  EXPECT_TRUE(c.IsEnd());
  c.Update();
  c.Update();
  EXPECT_EQ(log, std::vector<std::string>{"update 0"});

  // Terminated from its own update callback: that frame is not counted.
  CTimeLimitObject self(&target, 1, [this](CStageActor&) { log.push_back("end"); });
  self.SetOnUpdate([](CTimeLimitObject& c2, CStageActor&) { c2.Terminate(); });
  self.Update();
  EXPECT_EQ(self.GetElapsed(), 0);
  EXPECT_EQ(log.back(), "update 0");
}

TEST_F(CTimeLimitObjectTest, NoTargetOrNoFramesCallsNothing) {
  CTimeLimitObject none = Countdown(2);
  none.SetTarget(nullptr);
  none.Update();
  none.Update();
  EXPECT_TRUE(none.IsEnd()) << "still counts down";
  CTimeLimitObject empty = Countdown(0);
  EXPECT_TRUE(empty.IsEnd());
  empty.Update();
  EXPECT_TRUE(log.empty());
}

}  // namespace

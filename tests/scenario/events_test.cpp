// The events of a story scene, frame by frame, on hand-counted positions.
#include "scenario/events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "event_stage_test.h"
#include "field/enemy.h"
#include "field/geographical_features.h"
#include "gfx/call_recording.h"
#include "runtime/gamelib/gamelib.h"

namespace {

TEST_F(EventStageTest, AWalkTurnsToEachStepUnlessItsFacingIsFixed) {
  for (const bool fixed : {true, false}) {
    SCOPED_TRACE(fixed);
    auto stage = Scene(
        "<script><bundler><sequence><event type=\"LoadMapCsv\" csvPath=\"dat/map/map00.csv\"/></sequence></bundler>"
        "<bundler><sequence>" + Knight("k", {2, 3}, "UP") + "<event type=\"Move\" unitTag=\"k\" directionFixed=\"" +
        (fixed ? "true" : "false") + "\"><direction repeat=\"2\">RIGHT</direction></event></sequence></bundler></script>");
    Frames(*stage, 2);  // the map; the unit joins and the walk starts
    EXPECT_GT(stage->GetMap()->width, 0);
    CUnit& k = *stage->state.FindByKey("k");
    EXPECT_EQ(std::tuple(k.name, k.hp, k.maxHp, k.team, k.charactor), std::tuple("k", 10, 10, 0, ECharactor::KNIGHT));
    auto& actor = dynamic_cast<CEnemy&>(*k.actor);
    const EDirection4 facing = fixed ? EDirection4::UP : EDirection4::RIGHT;
    Frames(*stage, 12);
    EXPECT_EQ(actor.position, SPointD(110.0, 112.0)) << "2.5 pixels a frame from x 80";
    EXPECT_EQ(k.grid, SPoint(2, 3));
    EXPECT_EQ(k.direction, facing);
    EXPECT_EQ(actor.GetDrawStrategy().GetDirection4(), facing);
    Frame(*stage);
    EXPECT_EQ(actor.position.x, 112.0) << "set onto the cell's centre in the 13th frame";
    EXPECT_EQ(k.grid, SPoint(3, 3));
    Frames(*stage, 12);
    EXPECT_FALSE(Player(*stage).IsFinished());
    Frame(*stage);
    EXPECT_EQ(actor.position, SPointD(144.0, 112.0));
    EXPECT_EQ(k.grid, SPoint(4, 3));
    EXPECT_EQ(k.direction, facing);
    EXPECT_TRUE(Player(*stage).IsFinished());
  }
}

TEST_F(EventStageTest, AHopRisesThirtyPixelsInTenFramesAndLandsInTwentyThenTheUnitTurns) {
  auto stage = Scene(OneSequence(Knight("k", {1, 1}) + "<event type=\"Jump\" unitTag=\"k\"/>" +
                                 "<event type=\"Turn\" unitTag=\"k\" direction=\"down\"/>"));
  Frame(*stage);
  const CUnit& k = *stage->state.FindByKey("k");
  Frames(*stage, 10);
  EXPECT_EQ(k.actor->drawOffset.y, -30.0);
  Frames(*stage, 9);
  EXPECT_EQ(k.actor->drawOffset.y, -3.0);
  Frame(*stage);
  EXPECT_EQ(std::pair(k.actor->drawOffset.y, k.direction), std::pair(0.0, EDirection4::LEFT));
  Frame(*stage);
  EXPECT_EQ(k.direction, EDirection4::DOWN) << "in the turn's first frame";
  EXPECT_TRUE(Player(*stage).IsFinished());
}

TEST_F(EventStageTest, TheCameraPansAtItsSpeedJumpsWhenNegativeAndLandsAtOnceWhenStill) {
  struct Case {
    const char* speed;
    int frames;        // until the event ends
    SPointD afterOne;  // the camera after the first frame
  };
  for (const Case& c : std::vector<Case>{{"2", 40, {322.0, 240.0}}, {"-1", 1, {400.0, 240.0}}, {"0", 1, {400.0, 240.0}}}) {
    SCOPED_TRACE(c.speed);
    auto stage = Scene(OneSequence(std::string("<event type=\"MoveCamera\" targetX=\"400\" targetY=\"240\" speed=\"") +
                                   c.speed + "\"/>"));
    Frame(*stage);
    EXPECT_EQ(stage->GetCameraPosition(), c.afterOne);
    Frames(*stage, c.frames - 2);
    EXPECT_EQ(Player(*stage).IsFinished(), c.frames == 1);
    if (c.frames > 1) Frame(*stage);
    EXPECT_TRUE(Player(*stage).IsFinished());
    EXPECT_EQ(stage->GetCameraPosition(), SPointD(400.0, 240.0));
  }
}

// The open cases: each event ends in its first frame, the next one starts
// at once, and a fault in the script's world is one line on stderr.
TEST_F(EventStageTest, EventsThatCannotDoTheirWorkEndAtOnceAndTheStoryGoesOn) {
  struct Case {
    std::string event;
    const char* said;  // on stderr, or nothing
  };
  const std::vector<Case> cases = {
      {"<event type=\"Move\" unitTag=\"ghost\"><direction>UP</direction></event>", "no unit tagged 'ghost'"},
      {"<event type=\"Jump\" unitTag=\"ghost\"/>", "no unit tagged 'ghost'"},
      {"<event type=\"Turn\" unitTag=\"ghost\"/>", "no unit tagged 'ghost'"},
      {"<event type=\"Emotion\" unitTag=\"\"/>", "no unit tagged ''"},
      {"<event type=\"RemoveUnit\" unitTag=\"ghost\"/>", "no unit tagged 'ghost'"},
      {"<event type=\"Move\" unitTag=\"m\" speed=\"0\"><direction>UP</direction></event>", nullptr},
      {"<event type=\"Move\" unitTag=\"m\" speed=\"-2\"><direction>UP</direction></event>", nullptr},
      {"<event type=\"Move\" unitTag=\"m\"/>", nullptr},
      {"<event type=\"Say\" unitTag=\"m\"/>", nullptr},
      {"<event type=\"AppendUnit\" unitTag=\"x\" imagePath=\"dat/image/ziki/none.png\"/>",
       "the unit 'x' stays off the map: The unit sprite sheet \"dat/image/ziki/none.png\" could not be loaded"},
      {"<event type=\"LoadMapCsv\" csvPath=\"dat/map/none.csv\"/>",
       "the map stays as it was: map file 'dat/map/none.csv' cannot be opened"},
      {"<event type=\"BGM\" filePath=\"dat/bgm/bgml019.mp3\"/>", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.event);
    auto stage = Scene("<script><bundler><sequence>" + Knight("m", {0, 0}) + "</sequence></bundler><bundler><sequence>" +
                       c.event + Knight("after", {1, 1}) + "</sequence></bundler></script>");
    Frame(*stage);  // m joins
    testing::internal::CaptureStderr();
    Frame(*stage);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(stage->state.FindByKey("after"), nullptr) << "the next event started in the same frame";
    EXPECT_EQ(stage->state.FindByKey("x"), nullptr);
    EXPECT_EQ(stage->state.FindByKey("m")->grid, SPoint(0, 0));
    if (c.said) {
      EXPECT_NE(said.find(c.said), std::string::npos) << said;
      EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    } else {
      EXPECT_EQ(said, "");
    }
    EXPECT_EQ(stage->GetMap()->width, 0) << "no map yet";
  }
}

TEST(EventTransition, BarsCloseAndOpenInSixPixelStepsAndFadesReachFullIn45Frames) {
  const std::string black = std::to_string(GetColor(0, 0, 0));
  const std::string white = std::to_string(GetColor(255, 255, 255));
  struct Case {
    ETransition kind;
    int n;
    std::vector<std::string> calls;
  };
  const std::vector<Case> cases = {
      {ETransition::WIPEOUT, 10, {"DrawBox(0,0,640,60," + black + ",1)", "DrawBox(0,420,640,480," + black + ",1)"}},
      {ETransition::WIPEIN, 10, {"DrawBox(0,0,640,180," + black + ",1)", "DrawBox(0,300,640,480," + black + ",1)"}},
      {ETransition::BLACKOUT,
       10,
       {"SetDrawBlendMode(1,56)", "DrawBox(0,0,640,480," + black + ",1)", "SetDrawBlendMode(0,0)"}},
      {ETransition::BLACKIN, 1, {"SetDrawBlendMode(1,249)", "DrawBox(0,0,640,480," + black + ",1)", "SetDrawBlendMode(0,0)"}},
      {ETransition::WHITEOUT, 45, {"SetDrawBlendMode(1,255)", "DrawBox(0,0,640,480," + white + ",1)", "SetDrawBlendMode(0,0)"}},
      {ETransition::WHITEIN, 45, {"SetDrawBlendMode(1,0)", "DrawBox(0,0,640,480," + white + ",1)", "SetDrawBlendMode(0,0)"}},
  };
  for (const Case& c : cases) {
    CCallRecording recording;
    DrawTransition(c.kind, c.n);
    EXPECT_EQ(recording.Calls(), c.calls) << static_cast<int>(c.kind) << " at " << c.n;
  }
}

}  // namespace

// The story player: bundlers one after another, sequences side by side,
// restarting with F1, leaving with Esc and chaining to the next script.
#include "scenario/event_strategy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "battle/cursor.h"
#include "event_stage_test.h"
#include "field/enemy.h"
#include "runtime/gamelib/gamelib.h"
#include "ui/dialog.h"

namespace {

TEST_F(EventStageTest, ASequenceStartingAtFrame30JoinsThirtyFramesAfterTheBundlersFirstFrame) {
  auto stage = Scene("<script><bundler><sequence><event type=\"Wait\" frame=\"100\"/></sequence>"
                     "<sequence startFrame=\"30\">" +
                     Knight("late", {1, 1}) + "<event type=\"Wait\" frame=\"9\"/></sequence></bundler></script>");
  const CEventSequence& late = *Player(*stage).GetBundlers().at(0)->GetSequences().at(1);
  Frames(*stage, 30);
  EXPECT_FALSE(late.IsStarted());
  EXPECT_TRUE(stage->state.units.empty());
  Frame(*stage);
  EXPECT_TRUE(late.IsStarted());
  ASSERT_EQ(stage->state.units.size(), 1u);
  EXPECT_EQ(stage->state.units[0]->key, "late");
}

TEST_F(EventStageTest, AWaitOfNoFramesIsDroppedInTheSequencesFirstFrame) {
  auto stage = Scene(OneSequence("<event type=\"Wait\" frame=\"0\"/>" + Knight("k", {2, 2}) +
                                 "<event type=\"Wait\"/><event type=\"Wait\" frame=\"-5\"/>"
                                 "<event type=\"Transition\" transitionType=\"BLACKOUT\"/>"));
  CStageStrategy_Event& player = Player(*stage);
  Frame(*stage);
  EXPECT_EQ(stage->state.units.size(), 1u) << "the unit joins in the first frame";
  EXPECT_EQ(player.GetFinishedEventCount(), 3) << "the three waits";
  Frame(*stage);
  // Queued after the flush by the overlay: the next frame paints it over the whole queue.
  ASSERT_EQ(stage->GetDrawQueue().GetEntries().size(), 1u);
  EXPECT_EQ(stage->GetDrawQueue().GetEntries()[0].priority, 10000);
  Frames(*stage, 45);
  EXPECT_FALSE(player.IsFinished()) << "the unit's event ends in frame 2, the fade takes frames 3 to 48";
  Frame(*stage);
  EXPECT_TRUE(player.IsFinished());
  EXPECT_TRUE(stage->GetDrawQueue().GetEntries().empty()) << "nothing of the fade after its last frame";
  EXPECT_EQ(player.GetFinishedEventCount(), 5);
}

TEST_F(EventStageTest, F1PlaysTheScriptAgainOnAnEmptyMapAndEscGoesToTheTitle) {
  auto stage = Scene("<script><bundler><sequence><event type=\"Wait\" frame=\"5\"/>" + Knight("k", {1, 1}) +
                     "</sequence></bundler><bundler><sequence><event type=\"Move\" unitTag=\"k\">"
                     "<direction repeat=\"4\">RIGHT</direction></event></sequence></bundler></script>");
  CStageStrategy_Event& player = Player(*stage);
  Frames(*stage, 10);
  ASSERT_EQ(stage->state.units.size(), 1u);
  EXPECT_GT(stage->state.units[0]->actor->position.x, 48.0) << "walking";
  EXPECT_EQ(player.GetFinishedBundlerCount(), 1);

  Frame(*stage, {EGameKey::F1});
  EXPECT_TRUE(stage->state.units.empty());
  EXPECT_TRUE(stage->unitActors.empty());
  EXPECT_EQ(player.GetBundlers().size(), 2u) << "from the first bundler";
  EXPECT_EQ(player.GetFinishedBundlerCount(), 1) << "counted over restarts";
  Frames(*stage, 3);
  EXPECT_TRUE(stage->state.units.empty()) << "the wait runs again";
  Frame(*stage);
  ASSERT_EQ(stage->state.units.size(), 1u);
  EXPECT_EQ(stage->state.units[0]->actor->position, SPointD(48.0, 48.0)) << "back at its first cell";

  EXPECT_EQ(titlesMade, 0);
  Frame(*stage, {EGameKey::ESCAPE});
  EXPECT_EQ(titlesMade, 1);
}

TEST_F(EventStageTest, AUnitThatLeftTheMapLivesOnForTheWalkStillHoldingIt) {
  auto stage = Scene("<script><bundler><sequence>" + Knight("k", {2, 2}) +
                     "</sequence></bundler><bundler><sequence><event type=\"Move\" unitTag=\"k\">"
                     "<direction repeat=\"3\">RIGHT</direction></event></sequence><sequence startFrame=\"5\">"
                     "<event type=\"RemoveUnit\" unitTag=\"k\"/><event type=\"Jump\" unitTag=\"k\"/></sequence>"
                     "</bundler></script>");
  Frame(*stage);
  const CUnit* k = stage->state.FindByKey("k");
  ASSERT_NE(k, nullptr);
  Frames(*stage, 6);
  EXPECT_TRUE(stage->state.units.empty());
  EXPECT_TRUE(stage->unitActors.empty());
  EXPECT_FALSE(Player(*stage).IsFinished()) << "the walk goes on";
  Frames(*stage, 40);
  EXPECT_TRUE(Player(*stage).IsFinished());
  EXPECT_EQ(k->grid, SPoint(5, 2));
  EXPECT_FALSE(k->actor->IsAlive());
}

TEST_F(EventStageTest, AFinishedScriptHandsOverToItsNextAndAMissingNextIsReported) {
  const std::string third = Write(OneSequence(Knight("c", {3, 3}), "nextScriptPath=\"" + scripts.Path("none.xml") + "\""),
                                  "third.xml");
  const std::string second =
      Write(OneSequence("<event type=\"Wait\" frame=\"3\"/>" + Knight("b", {2, 2}), "nextScriptPath=\"" + third + "\""),
            "second.xml");
  auto stage = Scene(OneSequence(Knight("a", {1, 1}), "nextScriptPath=\"" + second + "\""), "first.xml");
  CStageStrategy_Event& player = Player(*stage);
  Frame(*stage);
  EXPECT_EQ(player.GetCurrentPath(), second) << "the first script ends in its first frame";
  EXPECT_EQ(player.GetNextPath(), third);
  EXPECT_TRUE(stage->state.units.empty()) << "a new script starts on an empty map";
  Frames(*stage, 3);
  ASSERT_EQ(stage->state.units.size(), 1u);
  EXPECT_EQ(stage->state.units[0]->key, "b");
  EXPECT_EQ(player.GetLoadFault(), "");

  testing::internal::CaptureStderr();
  Frames(*stage, 2);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(player.GetCurrentPath(), scripts.Path("none.xml"));
  EXPECT_TRUE(player.IsFinished());
  EXPECT_EQ(player.GetFinishedBundlerCount(), 3);
  EXPECT_EQ(player.GetFinishedEventCount(), 4);
  EXPECT_EQ(player.GetLoadFault(), "event script '" + scripts.Path("none.xml") + "': there is no such file");
  EXPECT_NE(said.find(player.GetLoadFault()), std::string::npos);
  EXPECT_TRUE(stage->state.units.empty());

}

TEST_F(EventStageTest, ASceneStartsEmptyAndAScriptThatCannotBeLoadedChangesNothing) {
  auto stage = Scene(OneSequence(Knight("a", {1, 1}) + "<event type=\"Wait\" frame=\"50\"/>"));
  EXPECT_EQ(stage->GetCameraPosition(), SPointD(320.0, 240.0));
  EXPECT_EQ(std::tuple(stage->cursor->visible, stage->overlay, stage->showCheapStatus), std::tuple(false, false, false));
  EXPECT_TRUE(stage->state.units.empty());
  CStageStrategy_Event& player = Player(*stage);
  Frame(*stage);
  const std::string broken = Write(OneSequence(Knight("b", {2, 2}) + "<event type=\"Wiat\"/>"), "broken.xml");
  EXPECT_THROW(player.Load(broken), CEventScriptError);
  EXPECT_EQ(player.GetCurrentPath(), scripts.Path("scene.xml"));
  EXPECT_EQ(player.GetBundlers().size(), 1u);
  EXPECT_EQ(stage->state.units.size(), 1u);
  EXPECT_THROW(CreateEventStage(broken), CEventScriptError);
}

// Every story the game ships plays to its end, DECIDE pressed whenever a
// talk window waits (and released in between, as a player would). A story
// that its forerunner chained to has been played with it. Every tenth frame
// is drawn, with the drawing calls made but no pixels rasterised.
TEST_F(EventStageTest, EveryShippedStoryPlaysToItsEnd) {
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("dat/script/event/", ec)) {
    if (entry.path().extension() == ".xml") files.push_back(entry.path().generic_string());
  }
  std::sort(files.begin(), files.end());
  constexpr int kFrameLimit = 60 * 60 * 10;
  constexpr int kDrawEvery = 10;  // the map costs a debug build dearly
  std::set<std::string> played;
  gamelib_test::SetRasterising(false);
  for (const std::string& file : files) {
    if (played.contains(file)) continue;
    SCOPED_TRACE(file);
    std::unique_ptr<CStage> stage;
    ASSERT_NO_THROW(stage = CreateEventStage(file));
    CStageStrategy_Event& player = Player(*stage);
    bool pressed = false;
    int frames = 0;
    while (!player.IsFinished() && frames < kFrameLimit) {
      played.insert(player.GetCurrentPath());
      pressed = !pressed && player.IsTalkWaiting();
      Frame(*stage, pressed ? std::initializer_list<EGameKey>{EGameKey::DECIDE} : std::initializer_list<EGameKey>{},
            frames % kDrawEvery == 0);
      ++frames;
    }
    EXPECT_TRUE(player.IsFinished()) << "still playing " << player.GetCurrentPath() << " after " << frames;
    EXPECT_EQ(player.GetLoadFault(), "");
    EXPECT_GT(player.GetFinishedEventCount(), 0);
  }
  gamelib_test::SetRasterising(true);
}

}  // namespace

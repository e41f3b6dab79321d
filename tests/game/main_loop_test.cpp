#include "game/main_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/sound_manager.h"
#include "assets/temp_tree.h"
#include "persist/option_info.h"
#include "runtime/fps_timer.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "runtime/scene.h"

namespace {

std::vector<std::string> steps;

// A scene that logs its steps and can be told to ask for a successor or to
// quit during one of them.
class ScriptedScene : public CScene {
 public:
  explicit ScriptedScene(std::string name) : name(std::move(name)) {}
  ~ScriptedScene() override { steps.push_back(name + ".destroyed"); }
  void ProcessInput() override { Step("ProcessInput"); }
  void Update() override { Step("Update"); }
  void Draw() override { Step("Draw"); }

  std::string switchDuring;  // step in which to ask for the next scene
  std::string quitDuring;

 private:
  void Step(const std::string& step) {
    steps.push_back(name + "." + step);
    if (step == switchDuring) SetNextScene(std::make_unique<ScriptedScene>(name + "'"));
    if (step == quitDuring) quitRequested = true;
  }
  std::string name;
};

class MainLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    steps.clear();
    gamelib_test::UseVirtualClock(true, 0);
    gamelib_test::RequestClose(false);
    quitRequested = false;
    keyManager = std::make_unique<CKeyManager>(options.joypadAssign);
    soundManager = std::make_unique<CSoundManager>(false);
    fpsTimer = std::make_unique<CFpsTimer>(true);
  }
  void TearDown() override {
    ReleaseGlobals();
    gamelib_test::RequestClose(false);
    gamelib_test::UseVirtualClock(false);
    quitRequested = false;
  }
  ScriptedScene& Start(const char* name) {
    auto scene = std::make_unique<ScriptedScene>(name);
    ScriptedScene& ref = *scene;
    currentScene = std::move(scene);
    return ref;
  }
  COptionInfo options;
};

TEST_F(MainLoopTest, ASuccessorAskedForInInputRunsItsUpdateInTheSameFrame) {
  Start("title").switchDuring = "ProcessInput";
  EXPECT_TRUE(RunFrame());
  EXPECT_EQ(steps, (std::vector<std::string>{"title.ProcessInput", "title.destroyed", "title'.Update",
                                             "title'.Draw"}));
  EXPECT_EQ(GetNowCount(), 16) << "the frame is paced to 16 ms";
}

TEST_F(MainLoopTest, ASuccessorAskedForInDrawTakesOverAfterTheNextInputStep) {
  Start("camp").switchDuring = "Draw";
  RunFrame();
  RunFrame();
  EXPECT_EQ(steps, (std::vector<std::string>{"camp.ProcessInput", "camp.Update", "camp.Draw", "camp.ProcessInput",
                                             "camp.destroyed", "camp'.Update", "camp'.Draw"}));
}

TEST_F(MainLoopTest, AClosedWindowEndsTheLoopBeforeTheFrameRuns) {
  Start("battle");
  gamelib_test::RequestClose();
  EXPECT_FALSE(RunFrame());
  EXPECT_TRUE(steps.empty());
}

TEST_F(MainLoopTest, QuittingFinishesAndShowsTheCurrentFrame) {
  Start("title").quitDuring = "Update";
  gamelib_test::StartRecording();
  EXPECT_FALSE(RunFrame());
  gamelib_test::StopRecording();
  EXPECT_EQ(steps.back(), "title.Draw");
  const auto& calls = gamelib_test::RecordedCalls();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "ScreenFlip()"), calls.end());
  gamelib_test::ClearRecordedCalls();
}

TEST(ReplayFiles, AreDeletedAtTheEndOfARun) {
  // A scratch data folder: no test touches the game's own dat/.
  const CTempTree data("replay");
  data.Write("replay/replay.dat", "x");
  data.Write("replay/replay_key.dat", "y");
  data.Write("replay/keep.dat", "z");
  DeleteReplayFiles(data.Path(""));
  EXPECT_FALSE(std::filesystem::exists(data.Path("replay/replay.dat")));
  EXPECT_FALSE(std::filesystem::exists(data.Path("replay/replay_key.dat")));
  EXPECT_TRUE(std::filesystem::exists(data.Path("replay/keep.dat")));
  DeleteReplayFiles(data.Path(""));  // none there: still fine
}

}  // namespace

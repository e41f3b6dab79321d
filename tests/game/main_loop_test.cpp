#include "game/main_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/sound_manager.h"
#include "assets/temp_tree.h"
#include "game/screenshot.h"
#include "gfx/call_recording.h"
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
  void Update() override {
    Step("Update");
    if (soundOnUpdate >= 0) soundManager->PlaySE(soundOnUpdate);
  }
  void Draw() override {
    Step("Draw");
    if (fill != 0 && fillsScreen) DrawBox(0, 0, 640, 480, fill, TRUE);
    if (fill != 0 && !fillsScreen) DrawBox(100, 100, 200, 200, fill, TRUE);
  }
  bool CanFastForward() const override { return playsOnItsOwn; }

  std::string switchDuring;  // step in which to ask for the next scene
  std::string quitDuring;
  bool playsOnItsOwn = false;
  int soundOnUpdate = -1;  // a sound effect started by every update
  unsigned int fill = 0;   // the colour of a box drawn in every frame
  bool fillsScreen = false;  // the box is the whole screen

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

int CountSteps(const std::string& step) { return static_cast<int>(std::count(steps.begin(), steps.end(), step)); }

TEST_F(MainLoopTest, HoldingSpaceOrStartGivesASceneThatPlaysOnItsOwnFourUpdatesPerFrame) {
  struct SCase {
    const char* what;
    int key;            // keyboard key held, 0 for none
    int padBits;        // joypad buttons held
    bool playsOnItsOwn;
    const char* switchDuring;
    const char* quitDuring;
    int updates;        // of the first scene in the frame
  };
  const SCase cases[] = {
      {"no key",                           0,                0,           true,  "",       "",       1},
      {"Space",                            KEY_INPUT_SPACE,  0,           true,  "",       "",       4},
      {"Start on the joypad",              0,                PAD_INPUT_8, true,  "",       "",       4},
      {"left Shift is another button",     KEY_INPUT_LSHIFT, 0,           true,  "",       "",       1},
      {"Space while the player is asked",  KEY_INPUT_SPACE,  0,           false, "",       "",       1},
      {"Space, a successor asked for",     KEY_INPUT_SPACE,  0,           true,  "Update", "",       1},
      {"Space, the game asked to end",     KEY_INPUT_SPACE,  0,           true,  "",       "Update", 1},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.what);
    steps.clear();
    quitRequested = false;
    ScriptedScene& scene = Start("battle");
    scene.playsOnItsOwn = c.playsOnItsOwn;
    scene.switchDuring = c.switchDuring;
    scene.quitDuring = c.quitDuring;
    gamelib_test::ClearInjectedInput();
    if (c.key != 0) gamelib_test::SetKeyDown(c.key, true);
    gamelib_test::SetJoypadBits(c.padBits);
    RunFrame();
    EXPECT_EQ(CountSteps("battle.Update"), c.updates);
    EXPECT_EQ(CountSteps("battle.ProcessInput"), 1) << "the player's input is read once a frame";
    EXPECT_EQ(CountSteps("battle'.Update"), 0) << "a successor starts in the next frame";
  }
  gamelib_test::ClearInjectedInput();
}

// Starts the game library for the tests that hear or see a frame.
class MainLoopLibraryTest : public MainLoopTest {
 protected:
  void SetUp() override {
    SetGraphMode(640, 480, 32, 60);
    ASSERT_EQ(GameLib_Init(), 0) << GameLib_GetLastError();
    MainLoopTest::SetUp();
  }
  void TearDown() override {
    gamelib_test::ClearInjectedInput();
    game_test::SetScreenshotFolder("screenshots");
    MainLoopTest::TearDown();
    GameLib_End();
  }
  std::vector<std::filesystem::path> Pictures(const std::string& folder) const {
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(tree.Path(folder), ec)) found.push_back(entry.path());
    return found;
  }
  CTempTree tree{"main_loop"};
};

TEST_F(MainLoopLibraryTest, ASoundEffectStartedInEveryFastUpdatePlaysOncePerDrawnFrame) {
  tree.Copy("dat/sound/cursor_01.wav", "sound/cursor_01.wav");
  soundManager = std::make_unique<CSoundManager>(true, tree.Dir() + "sound/", tree.Dir() + "bgm/");
  const std::string play = "PlaySoundMem(" + std::to_string(soundManager->GetSEHandle(SE_CURSOR_01)) + ",";
  ScriptedScene& scene = Start("battle");
  scene.playsOnItsOwn = true;
  scene.soundOnUpdate = SE_CURSOR_01;
  gamelib_test::SetKeyDown(KEY_INPUT_SPACE, true);
  CCallRecording rec;
  RunFrame();
  RunFrame();
  const auto calls = rec.Calls();
  EXPECT_EQ(CountSteps("battle.Update"), 8);
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(play, 0) == 0; }),
            2);
}

TEST_F(MainLoopLibraryTest, F12SavesTheDrawnFrameOncePerPushAsA640By480Png) {
  game_test::SetScreenshotFolder(tree.Path("shots"));
  Start("title").fill = GetColor(255, 0, 0);
  RunFrame();
  EXPECT_FALSE(std::filesystem::exists(tree.Path("shots"))) << "the folder is made when a picture needs it";

  gamelib_test::SetKeyDown(KEY_INPUT_F12, true);
  RunFrame();
  RunFrame();  // still held: no second picture
  ASSERT_EQ(Pictures("shots").size(), 1u);
  gamelib_test::SetKeyDown(KEY_INPUT_F12, false);
  RunFrame();
  gamelib_test::SetKeyDown(KEY_INPUT_F12, true);
  RunFrame();
  const auto pictures = Pictures("shots");
  ASSERT_EQ(pictures.size(), 2u) << "a second push, a second file, even within one millisecond";
  EXPECT_EQ(pictures[0].extension(), ".png");

  const int handle = LoadGraph(pictures[0].string().c_str());
  ASSERT_GT(handle, 0);
  int w = 0;
  int h = 0;
  GetGraphSize(handle, &w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  ClsDrawScreen();
  DrawGraph(0, 0, handle, FALSE);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(150, 150), 0xff0000u) << "the scene's box is in the picture";
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(50, 50), 0x000000u);
  DeleteGraph(handle);
}

TEST_F(MainLoopLibraryTest, AScreenshotFolderThatCannotBeMadeIsOneLineOnStderrAndTheGameGoesOn) {
  tree.Write("in_the_way");  // a file where a folder would have to be
  game_test::SetScreenshotFolder(tree.Path("in_the_way/shots"));
  Start("camp");
  RunFrame();
  gamelib_test::SetKeyDown(KEY_INPUT_F12, true);
  testing::internal::CaptureStderr();
  EXPECT_TRUE(RunFrame());
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("screenshot not saved"), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_TRUE(RunFrame());
  EXPECT_EQ(CountSteps("camp.Draw"), 3);
}

TEST_F(MainLoopLibraryTest, F12AnswersInACornerForTwoSecondsAndTheAnswerIsNotInThePicture) {
  const struct {
    const char* what;
    const char* folder;
    const char* says;  // the note's beginning
  } cases[] = {
      {"saved",                     "shots",            "screenshot saved: "},
      {"a file in the folder's way", "in_the_way/shots", "screenshot failed: the folder "},
  };
  tree.Write("in_the_way");
  CreateFonts();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    game_test::SetScreenshotFolder(tree.Path(c.folder));
    ScriptedScene& scene = Start("title");
    scene.fill = GetColor(255, 0, 0);
    scene.fillsScreen = true;
    RunFrame();
    CCallRecording rec;
    gamelib_test::SetKeyDown(KEY_INPUT_F12, true);
    testing::internal::CaptureStderr();
    RunFrame();
    testing::internal::GetCapturedStderr();
    gamelib_test::SetKeyDown(KEY_INPUT_F12, false);
    std::string note;  // a long one wraps
    for (const std::string& line : rec.DrawnTexts()) note += line;
    EXPECT_TRUE(note.starts_with(c.says)) << note;
    EXPECT_NE(gamelib_test::GetBackBufferPixel(630, 10), 0xff0000u) << "the top right corner";
    EXPECT_EQ(gamelib_test::GetBackBufferPixel(10, 470), 0xff0000u) << "and nowhere else";

    const auto pictures = Pictures("shots");
    if (std::string(c.folder) == "shots") {
      ASSERT_EQ(pictures.size(), 1u);
      EXPECT_EQ(note, "screenshot saved: " + pictures[0].string());
      const int handle = LoadGraph(pictures[0].string().c_str());
      ClsDrawScreen();
      DrawGraph(0, 0, handle, FALSE);
      EXPECT_EQ(gamelib_test::GetBackBufferPixel(630, 10), 0xff0000u) << "the picture is the scene's alone";
      DeleteGraph(handle);
    }
    // The F12 frame and 119 more: about two seconds.
    int shown = 1;
    for (int frame = 0; frame < 130; ++frame) {
      rec.Clear();
      RunFrame();
      shown += rec.DrawnTexts().empty() ? 0 : 1;
    }
    EXPECT_EQ(shown, 120);
    std::filesystem::remove_all(tree.Path("shots"));
  }
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

// A scene played as the game plays it: the current scene of the main loop,
// one RunFrame per frame, with keyboard keys held and let go through the
// library's input seam and time from the virtual clock. Saves go to a
// scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "assets/temp_tree.h"
#include "battle/real_battle_test.h"
#include "game/main_loop.h"
#include "persist/option_info.h"
#include "persist/save_data.h"
#include "runtime/fps_timer.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "runtime/scene.h"

class MainLoopKeysTest : public RealBattleTest {
 protected:
  void SetUp() override {
    RealBattleTest::SetUp();
    gamelib_test::UseVirtualClock(true, 0);
    gamelib_test::ClearInjectedInput();
    quitRequested = false;
    keyManager = std::make_unique<CKeyManager>(options.joypadAssign);
    fpsTimer = std::make_unique<CFpsTimer>(true);
    persist_test::SetSaveDirectory(saves.Dir());
    saveData = NewGameSaveData();
  }
  void TearDown() override {
    persist_test::SetSaveDirectory("dat/save/");
    gamelib_test::ClearInjectedInput();
    gamelib_test::UseVirtualClock(false);
    nextScene.reset();
    currentScene.reset();
    saveData.reset();
    keyManager.reset();
    fpsTimer.reset();
    quitRequested = false;
  }

  // Makes `scene` current and plays a frame with no key down, so that the
  // keys count from here.
  template <class Scene>
  Scene& Start(std::unique_ptr<Scene> scene) {
    Scene& ref = *scene;
    currentScene = std::move(scene);
    Frames(1);
    return ref;
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) ASSERT_TRUE(RunFrame());
  }
  // A key held for `held` frames, then let go for `released` frames: a
  // player's tap lasts a few frames.
  void Tap(int key, int held = 4, int released = 4) {
    gamelib_test::SetKeyDown(key, true);
    Frames(held);
    gamelib_test::SetKeyDown(key, false);
    Frames(released);
  }

  COptionInfo options;
  CTempTree saves{"main_loop_keys"};
};

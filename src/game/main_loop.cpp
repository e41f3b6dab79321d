#include "game/main_loop.h"

#include <time.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "assets/image_manager.h"
#include "assets/sound_manager.h"
#include "assets/unit_sprites.h"
#include "battle/stage.h"
#include "battle/unit_ai.h"
#include "core/random.h"
#include "field/enemy.h"
#include "game/screenshot.h"
#include "game/toast.h"
#include "persist/option_info.h"
#include "persist/save_data.h"
#include "persist/system_data.h"
#include "runtime/error_log.h"
#include "runtime/fps_timer.h"
#include "runtime/game_key.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "runtime/scene.h"
#include "scenes/scene_camp.h"
#include "scenes/scene_title.h"

namespace {

// Held, the battle runs this many updates per drawn frame while it plays out
// by itself; Space on the keyboard, Start on the joypad.
constexpr EGameKey kFastForwardKey = EGameKey::SUB6;
constexpr int kFastForwardUpdates = 4;

double lastFrameWork = 0.0;

// Says where F12 put the picture, or why it could not.
CToast screenshotToast;

// The main thread's processor time: what the frame's work costs, whatever
// else the machine is doing.
double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct FontSpec {
  int* handle;
  int size;
  int thick;
  int type;
};

const FontSpec kFonts[] = {
    {&fontEdge12,          12, 0, DX_FONTTYPE_EDGE},
    {&fontNormal16,        16, 9, DX_FONTTYPE_NORMAL},
    {&fontNormal14,        14, 9, DX_FONTTYPE_NORMAL},
    {&fontEdge14,          14, 9, DX_FONTTYPE_EDGE},
    {&fontNormal20,        20, 7, DX_FONTTYPE_NORMAL},
    {&fontAntialiasEdge30, 30, 9, DX_FONTTYPE_ANTIALIASING_EDGE},
};

}  // namespace

void CreateFonts() {
  for (const FontSpec& f : kFonts) {
    *f.handle = CreateFontToHandle(nullptr, f.size, f.thick, f.type, -1, -1, FALSE, -1);
    if (*f.handle < 0) {
      throw std::runtime_error("no usable font was found (a Japanese-capable sans-serif face is needed; "
                               "run scripts/setup-deps to install fonts-ipafont-gothic)");
    }
  }
}

void InitGlobals() {
  RegisterSaveDataClasses();
  gSystemData = CSystemData();
  // The stage table is constant data, ready before the first frame.
  quitRequested = false;
  CreateFonts();
  fpsTimer = std::make_unique<CFpsTimer>(true);
  imageManager = std::make_unique<CImageManager>();
  LoadUnitSprites();
  soundManager = std::make_unique<CSoundManager>(optionInfo.soundEnabled);
  // The unit, weapon and skill tables are constant data too; units that join
  // a battle get their map actor from here on.
  InstallUnitActorMaker();
  InstallUnitAIMaker();
  gameRandom = std::make_unique<CRandom>();
  effectRandom = std::make_unique<CRandom>();
  keyManager = std::make_unique<CKeyManager>(optionInfo.joypadAssign);
  titleSceneMaker = [] { return std::make_unique<CSceneTitle>(); };
  campSceneMaker = [] { return std::make_unique<CSceneCamp>(); };
  currentScene = titleSceneMaker();
}

void ReleaseGlobals() {
  screenshotToast.Hide();
  nextScene.reset();
  currentScene.reset();
  saveData.reset();
  keyManager.reset();
  effectRandom.reset();
  gameRandom.reset();
  soundManager.reset();
  imageManager.reset();
  fpsTimer.reset();
}

bool RunFrame() {
  const double start = ThreadSeconds();
  if (ProcessMessage() != 0) return false;
  keyManager->Update();
  // Asked before the scene's input, which may reset every key's push.
  const bool screenshot = keyManager->IsPush(EGameKey::F12, true);
  const bool fastForward = keyManager->IsDown(kFastForwardKey);
  currentScene->ProcessInput();
  SwitchScene();
  currentScene->Update();
  // The extra updates stand in for the next frames, whose input steps would
  // have done nothing; they stop where the player is asked, a scene switch
  // is pending or the game ends.
  for (int extra = 1; fastForward && extra < kFastForwardUpdates; ++extra) {
    if (nextScene || quitRequested || !currentScene->CanFastForward()) break;
    currentScene->Update();
  }
  // Once per drawn frame: a sound effect started in several of the frame's
  // updates plays once.
  soundManager->Update();
  SwitchScene();
  ClsDrawScreen();
  currentScene->Draw();
  lastFrameWork = ThreadSeconds() - start;
  if (screenshot) {
    std::string whyNot;
    const std::filesystem::path file = SaveScreenshotNow(&whyNot);
    screenshotToast.Show(file.empty() ? "screenshot failed: " + whyNot : "screenshot saved: " + file.string());
  }
  // After the picture was taken: the answer is not part of it.
  screenshotToast.Draw();
  ScreenFlip();
  fpsTimer->Wait();
  return !quitRequested;
}

double LastFrameWorkSeconds() { return lastFrameWork; }

void DeleteReplayFiles(const std::string& dataDir) {
  std::error_code ec;
  std::filesystem::remove(dataDir + "/replay/replay.dat", ec);
  std::filesystem::remove(dataDir + "/replay/replay_key.dat", ec);
}

int RunGame() {
  SetDrawScreen(DX_SCREEN_BACK);
  SetFontSize(10);
  int exitCode = 0;
  try {
    InitGlobals();
    PrintStageSummaries();
    while (RunFrame()) {
    }
  } catch (const std::exception& e) {
    const std::string message = std::string("exception:") + e.what();
    const std::string logName = WriteDebugLog(message);
    std::fprintf(stderr, "Quorvane stopped: %s\n", e.what());
    if (!logName.empty()) std::fprintf(stderr, "(written to %s)\n", logName.c_str());
    exitCode = 1;
  }
  ReleaseGlobals();
  DeleteReplayFiles();
  return exitCode;
}

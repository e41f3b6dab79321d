#include "headless.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "assets/image_manager.h"
#include "assets/sound_manager.h"
#include "assets/unit_sprites.h"
#include "battle/unit_ai.h"
#include "core/random.h"
#include "field/battlefield.h"
#include "field/enemy.h"
#include "field/unit.h"
#include "game/main_loop.h"
#include "persist/option_info.h"
#include "persist/save_data.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "runtime/scene.h"

CQuietStdout::CQuietStdout() {
  std::fflush(stdout);
  saved = dup(STDOUT_FILENO);
  const int sink = open("/dev/null", O_WRONLY);
  if (saved < 0 || sink < 0 || dup2(sink, STDOUT_FILENO) < 0) {
    if (sink >= 0) close(sink);
    if (saved >= 0) close(saved);
    throw std::runtime_error("standard output could not be redirected to /dev/null");
  }
  close(sink);
}

CQuietStdout::~CQuietStdout() {
  std::cout.flush();
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
}

void CQuietStdout::Print(const std::string& line) const {
  const std::string text = line + "\n";
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(saved, text.data() + done, text.size() - done);
    if (n <= 0) throw std::runtime_error("standard output could not be written");
    done += static_cast<std::size_t>(n);
  }
}

CHeadlessGame::CHeadlessGame(EKind kind_, bool render, std::uint32_t seed, const std::string& saveDir)
    : kind(kind_) {
  gamelib_test::UseHeadlessDrivers();
  // Without this SDL hands the offscreen window's picture to a software GL
  // renderer at every flip, which costs four fifths of a frame here.
  setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
  // The frame timer and the play-time clock read a clock that moves only
  // when they wait: frames run as fast as the machine allows, and the same
  // seed plays the same campaign.
  gamelib_test::UseVirtualClock(true);
  SetGraphMode(640, 480, 32, 60);
  ChangeWindowMode(TRUE);
  SetWaitVSyncFlag(FALSE);
  if (GameLib_Init() != 0) {
    throw std::runtime_error(std::string("the game library did not start: ") + GameLib_GetLastError());
  }
  try {
    gamelib_test::SetRasterising(render);
    SetTransColor(255, 0, 255);
    SetDrawMode(DX_DRAWMODE_BILINEAR);
    SetDrawScreen(DX_SCREEN_BACK);
    SetFontSize(10);
    if (kind == EKind::CAMPAIGN) {
      persist_test::SetSaveDirectory(saveDir);
      InitGlobals();
    } else {
      CreateFonts();
      imageManager = std::make_unique<CImageManager>();
      LoadUnitSprites();
      soundManager = std::make_unique<CSoundManager>(false);
      InstallUnitActorMaker();
      InstallUnitAIMaker();
      keyManager = std::make_unique<CKeyManager>(optionInfo.joypadAssign);
      // The battle's party lives in the game in progress, as after "new game".
      saveData = NewGameSaveData();
    }
    gameRandom = std::make_unique<CRandom>(seed);
    effectRandom = std::make_unique<CRandom>(seed);
  } catch (...) {
    Release();
    throw;
  }
}

CHeadlessGame::~CHeadlessGame() { Release(); }

void CHeadlessGame::Release() {
  gamelib_test::ClearInjectedInput();
  ReleaseGlobals();
  GameLib_End();
}

std::string DescribeStanding(const CBattlefield& stage) {
  std::string standing;
  for (const CUnit* u : stage.state.units) {
    if (u->IsDead()) continue;
    standing += " " + u->name + "(team " + std::to_string(u->team) + " at " + std::to_string(u->grid.x) + "," +
                std::to_string(u->grid.y) + " hp " + std::to_string(u->hp) + ")";
  }
  return standing;
}

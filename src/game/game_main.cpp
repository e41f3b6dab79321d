#include "game/game_main.h"

#include <cstdio>
#include <filesystem>

#include "game/main_loop.h"
#include "persist/option_info.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"

void LoadSettings() { optionInfo = LoadOptionInfo("dat/setting.dat"); }

namespace {

// The game reads everything below dat/ relative to the working directory.
bool DataDirectoryPresent() {
  std::error_code ec;
  if (std::filesystem::is_directory("dat", ec)) return true;
  std::fprintf(stderr,
               "Quorvane: the data directory \"dat/\" was not found in %s.\n"
               "Start the game from the folder that holds dat/ (the repository root), e.g. with `make run`.\n",
               std::filesystem::current_path(ec).string().c_str());
  return false;
}

}  // namespace

int GameMain() {
  if (!DataDirectoryPresent()) return 1;
  LoadSettings();

  SetOutApplicationLogValidFlag(FALSE);
  SetWindowIconID(100);
  SetMainWindowText(kGameTitle);
  SetGraphMode(640, 480, 32, 60);
  ChangeWindowMode(TRUE);
  SetUseFPUPreserveFlag(TRUE);
  SetWaitVSyncFlag(FALSE);
  if (GameLib_Init() == -1) {
    std::fprintf(stderr, "Quorvane: the game could not start: %s\n", GameLib_GetLastError());
    return 1;
  }
  SetTransColor(255, 0, 255);
  SetDrawMode(DX_DRAWMODE_BILINEAR);

  const int exitCode = RunGame();

  GameLib_End();
  return exitCode;
}

#include "assets/unit_sprites.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "runtime/gamelib/gamelib.h"

// clang-format off
const char* const unitSpriteFiles[UNIT_SPRITE_KINDS] = {
    "knight.png",          "fighter.png",          "sorcerer.png",
    "sorceress.png",       "priestess.png",        "slime.png",
    "slime_red.png",       "slime_yellow.png",     "kobold.png",
    "fairy.png",           "snake.png",            "ogre.png",
    "spilit_of_fire.png",  "spilit_of_water.png",  "spilit_of_forest.png",
    "spilit_of_ray.png",   "daemon.png",
};
// clang-format on

namespace {

constexpr int kCell = 32;
// Row of the sheet holding each EDirection4 (LEFT, UP, RIGHT, DOWN).
constexpr int kSheetRowOfFacing[4] = {3, 0, 1, 2};

void CheckRange(int value, int count, const char* what) {
  if (value < 0 || value >= count) {
    throw std::out_of_range(std::string(what) + " must be 0.." + std::to_string(count - 1) + ", got " +
                            std::to_string(value));
  }
}

// Cuts a sheet into 32 x 32 cells; false when the file cannot be loaded or
// is too small for all of them.
bool LoadCells(const std::string& path, int count, int across, int down, int* cells) {
  if (LoadDivGraph(path.c_str(), count, across, down, kCell, kCell, cells) != 0) return false;
  return std::all_of(cells, cells + count, [](int handle) { return handle > 0; });
}

}  // namespace

void LoadUnitSpriteSheet(const std::string& path, int (&frames)[UNIT_SPRITE_FRAMES]) {
  int cells[UNIT_SPRITE_FRAMES] = {};
  if (!LoadCells(path, UNIT_SPRITE_FRAMES, UNIT_WALK_FRAMES, 4, cells)) {
    throw std::runtime_error("The unit sprite sheet \"" + path +
                             "\" could not be loaded; it must be an image of at least 96 x 128 pixels.");
  }
  for (int facing = 0; facing < 4; ++facing) {
    for (int c = 0; c < UNIT_WALK_FRAMES; ++c) {
      frames[facing * UNIT_WALK_FRAMES + c] = cells[kSheetRowOfFacing[facing] * UNIT_WALK_FRAMES + c];
    }
  }
}

SDrawData MakeUnitWalkRecord(const int (&frames)[UNIT_SPRITE_FRAMES], EDirection4 facing) {
  const int* row = &frames[static_cast<int>(facing) * UNIT_WALK_FRAMES];
  SDrawData record;
  for (int step : {0, 1, 2, 1}) record.AddImage(row[step]);
  record.frameWait = 12;
  record.SetLoop(true);
  record.SetImageSize(kCell, kCell);
  record.SetSize(kCell, kCell);
  return record;
}

int unitSprites[UNIT_SPRITE_KINDS][UNIT_SPRITE_FRAMES] = {};
int emotionSprites[EMOTION_FRAMES] = {};

void LoadUnitSprites(const std::string& directory) {
  // Load into a copy first so that a failure leaves the table as it was.
  int sheets[UNIT_SPRITE_KINDS][UNIT_SPRITE_FRAMES] = {};
  for (int kind = 0; kind < UNIT_SPRITE_KINDS; ++kind) {
    LoadUnitSpriteSheet(directory + unitSpriteFiles[kind], sheets[kind]);
  }
  int emotions[EMOTION_FRAMES] = {};
  const std::string emotionPath = directory + "emotion.png";
  if (!LoadCells(emotionPath, EMOTION_FRAMES, 4, 2, emotions)) {
    throw std::runtime_error("The emotion sheet \"" + emotionPath +
                             "\" could not be loaded; it must be an image of at least 128 x 64 pixels.");
  }
  std::copy(&sheets[0][0], &sheets[0][0] + UNIT_SPRITE_KINDS * UNIT_SPRITE_FRAMES, &unitSprites[0][0]);
  std::copy(emotions, emotions + EMOTION_FRAMES, emotionSprites);
}

int GetUnitSpriteHandle(int kind, EDirection4 facing, int walkFrame) {
  CheckRange(kind, UNIT_SPRITE_KINDS, "unit sprite index");
  CheckRange(walkFrame, UNIT_WALK_FRAMES, "walking frame");
  return unitSprites[kind][static_cast<int>(facing) * UNIT_WALK_FRAMES + walkFrame];
}

SDrawData MakeUnitWalkRecord(int kind, EDirection4 facing) {
  CheckRange(kind, UNIT_SPRITE_KINDS, "unit sprite index");
  return MakeUnitWalkRecord(unitSprites[kind], facing);
}

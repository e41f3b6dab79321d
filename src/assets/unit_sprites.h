// The unit sprite sheets of dat/image/ziki/ and the emotion balloon sheet.
//
// A unit sheet is 96 x 128: 3 walking frames across, and the rows facing
// up, right, down, left from top to bottom. The table reorders them so that
// entries 3r..3r+2 are the frames of EDirection4 value r.
#pragma once

#include <string>

#include "core/direction.h"
#include "gfx/draw_data.h"

constexpr int UNIT_SPRITE_KINDS = 17;
constexpr int UNIT_SPRITE_FRAMES = 12;
constexpr int UNIT_WALK_FRAMES = 3;
constexpr int EMOTION_FRAMES = 8;

// Sheet file per sprite index (the archer's sheet is "sorcerer.png").
extern const char* const unitSpriteFiles[UNIT_SPRITE_KINDS];

// Cuts one unit sheet into `frames` in facing order. Throws
// std::runtime_error naming the file when it cannot be loaded.
void LoadUnitSpriteSheet(const std::string& path, int (&frames)[UNIT_SPRITE_FRAMES]);

// A unit's looping walk for one facing: frames 1, 2, 3, 2 of its row, 12
// updates per image, 32 x 32, centred on its position.
SDrawData MakeUnitWalkRecord(const int (&frames)[UNIT_SPRITE_FRAMES], EDirection4 facing);

// The loaded sheets: unitSprites[spriteIndex] holds 12 handles in facing
// order, emotionSprites the 8 balloons numbered row by row. Filled once at
// start-up by LoadUnitSprites.
extern int unitSprites[UNIT_SPRITE_KINDS][UNIT_SPRITE_FRAMES];
extern int emotionSprites[EMOTION_FRAMES];

// Loads the 17 unit sheets and "emotion.png" from `directory` (ending in
// "/"). Throws std::runtime_error naming a sheet that cannot be loaded.
void LoadUnitSprites(const std::string& directory = "dat/image/ziki/");

// Handle of walking frame 0..2 of sprite index `kind` facing `facing`;
// out-of-range numbers throw std::out_of_range.
int GetUnitSpriteHandle(int kind, EDirection4 facing, int walkFrame);
// The walk record of sprite index `kind` for one facing.
SDrawData MakeUnitWalkRecord(int kind, EDirection4 facing);

// The rules a battle map must keep for its stage's units to play on it.
#pragma once

#include <vector>

#include "field/stage_data.h"
#include "field/terrain.h"

namespace contentgen::maps {

// A map smaller than this cannot fill the 640 x 480 screen.
constexpr int MIN_MAP_WIDTH = 20;
constexpr int MIN_MAP_HEIGHT = 15;

// Throws CMapLayoutError unless, on the width x height cells of terrain (row
// by row): the map fills the screen; every start and enemy cell lies on the
// map and can be entered by its unit (only the fairy flies); no two units
// share a cell; and every enemy can be reached by walking from the party's
// start cells, that is, its cell or a cell next to it can.
void CheckStagePlacement(int stage, int width, int height, const std::vector<EMapObjectType>& terrain,
                         const CZoneInfo& zone);

}  // namespace contentgen::maps

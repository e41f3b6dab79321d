// Terrain of a 32 x 32 grid cell and what it costs to enter.
#pragma once

#include <optional>

enum class EMapObjectType : int {
  BLOCKED = 0,   // nobody enters
  PLAIN = 1,     // everyone, cost 1
  ROUGH = 2,     // everyone, cost 2 (1 for a flying unit)
  FLY_ONLY = 3,  // flying units only, cost 1
};

// Movement points a unit pays to step onto a cell of this type. BLOCKED is
// never charged (the cell is refused first) but still has a prohibitive cost.
int TerrainCost(EMapObjectType type, bool flying);

// Whether a unit may stand on or walk through a cell of this type.
bool IsEnterable(EMapObjectType type, bool flying);

// The terrain layer of a map CSV marks each cell with one of the marker chips
// of the chip sheet (the plain codes 0..3 are accepted as well).
constexpr int TERRAIN_CHIP_BLOCKED = 256;
constexpr int TERRAIN_CHIP_PLAIN = 258;
constexpr int TERRAIN_CHIP_ROUGH = 768;
constexpr int TERRAIN_CHIP_FLY_ONLY = 770;
// A terrain code of 255 leaves the cell without a grid object.
constexpr int TERRAIN_CODE_EMPTY = 255;

// The cell type a terrain code stands for: nullopt for 255 (no cell object),
// BLOCKED for any code that is not a known one.
std::optional<EMapObjectType> TerrainFromCode(int code);

// The marker chip that the map files use for a type.
int TerrainMarkerChip(EMapObjectType type);

const char* TerrainName(EMapObjectType type);

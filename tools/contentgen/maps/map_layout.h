// A battle map as its designer writes it: one character per grid cell, with
// a legend that names the kind of ground each character stands for.
//
//   // comment lines (before the map)
//   [legend]
//   .  grass        plain
//   ~  water        fly-only
//   [map]
//   ....~~~~....
//
// Each legend line is a character, a tile kind name and the kind's terrain
// (plain, rough, fly-only or blocked), which must agree with the kind.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "field/terrain.h"

namespace contentgen::maps {

// Ground materials of the chip layer 0. The plain grounds (grass, cave floor,
// stone floor) fill a whole cell; the others are drawn with edges and corners
// towards neighbours of another ground.
enum class EGround {
  GRASS,
  PATH,
  WATER,
  CLIFF,
  CANOPY,
  CAVE_FLOOR,
  CAVE_WATER,
  CHASM,
  ROCK,
  STONE,
  MARBLE,
  CARPET,
  MOAT,
  CASTLE_WALL,
  PAVING,
  LAWN,
};

// What stands on the ground (chip layers 1 and 2).
enum class EDecoration {
  NONE,
  FLOWERS,
  TALL_GRASS,
  BUSH,
  THICKET,
  TREE,
  BOULDER,
  BRIDGE,
  STEPPING_STONES,
  RUBBLE,
  STALAGMITE,
  CRYSTALS,
  MUSHROOMS,
  PILLAR,
  STATUE,
  BRAZIER,
  THRONE,
  DEBRIS,
};

struct STileKind {
  const char* name;
  EGround ground;
  EDecoration decoration;
  EMapObjectType terrain;
};

// Every kind a layout may name.
const std::vector<STileKind>& TileKinds();
const STileKind* FindTileKind(std::string_view name);

// A layout (or placement) the generator refuses; the message names the
// stage, the cell or line, and the rule.
class CMapLayoutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SMapLayout {
  int stage = 0;
  int width = 0;   // in grid cells
  int height = 0;
  std::vector<const STileKind*> cells;  // row by row

  const STileKind& At(int x, int y) const { return *cells[static_cast<size_t>(y * width + x)]; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  std::vector<EMapObjectType> Terrain() const;
};

SMapLayout ParseMapLayout(std::string_view text, int stage);
SMapLayout LoadMapLayout(const std::filesystem::path& path, int stage);

}  // namespace contentgen::maps

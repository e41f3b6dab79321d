// The map chip sheet: 256 x 32 chips of 16 x 16 pixels, drawn by code. A
// grid cell is 2 x 2 chips, so most pictures are 32 x 32 tiles of four chips
// (top-left, top-right, bottom-left, bottom-right: quarters 0 to 3).
//
// Rows 0-5 hold the terrain markers and the pieces every area shares, rows
// 6-13 the forest, 14-21 the cave, 22-29 the castle; the rest stays magenta.
#pragma once

#include <array>
#include <map>
#include <vector>

#include "map_layout.h"
#include "map_pixels.h"

namespace contentgen::maps {

constexpr int SHEET_COLUMNS = 256;
constexpr int SHEET_ROWS = 32;
constexpr int CHIP_SIZE = 16;
// 255 in a chip layer means "no chip"; the sheet never draws chip 255.
constexpr int NO_CHIP = 255;

// The chip of quarter q of the tile whose top-left chip is `tile`.
constexpr int QuarterChip(int tile, int quarter) { return tile + (quarter & 1) + (quarter >> 1) * SHEET_COLUMNS; }

// How one quarter of a cell meets its neighbours: the neighbour above or
// below it (vertical), the one beside it (horizontal) and the diagonal one.
enum class EEdgeShape {
  FULL,    // all three are the same ground
  EDGE_V,  // the vertical neighbour differs: an edge along the top or bottom
  EDGE_H,  // the horizontal neighbour differs: an edge along the side
  OUTER,   // both differ: an outer corner
  INNER,   // only the diagonal differs: an inner corner
};
constexpr int EDGE_SHAPE_COUNT = 5;
EEdgeShape EdgeShapeOf(bool verticalSame, bool horizontalSame, bool diagonalSame);

// A wall cell whose southern neighbour is not wall shows its face. Where the
// face ends at a side, the neighbour there is: more face, wall top (the wall
// turns south) or open ground.
enum class EFaceSide { CONTINUES, MEETS_WALL, ENDS };

// Chips of one decoration: layer 1 (on the ground) and layer 2 (drawn above
// grid lines and range highlights); NO_CHIP where a quarter has nothing.
struct SDecorationChips {
  std::array<int, 4> layer1{NO_CHIP, NO_CHIP, NO_CHIP, NO_CHIP};
  std::array<int, 4> layer2{NO_CHIP, NO_CHIP, NO_CHIP, NO_CHIP};
};

class CChipSheet {
 public:
  // Draws every chip.
  CChipSheet();

  const CPixels& Pixels() const { return pixels; }
  bool IsChipEmpty(int chip) const;

  static bool IsPlainGround(EGround ground);
  static bool IsWallGround(EGround ground);

  // A plain ground in one of its variants (0..3).
  int PlainChip(EGround ground, int variant, int quarter) const;
  // A ground drawn with edges towards other grounds.
  int EdgeChip(EGround ground, EEdgeShape shape, int quarter) const;
  // The top of a wall, and its face (northOpen: no wall to the north).
  int WallTopChip(EGround ground, EEdgeShape shape, int quarter) const;
  int WallFaceChip(EGround ground, bool northOpen, EFaceSide side, int quarter) const;

  // `variant` is any number; it picks one of the decoration's drawings.
  // `horizontal` is for bridges: the crossing runs east-west.
  SDecorationChips Decoration(EDecoration decoration, EGround ground, int variant, bool horizontal) const;
  // Small single chips scattered over plain ground and water for variety.
  const std::vector<int>& Sprinkles(EGround ground) const;
  // Tiles hung on a wall's face (torches, banners, vines); top-left chips.
  const std::vector<int>& WallOrnaments(EGround ground) const;
  // The parapet drawn above the top of a castle wall's face (layer 2).
  int ParapetChip(EGround ground, int quarter) const;

 private:
  struct SWallTiles {
    std::array<int, EDGE_SHAPE_COUNT> top{};
    std::array<int, 6> face{};
  };
  struct SDecorationTiles {
    std::vector<int> layer1;  // top-left chips, one per drawing
    std::vector<int> layer2;
  };

  int AllocateTile(int band);
  void PaintAll();
  void PaintMarkers();
  template <typename Fn>
  void PaintTile(int tile, Fn&& pixelAt);
  void PaintDecorations();
  void AddDecorationDrawing(EDecoration decoration, int groundKey, const CPixels& layer1, const CPixels& layer2,
                            int band);
  int AddSingleChip(const CPixels& chip);

  CPixels pixels;
  std::array<int, 4> bandCursor{};
  std::map<EGround, std::array<int, 4>> plainTiles;
  std::map<EGround, std::array<int, EDGE_SHAPE_COUNT>> edgeTiles;
  std::map<EGround, SWallTiles> wallTiles;
  // Keyed by decoration and ground (-1: drawn the same on any ground).
  std::map<std::pair<EDecoration, int>, SDecorationTiles> decorations;
  std::map<EGround, std::vector<int>> sprinkles;
  std::map<EGround, std::vector<int>> ornaments;
  std::map<EGround, int> parapets;
  int singleTile = 0;
  int singleUsed = 4;
};

}  // namespace contentgen::maps

#include "map_chip_sheet.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "map_palette.h"

namespace contentgen::maps {

namespace {

namespace pal = palette;

constexpr int BAND_SHARED = 0, BAND_FOREST = 1, BAND_CAVE = 2, BAND_CASTLE = 3;
constexpr int TILE = 32;
constexpr int ANY_GROUND = -1;

enum ESide { NORTH, SOUTH, WEST, EAST, NO_SIDE };

// Distance of a pixel inside a ground from the nearest edge towards other
// ground, and which side that edge faces.
struct SEdge {
  double d;
  ESide side;
};
constexpr double FAR = 1e9;

// How far a natural edge bulges along a cell side. Zero near the cell
// corners so that corners and straight edges always join up.
double Wobble(int t) {
  static constexpr int profile[32] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, -1, -1, -1,
                                      -1, 0, 0, 0, 1, 1, 1, 0, 0, -1, 0, 0, 0, 0, 0, 0};
  return profile[t & 31];
}

SEdge EdgeAt(EEdgeShape shape, int cx, int cy, double radius, double wobble) {
  const bool right = cx >= 16, bottom = cy >= 16;
  const double dx = right ? 31.5 - cx : cx + 0.5;
  const double dy = bottom ? 31.5 - cy : cy + 0.5;
  const ESide sideX = right ? EAST : WEST, sideY = bottom ? SOUTH : NORTH;
  const double wx = dx + Wobble(cy) * wobble, wy = dy + Wobble(cx) * wobble;
  switch (shape) {
    case EEdgeShape::FULL:
      return {FAR, NO_SIDE};
    case EEdgeShape::EDGE_V:
      return {wy, sideY};
    case EEdgeShape::EDGE_H:
      return {wx, sideX};
    case EEdgeShape::OUTER:
      if (dx < radius && dy < radius)
        return {radius - std::hypot(radius - dx, radius - dy), dy < dx ? sideY : sideX};
      return wy < wx ? SEdge{wy, sideY} : SEdge{wx, sideX};
    case EEdgeShape::INNER:
      return {std::hypot(dx, dy) - 0.5, dy < dx ? sideY : sideX};
  }
  return {FAR, NO_SIDE};
}

SRgb TexAt(const CPixels& tex, int x, int y) { return tex.Get(((x % TILE) + TILE) % TILE, ((y % TILE) + TILE) % TILE); }
void SetWrap(CPixels& img, int x, int y, SRgb c) { img.Set(((x % TILE) + TILE) % TILE, ((y % TILE) + TILE) % TILE, c); }

// Ordered dither threshold in [0, 1) for a pixel.
double Dither(int x, int y) {
  static constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (bayer[y & 3][x & 3] + 0.5) / 16.0;
}

// Picks a ramp colour for t in [0, 1] with ordered dithering between steps.
SRgb Ramp(const SRgb* ramp, int size, double t, int x, int y) {
  const double scaled = std::clamp(t, 0.0, 1.0) * (size - 1);
  int index = static_cast<int>(scaled);
  if (scaled - index > Dither(x, y)) ++index;
  return ramp[std::clamp(index, 0, size - 1)];
}

template <size_t N>
SRgb Ramp(const SRgb (&ramp)[N], double t, int x, int y) {
  return Ramp(ramp, static_cast<int>(N), t, x, y);
}

// ---- sprite drawing ---------------------------------------------------------

// A ball lit from the upper left, with a dark outline.
void Ball(CPixels& img, double cx, double cy, double rx, double ry, const SRgb* ramp, int size, SRgb outline,
          double bias = 0.0) {
  auto inside = [&](int x, int y) {
    const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
    return nx * nx + ny * ny <= 1.0;
  };
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      if (!inside(x, y)) continue;
      if (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1)) {
        img.Set(x, y, outline);
        continue;
      }
      const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
      const double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
      const double light = -0.45 * nx - 0.6 * ny + 0.66 * nz;
      img.Set(x, y, Ramp(ramp, size, (light + 0.15) / 1.05 + bias, x, y));
    }
}

template <size_t N>
void Ball(CPixels& img, double cx, double cy, double rx, double ry, const SRgb (&ramp)[N], SRgb outline,
          double bias = 0.0) {
  Ball(img, cx, cy, rx, ry, ramp, static_cast<int>(N), outline, bias);
}

void FlatEllipse(CPixels& img, double cx, double cy, double rx, double ry, SRgb c) {
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
      if (nx * nx + ny * ny <= 1.0) img.Set(x, y, c);
    }
}

// Draws an outline of `c` around every non-clear pixel that touches clear.
void Outline(CPixels& img, SRgb c) {
  CPixels copy = img;
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      if (!copy.IsClear(x, y)) continue;
      const bool touches = (copy.Inside(x - 1, y) && !copy.IsClear(x - 1, y)) ||
                           (copy.Inside(x + 1, y) && !copy.IsClear(x + 1, y)) ||
                           (copy.Inside(x, y - 1) && !copy.IsClear(x, y - 1)) ||
                           (copy.Inside(x, y + 1) && !copy.IsClear(x, y + 1));
      if (touches) img.Set(x, y, c);
    }
}

// A vertical piece shaded from a light left to a dark right.
void Column(CPixels& img, int x0, int y0, int w, int h, const SRgb* ramp, int size, SRgb outline) {
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) {
      if (x == x0 || x == x0 + w - 1) {
        img.Set(x, y, outline);
        continue;
      }
      const double t = 1.0 - static_cast<double>(x - x0 - 1) / std::max(1, w - 3);
      img.Set(x, y, Ramp(ramp, size, 0.15 + 0.8 * t, x, y));
    }
}

void Line(CPixels& img, int x0, int y0, int x1, int y1, SRgb c) {
  const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  for (int i = 0; i <= steps; ++i) {
    const double t = steps == 0 ? 0 : static_cast<double>(i) / steps;
    img.Set(static_cast<int>(std::lround(x0 + (x1 - x0) * t)), static_cast<int>(std::lround(y0 + (y1 - y0) * t)), c);
  }
}

// ---- ground textures (each repeats every 32 pixels) --------------------------

// lift raises every shade by one step (the grass on top of a cliff).
CPixels GrassTexture(int variant, int lift = 0) {
  CPixels t(TILE, TILE);
  auto shade = [lift](int level) { return pal::grass[std::clamp(level + lift, 0, 4)]; };
  for (int y = 0; y < TILE; ++y)
    for (int x = 0; x < TILE; ++x) {
      // Patches where the grass grows thicker get more dark specks.
      const double patch = SmoothNoise(x, y, 8, 32, 3 + lift);
      const double r = Noise01(x, y, variant, 1 + lift);
      int level = 2;
      if (r < 0.04 + patch * 0.12) level = 1;
      else if (r > 0.97) level = 3;
      t.Set(x, y, shade(level));
    }
  // Tufts of blades: light tips over a dark root.
  for (int i = 0; i < 9; ++i) {
    const int x = static_cast<int>(Hash(variant, i, 2, lift) % 32), y = static_cast<int>(Hash(variant, i, 3, lift) % 32);
    SetWrap(t, x, y, shade(3 + (i % 3 == 0)));
    SetWrap(t, x + 2, y - 1, shade(3));
    SetWrap(t, x + 1, y + 1, shade(1));
    SetWrap(t, x + 2, y, shade(1));
    if (i % 2 == 0) {
      SetWrap(t, x - 1, y + 1, shade(3));
      SetWrap(t, x, y + 2, shade(1));
    }
  }
  return t;
}

CPixels DirtTexture() {
  CPixels t(TILE, TILE);
  for (int y = 0; y < TILE; ++y)
    for (int x = 0; x < TILE; ++x) {
      const double blotch = SmoothNoise(x, y, 8, 32, 5);
      double v = 0.5 + (blotch - 0.5) * 0.5;
      const double r = Noise01(x, y, 7);
      if (r < 0.06) v -= 0.25;
      if (r > 0.94) v += 0.25;
      t.Set(x, y, Ramp(pal::dirt, 0.25 + v * 0.5, x, y));
    }
  for (int i = 0; i < 5; ++i) {  // pebbles
    const int x = static_cast<int>(Hash(i, 9) % 32), y = static_cast<int>(Hash(i, 10) % 32);
    SetWrap(t, x, y, pal::dirt[4]);
    SetWrap(t, x + 1, y, pal::dirt[3]);
    SetWrap(t, x, y + 1, pal::dirt[1]);
    SetWrap(t, x + 1, y + 1, pal::dirt[1]);
  }
  return t;
}

CPixels WaterTexture(const SRgb* ramp) {
  CPixels t(TILE, TILE);
  for (int y = 0; y < TILE; ++y)
    for (int x = 0; x < TILE; ++x) {
      // Slow swells: long horizontal streaks of darker water.
      const double n = SmoothNoise(x * 0.5, y * 2.0, 8, 16, 11);
      t.Set(x, y, n < 0.3 && ((x + y) & 1) ? ramp[1] : ramp[2]);
    }
  // Ripples: short light dashes with a dark line under them.
  for (int i = 0; i < 4; ++i) {
    const int x = static_cast<int>(Hash(i, 21) % 32), y = 4 + 8 * i + static_cast<int>(Hash(i, 22) % 3);
    const int len = 3 + static_cast<int>(Hash(i, 23) % 4);
    for (int k = 0; k < len; ++k) {
      SetWrap(t, x + k, y, k == 0 || k == len - 1 ? ramp[3] : ramp[4]);
      SetWrap(t, x + k + 1, y + 1, ramp[1]);
    }
  }
  return t;
}

CPixels CaveFloorTexture(int variant) {
  CPixels t(TILE, TILE);
  for (int y = 0; y < TILE; ++y)
    for (int x = 0; x < TILE; ++x) {
      const double blotch = SmoothNoise(x, y, 16, 32, 13);
      double v = 0.45 + (blotch - 0.5) * 0.6;
      const double r = Noise01(x, y, variant, 14);
      if (r < 0.07) v -= 0.2;
      if (r > 0.95) v += 0.2;
      t.Set(x, y, Ramp(pal::cave, 0.42 + v * 0.36, x, y));
    }
  for (int i = 0; i < 4; ++i) {  // grit
    const int x = static_cast<int>(Hash(variant, i, 15) % 32), y = static_cast<int>(Hash(variant, i, 16) % 32);
    SetWrap(t, x, y, pal::cave[4]);
    SetWrap(t, x + 1, y + 1, pal::cave[1]);
  }
  if (variant % 2 == 1) {  // a hairline crack
    int x = static_cast<int>(Hash(variant, 17) % 32), y = static_cast<int>(Hash(variant, 18) % 32);
    for (int k = 0; k < 7; ++k) {
      SetWrap(t, x, y, pal::cave[1]);
      x += 1;
      y += (Hash(variant, k, 19) % 3 == 0) ? 1 : 0;
    }
  }
  return t;
}

CPixels StoneTexture(int variant) {
  CPixels t(TILE, TILE);
  // Four 16 x 16 flagstones; some are split into two 16 x 8 slabs.
  for (int sy = 0; sy < 2; ++sy)
    for (int sx = 0; sx < 2; ++sx) {
      const bool split = Hash(variant, sx, sy, 31) % 3 == 0;
      for (int part = 0; part < (split ? 2 : 1); ++part) {
        const int x0 = sx * 16, y0 = sy * 16 + part * 8, h = split ? 8 : 16;
        const double shade = 0.5 + 0.12 * Noise01(variant, sx, sy * 2 + part, 32);
        for (int y = y0; y < y0 + h; ++y)
          for (int x = x0; x < x0 + 16; ++x) {
            SRgb c = Ramp(pal::stone, shade + (Noise01(x, y, variant, 33) - 0.5) * 0.12, x, y);
            if (x == x0 + 15 || y == y0 + h - 1) c = pal::stone[1];
            else if (x == x0 || y == y0) c = pal::stone[4];
            t.Set(x, y, c);
          }
      }
    }
  return t;
}

CPixels MarbleTexture(int variant) {
  CPixels t(TILE, TILE);
  // Polished slabs in two colours, set diagonally, with gold inlay where
  // four slabs meet.
  for (int y = 0; y < TILE; ++y)
    for (int x = 0; x < TILE; ++x) {
      const bool light = ((x / 16) + (y / 16)) % 2 == 0;
      const double vein = SmoothNoise(x * 1.0 + variant * 7, y * 0.5, 8, 32, 111 + variant);
      const bool inVein = std::abs(vein - 0.55) < 0.03;
      SRgb c = light ? (inVein ? pal::stone[4] : pal::stone[5]) : (inVein ? pal::stone[2] : pal::stone[3]);
      if (x % 16 == 15 || y % 16 == 15) c = pal::stone[1];
      else if (x % 16 == 0 || y % 16 == 0) c = light ? SRgb{0xe0, 0xdc, 0xd8} : pal::stone[4];
      const int cx = (x + 1) % 16, cy = (y + 1) % 16;
      if (std::abs(cx - 0.5 - (cx > 8 ? 16 : 0)) + std::abs(cy - 0.5 - (cy > 8 ? 16 : 0)) < 3) c = pal::gold[2];
      t.Set(x, y, c);
    }
  return t;
}

CPixels CarpetTexture() {
  CPixels t(TILE, TILE);
  for (int y = 0; y < TILE; ++y)
    for (int x = 0; x < TILE; ++x) {
      // A woven diamond pattern every 16 pixels.
      const int u = std::abs((x % 16) - 8), v = std::abs((y % 16) - 8);
      SRgb c = pal::carpet[2];
      if (u + v == 6) c = pal::carpet[1];
      if (u + v == 7) c = pal::carpet[3];
      if (u + v <= 1) c = pal::gold[1];
      if (((x + y) & 1) && Noise01(x, y, 41) < 0.15) c = pal::carpet[1];
      t.Set(x, y, c);
    }
  return t;
}

CPixels CobbleTexture() {
  CPixels t(TILE, TILE);
  // Irregular cobbles: the nearest of a few jittered centres, repeating.
  struct SStone {
    int x, y;
  };
  std::vector<SStone> stones;
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i)
      stones.push_back({i * 8 + 4 + static_cast<int>(Hash(i, j, 51) % 3) - 1 + (j % 2) * 4,
                        j * 8 + 4 + static_cast<int>(Hash(i, j, 52) % 3) - 1});
  for (int y = 0; y < TILE; ++y)
    for (int x = 0; x < TILE; ++x) {
      double best = 1e9, second = 1e9;
      size_t which = 0;
      for (size_t k = 0; k < stones.size(); ++k)
        for (int oy = -32; oy <= 32; oy += 32)
          for (int ox = -32; ox <= 32; ox += 32) {
            const double d = std::hypot(x + 0.5 - stones[k].x - ox, y + 0.5 - stones[k].y - oy);
            if (d < best) {
              second = best;
              best = d;
              which = k;
            } else if (d < second) {
              second = d;
            }
          }
      SRgb c;
      if (second - best < 1.2) c = pal::stone[1];
      else {
        const double shade = 0.5 + 0.25 * Noise01(static_cast<int>(which), 53) - (y % 8 > 5 ? 0.1 : 0);
        c = Ramp(pal::stone, shade, x, y);
      }
      t.Set(x, y, c);
    }
  return t;
}

// A face of heaped stones: every pixel belongs to the stone with the nearest
// centre; stones are lit on their upper left and dark in the seams.
SRgb StoneFacePixel(int x, int y, const SRgb* ramp, int seed) {
  double best = 1e9, second = 1e9, bx = 0, by = 0;
  for (int j = -1; j <= 5; ++j)
    for (int i = -1; i <= 4; ++i) {
      const int wi = ((i % 4) + 4) % 4, wj = ((j % 5) + 5) % 5;
      const double cx = i * 8 + 4 + (j % 2) * 4 + static_cast<double>(Hash(wi, wj, seed) % 5) - 2.0;
      const double cy = j * 6 + 3 + static_cast<double>(Hash(wi, wj, seed + 1) % 3) - 1.0;
      const double dx = x + 0.5 - cx, dy = (y + 0.5 - cy) * 1.25;
      const double d = std::hypot(dx, dy);
      if (d < best) {
        second = best;
        best = d;
        bx = dx;
        by = dy;
      } else if (d < second) {
        second = d;
      }
    }
  if (second - best < 1.0) return ramp[0];
  const double light = -(bx * 0.5 + by * 0.8) / 5.0;
  return Ramp(ramp, 5, 0.5 + light * 0.4, x, y);
}

// ---- wall styles --------------------------------------------------------------

struct SWallStyle {
  const CPixels* base;        // ground around the wall
  std::function<SRgb(int, int)> top;
  std::function<SRgb(int, int, SEdge)> topRim;   // pixels near the top's edge (d < rimWidth)
  double rimWidth;
  std::function<std::optional<SRgb>(int, int)> face;  // nullopt: the top shows there
  SRgb outline;
  SRgb faceLight, faceShadow;
  double radius, wobble;
};

}  // namespace

EEdgeShape EdgeShapeOf(bool verticalSame, bool horizontalSame, bool diagonalSame) {
  if (!verticalSame && !horizontalSame) return EEdgeShape::OUTER;
  if (!verticalSame) return EEdgeShape::EDGE_V;
  if (!horizontalSame) return EEdgeShape::EDGE_H;
  return diagonalSame ? EEdgeShape::FULL : EEdgeShape::INNER;
}

// ---- the sheet --------------------------------------------------------------------

CChipSheet::CChipSheet() : pixels(SHEET_COLUMNS * CHIP_SIZE, SHEET_ROWS * CHIP_SIZE) { PaintAll(); }

int CChipSheet::AllocateTile(int band) {
  const int i = bandCursor[static_cast<size_t>(band)]++;
  int col, row;
  if (band == BAND_SHARED) {
    // Columns 0-3 hold the terrain markers; chip 255 must stay unused.
    constexpr int perRow = 124;
    col = 4 + 2 * (i % perRow);
    row = 2 * (i / perRow);
    if (row >= 6) throw std::runtime_error("the shared rows of the map chip sheet are full");
  } else {
    constexpr int perRow = SHEET_COLUMNS / 2;
    col = 2 * (i % perRow);
    if (i / perRow >= 4) throw std::runtime_error("an area's rows of the map chip sheet are full");
    row = 6 + (band - 1) * 8 + 2 * (i / perRow);
  }
  return row * SHEET_COLUMNS + col;
}

template <typename Fn>
void CChipSheet::PaintTile(int tile, Fn&& pixelAt) {
  const int x0 = (tile % SHEET_COLUMNS) * CHIP_SIZE, y0 = (tile / SHEET_COLUMNS) * CHIP_SIZE;
  for (int y = 0; y < TILE; ++y)
    for (int x = 0; x < TILE; ++x) pixels.Set(x0 + x, y0 + y, pixelAt(x, y));
}

bool CChipSheet::IsChipEmpty(int chip) const {
  if (chip < 0 || chip >= SHEET_COLUMNS * SHEET_ROWS) return true;
  const int x0 = (chip % SHEET_COLUMNS) * CHIP_SIZE, y0 = (chip / SHEET_COLUMNS) * CHIP_SIZE;
  for (int y = 0; y < CHIP_SIZE; ++y)
    for (int x = 0; x < CHIP_SIZE; ++x)
      if (!pixels.IsClear(x0 + x, y0 + y)) return false;
  return true;
}

bool CChipSheet::IsPlainGround(EGround ground) {
  return ground == EGround::GRASS || ground == EGround::CAVE_FLOOR || ground == EGround::STONE ||
         ground == EGround::MARBLE;
}

bool CChipSheet::IsWallGround(EGround ground) {
  return ground == EGround::CLIFF || ground == EGround::CANOPY || ground == EGround::ROCK ||
         ground == EGround::CASTLE_WALL;
}

int CChipSheet::PlainChip(EGround ground, int variant, int quarter) const {
  return QuarterChip(plainTiles.at(ground)[static_cast<size_t>(variant & 3)], quarter);
}

int CChipSheet::EdgeChip(EGround ground, EEdgeShape shape, int quarter) const {
  return QuarterChip(edgeTiles.at(ground)[static_cast<size_t>(shape)], quarter);
}

int CChipSheet::WallTopChip(EGround ground, EEdgeShape shape, int quarter) const {
  return QuarterChip(wallTiles.at(ground).top[static_cast<size_t>(shape)], quarter);
}

int CChipSheet::WallFaceChip(EGround ground, bool northOpen, EFaceSide side, int quarter) const {
  const size_t index = (northOpen ? 3 : 0) + static_cast<size_t>(side);
  return QuarterChip(wallTiles.at(ground).face[index], quarter);
}

SDecorationChips CChipSheet::Decoration(EDecoration decoration, EGround ground, int variant, bool horizontal) const {
  auto found = decorations.find({decoration, static_cast<int>(ground)});
  if (found == decorations.end()) found = decorations.find({decoration, ANY_GROUND});
  if (found == decorations.end()) throw std::runtime_error("the map chip sheet has no such decoration for this ground");
  const SDecorationTiles& tiles = found->second;
  const size_t count = tiles.layer1.size();
  const size_t pick = decoration == EDecoration::BRIDGE ? (horizontal ? 0 : 1)
                                                        : static_cast<size_t>(static_cast<unsigned>(variant) % count);
  SDecorationChips chips;
  for (int q = 0; q < 4; ++q) {
    const int c1 = QuarterChip(tiles.layer1[pick], q), c2 = QuarterChip(tiles.layer2[pick], q);
    chips.layer1[static_cast<size_t>(q)] = IsChipEmpty(c1) ? NO_CHIP : c1;
    chips.layer2[static_cast<size_t>(q)] = IsChipEmpty(c2) ? NO_CHIP : c2;
  }
  return chips;
}

const std::vector<int>& CChipSheet::Sprinkles(EGround ground) const {
  static const std::vector<int> none;
  const auto found = sprinkles.find(ground);
  return found == sprinkles.end() ? none : found->second;
}

const std::vector<int>& CChipSheet::WallOrnaments(EGround ground) const {
  static const std::vector<int> none;
  const auto found = ornaments.find(ground);
  return found == ornaments.end() ? none : found->second;
}

int CChipSheet::ParapetChip(EGround ground, int quarter) const {
  const auto found = parapets.find(ground);
  if (found == parapets.end()) return NO_CHIP;
  const int chip = QuarterChip(found->second, quarter);
  return IsChipEmpty(chip) ? NO_CHIP : chip;
}

void CChipSheet::AddDecorationDrawing(EDecoration decoration, int groundKey, const CPixels& layer1,
                                      const CPixels& layer2, int band) {
  auto place = [&](const CPixels& img) {
    const int tile = AllocateTile(band);
    PaintTile(tile, [&](int x, int y) { return img.Get(x, y); });
    return tile;
  };
  SDecorationTiles& tiles = decorations[{decoration, groundKey}];
  tiles.layer1.push_back(place(layer1));
  tiles.layer2.push_back(place(layer2));
}

int CChipSheet::AddSingleChip(const CPixels& chip) {
  // Single chips are packed four to a tile in the shared rows.
  if (singleUsed == 4) {
    singleTile = AllocateTile(BAND_SHARED);
    singleUsed = 0;
  }
  const int c = QuarterChip(singleTile, singleUsed++);
  pixels.Blit(chip, 0, 0, CHIP_SIZE, CHIP_SIZE, (c % SHEET_COLUMNS) * CHIP_SIZE, (c / SHEET_COLUMNS) * CHIP_SIZE, false);
  return c;
}

void CChipSheet::PaintMarkers() {
  // The terrain layer's marker chips: 32 x 32 tiles whose top-left chips are
  // 256, 258, 768 and 770. The game never draws them.
  struct SMarker {
    int tile;
    SRgb fill, mark;
  };
  const SMarker markers[] = {{256, {0x80, 0x20, 0x20}, {0xf0, 0xa0, 0xa0}},
                             {258, {0x30, 0x80, 0x30}, {0xb0, 0xf0, 0xb0}},
                             {768, {0x80, 0x60, 0x20}, {0xf0, 0xd0, 0x90}},
                             {770, {0x20, 0x50, 0x90}, {0xa0, 0xd0, 0xf0}}};
  for (size_t i = 0; i < 4; ++i) {
    const SMarker& m = markers[i];
    PaintTile(m.tile, [&](int x, int y) {
      if (x == 0 || y == 0 || x == 31 || y == 31) return SRgb{0x10, 0x10, 0x10};
      switch (i) {
        case 0:  // blocked: a cross
          if (x == y || x == 31 - y || x == y + 1 || x + 1 == 31 - y) return m.mark;
          break;
        case 1:  // plain: a dot
          if (std::hypot(x - 15.5, y - 15.5) < 5) return m.mark;
          break;
        case 2:  // rough: speckles
          if ((x % 6 == 3) && (y % 6 == 3)) return m.mark;
          break;
        default:  // fly only: waves
          if ((y + static_cast<int>(2 * std::sin(x * 0.6))) % 8 == 4) return m.mark;
          break;
      }
      return m.fill;
    });
  }
}

namespace {

CPixels LeafTexture() {
  CPixels t(TILE, TILE);
  struct SClump {
    double x, y;
  };
  std::vector<SClump> clumps;
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i)
      clumps.push_back({i * 8 + 4.0 + (j % 2) * 4 + (Hash(i, j, 71) % 3) - 1.0, j * 8 + 4.0 + (Hash(i, j, 72) % 3) - 1.0});
  for (int y = 0; y < TILE; ++y)
    for (int x = 0; x < TILE; ++x) {
      double best = 1e9;
      double bx = 0, by = 0;
      for (const SClump& c : clumps)
        for (int oy = -32; oy <= 32; oy += 32)
          for (int ox = -32; ox <= 32; ox += 32) {
            const double d = std::hypot(x + 0.5 - c.x - ox, y + 0.5 - c.y - oy);
            if (d < best) {
              best = d;
              bx = x + 0.5 - c.x - ox;
              by = y + 0.5 - c.y - oy;
            }
          }
      // Each clump is a small ball lit from the upper left; the gaps are dark.
      const double light = -(bx * 0.6 + by * 0.8) / 5.5;
      SRgb c = Ramp(pal::leaf, 0.55 + light * 0.45, x, y);
      if (best > 5.2) c = pal::leaf[0];
      if (light > 0.55 && Noise01(x, y, 73) < 0.5) c = pal::leaf[4];
      t.Set(x, y, c);
    }
  return t;
}

}  // namespace

void CChipSheet::PaintAll() {
  PaintMarkers();

  const CPixels grass[4] = {GrassTexture(0), GrassTexture(1), GrassTexture(2), GrassTexture(3)};
  const CPixels caveFloor[4] = {CaveFloorTexture(0), CaveFloorTexture(1), CaveFloorTexture(2), CaveFloorTexture(3)};
  const CPixels stone[4] = {StoneTexture(0), StoneTexture(1), StoneTexture(2), StoneTexture(3)};
  const CPixels marble[4] = {MarbleTexture(0), MarbleTexture(1), MarbleTexture(2), MarbleTexture(3)};
  const CPixels dirt = DirtTexture(), water = WaterTexture(pal::water), caveWater = WaterTexture(pal::caveWater);
  const CPixels carpet = CarpetTexture(), cobbles = CobbleTexture(), leaves = LeafTexture();
  const CPixels plateau = GrassTexture(7, 1);

  auto paintPlain = [&](EGround ground, int band, const CPixels* textures) {
    std::array<int, 4> tiles{};
    for (int v = 0; v < 4; ++v) {
      tiles[static_cast<size_t>(v)] = AllocateTile(band);
      PaintTile(tiles[static_cast<size_t>(v)], [&](int x, int y) { return textures[v].Get(x, y); });
    }
    plainTiles[ground] = tiles;
  };
  auto paintEdges = [&](EGround ground, int band, double radius, double wobble, auto&& painter) {
    std::array<int, EDGE_SHAPE_COUNT> tiles{};
    for (int s = 0; s < EDGE_SHAPE_COUNT; ++s) {
      tiles[static_cast<size_t>(s)] = AllocateTile(band);
      PaintTile(tiles[static_cast<size_t>(s)],
                [&](int x, int y) { return painter(x, y, EdgeAt(static_cast<EEdgeShape>(s), x, y, radius, wobble)); });
    }
    edgeTiles[ground] = tiles;
  };
  // Water seen from above and a little south: the far (north) bank shows
  // its face, the near bank only a lip of foam.
  auto waterPainter = [](const CPixels& base, const CPixels& tex, const SRgb* w, const SRgb* bank, SRgb outline,
                         SRgb lip) {
    return [base = &base, tex = &tex, w, bank, outline, lip](int x, int y, SEdge e) {
      if (e.d < 0) return TexAt(*base, x, y);
      switch (e.side) {
        case NORTH:
          if (e.d < 1) return outline;
          if (e.d < 2) return bank[2];
          if (e.d < 3) return bank[1];
          if (e.d < 4) return bank[0];
          if (e.d < 5) return w[0];
          break;
        case SOUTH:
          if (e.d < 1) return lip;
          if (e.d < 2) return w[5];
          if (e.d < 3) return ((x + y) & 1) ? w[4] : TexAt(*tex, x, y);
          break;
        case WEST:
        case EAST:
          if (e.d < 1) return outline;
          if (e.d < 2) return bank[1];
          if (e.d < 3) return w[4];
          break;
        case NO_SIDE:
          break;
      }
      return TexAt(*tex, x, y);
    };
  };

  // Forest.
  paintPlain(EGround::GRASS, BAND_FOREST, grass);
  paintEdges(EGround::PATH, BAND_FOREST, 5, 1, [&](int x, int y, SEdge e) {
    if (e.d < 0) return TexAt(grass[0], x, y);
    if (e.d < 1) return ((x + y) & 1) ? pal::grass[1] : pal::dirt[1];
    if (e.d < 2) return pal::dirt[1];
    return TexAt(dirt, x, y);
  });
  paintEdges(EGround::WATER, BAND_FOREST, 6, 1,
             waterPainter(grass[0], water, pal::water, pal::dirt + 0, pal::grass[0], pal::grass[4]));

  // Cave.
  paintPlain(EGround::CAVE_FLOOR, BAND_CAVE, caveFloor);
  const SRgb caveBank[] = {pal::cave[1], pal::cave[2], pal::cave[3]};
  paintEdges(EGround::CAVE_WATER, BAND_CAVE, 6, 1,
             waterPainter(caveFloor[0], caveWater, pal::caveWater, caveBank, pal::cave[0], pal::cave[4]));
  paintEdges(EGround::CHASM, BAND_CAVE, 4, 1, [&](int x, int y, SEdge e) {
    if (e.d < 0) return TexAt(caveFloor[0], x, y);
    if (e.d < 1) return pal::cave[5];
    if (e.side == NORTH && e.d < 13) {
      // The far wall of the pit, in layers, fading into the dark.
      const double t = 1.0 - (e.d - 1) / 12.0;
      SRgb c = Ramp(pal::cave, t * 0.8, x, y);
      if ((static_cast<int>(e.d) + static_cast<int>(Hash(x / 3, 81) % 3)) % 4 == 0) c = Darker(c, 0.4);
      return c;
    }
    if ((e.side == WEST || e.side == EAST) && e.d < 3) return e.d < 2 ? pal::cave[2] : pal::cave[1];
    if (e.side == SOUTH && e.d < 2) return pal::cave[1];
    // Blue mist far below.
    const double mist = SmoothNoise(x * 0.5, y, 8, 16, 82);
    if (mist > 0.66 && ((x + y) & 1)) return pal::voidColour[2];
    if (mist > 0.5) return ((x + y) & 1) ? pal::voidColour[1] : pal::voidColour[0];
    return pal::voidColour[0];
  });

  // Castle.
  paintPlain(EGround::STONE, BAND_CASTLE, stone);
  paintPlain(EGround::MARBLE, BAND_CASTLE, marble);
  paintEdges(EGround::CARPET, BAND_CASTLE, 0, 0, [&](int x, int y, SEdge e) {
    if (e.d < 0) return TexAt(stone[0], x, y);
    if (e.d < 1) return pal::carpet[0];
    if (e.d < 2) return pal::gold[1];
    if (e.d < 3) return pal::gold[3];
    if (e.d < 4) return pal::gold[2];
    if (e.d < 5) return pal::carpet[0];
    return TexAt(carpet, x, y);
  });
  const SRgb moatBank[] = {pal::stone[0], pal::stone[1], pal::stone[2]};
  paintEdges(EGround::MOAT, BAND_CASTLE, 0, 0, [&](int x, int y, SEdge e) {
    if (e.d < 0) return TexAt(stone[0], x, y);
    // A coping of light stones around the water.
    if (e.d < 1) return pal::stone[1];
    if (e.d < 3) {
      const int along = (e.side == NORTH || e.side == SOUTH) ? x : y;
      return along % 8 == 7 ? pal::stone[2] : (e.d < 2 ? pal::stone[5] : pal::stone[4]);
    }
    if (e.side == NORTH && e.d < 9) {
      const int row = static_cast<int>(e.d - 3);
      if (row % 3 == 2 || (x + (row / 3) * 4) % 8 == 0) return pal::stone[0];
      return row < 3 ? pal::stone[2] : pal::stone[1];
    }
    if (e.d < 4) return e.side == SOUTH ? pal::caveWater[4] : moatBank[0];
    return TexAt(caveWater, x, y);
  });
  paintEdges(EGround::PAVING, BAND_CASTLE, 3, 0, [&](int x, int y, SEdge e) {
    if (e.d < 0) return TexAt(grass[0], x, y);
    if (e.d < 1) return pal::grass[0];
    if (e.d < 2) return pal::stone[1];
    return TexAt(cobbles, x, y);
  });
  paintEdges(EGround::LAWN, BAND_CASTLE, 3, 0, [&](int x, int y, SEdge e) {
    if (e.d < 0) return TexAt(stone[0], x, y);
    if (e.d < 1) return pal::stone[1];
    if (e.d < 3) return e.d < 2 ? pal::stone[5] : pal::stone[3];
    if (e.d < 4) return pal::grass[1];
    return TexAt(grass[1], x, y);
  });

  // Walls: a top seen from above and, where open ground lies south, a face.
  auto paintWall = [&](EGround ground, int band, const SWallStyle& style) {
    SWallTiles tiles;
    auto topPixel = [&](int x, int y, SEdge e) {
      if (e.d < 0) return TexAt(*style.base, x, y);
      if (e.d < style.rimWidth) return style.topRim(x, y, e);
      return style.top(x, y);
    };
    for (int s = 0; s < EDGE_SHAPE_COUNT; ++s) {
      tiles.top[static_cast<size_t>(s)] = AllocateTile(band);
      PaintTile(tiles.top[static_cast<size_t>(s)], [&](int x, int y) {
        return topPixel(x, y, EdgeAt(static_cast<EEdgeShape>(s), x, y, style.radius, style.wobble));
      });
    }
    for (int open = 0; open < 2; ++open)
      for (int side = 0; side < 3; ++side) {
        const int tile = AllocateTile(band);
        tiles.face[static_cast<size_t>(open * 3 + side)] = tile;
        const EFaceSide faceSide = static_cast<EFaceSide>(side);
        PaintTile(tile, [&](int x, int y) {
          const double along = x >= 16 ? 31.5 - x : x + 0.5;
          const std::optional<SRgb> face = style.face(x, y);
          if (!face) {
            const bool ends = faceSide == EFaceSide::ENDS;
            const EEdgeShape shape = open ? (ends ? EEdgeShape::OUTER : EEdgeShape::EDGE_V)
                                          : (ends ? EEdgeShape::EDGE_H : EEdgeShape::FULL);
            return topPixel(x, y, EdgeAt(shape, x, y, style.radius, style.wobble));
          }
          if (faceSide == EFaceSide::ENDS) {
            if (along < 1) return style.outline;
            if (along < 2) return x >= 16 ? style.faceShadow : style.faceLight;
          }
          if (faceSide == EFaceSide::MEETS_WALL && along < 3) return along < 1 ? style.outline : Darker(*face, 0.3);
          return *face;
        });
      }
    wallTiles[ground] = tiles;
  };

  SWallStyle cliff;
  cliff.base = &grass[0];
  cliff.top = [&](int x, int y) { return TexAt(plateau, x, y); };
  cliff.rimWidth = 2;
  cliff.topRim = [](int, int, SEdge e) {
    if (e.d < 1) return pal::cliff[0];
    return (e.side == NORTH || e.side == WEST) ? pal::grass[4] : pal::grass[2];
  };
  cliff.face = [](int x, int y) -> std::optional<SRgb> {
    if (y < 6) return std::nullopt;
    if (y == 6) return pal::grass[1];
    if (y == 7) return ((x * 7) % 5 < 2) ? pal::grass[1] : pal::cliff[0];
    if (y >= 30) return y == 31 ? pal::grass[0] : pal::cliff[0];
    SRgb c = StoneFacePixel(x, y - 8, pal::cliff, 61);
    if (y > 24 && ((x + y) & 1) && c != pal::cliff[0]) c = Darker(c, 0.2);
    return c;
  };
  cliff.outline = pal::cliff[0];
  cliff.faceLight = pal::cliff[3];
  cliff.faceShadow = pal::cliff[1];
  cliff.radius = 6;
  cliff.wobble = 1;
  paintWall(EGround::CLIFF, BAND_FOREST, cliff);

  SWallStyle canopy;
  canopy.base = &grass[0];
  canopy.top = [&](int x, int y) { return TexAt(leaves, x, y); };
  canopy.rimWidth = 1;
  canopy.topRim = [](int, int, SEdge) { return pal::leaf[0]; };
  canopy.face = [&](int x, int y) -> std::optional<SRgb> {
    // Leaves hang down in scallops; below them trunks stand in the shade.
    const int hang = 11 + static_cast<int>(std::lround(3 * std::abs(std::sin((x + 2) * 3.14159 / 8))));
    if (y < hang) return std::nullopt;
    if (y == hang) return pal::leaf[0];
    if (y >= 30) return ((x + y) & 1) ? pal::grass[0] : pal::leaf[0];
    const int tx = (x + 32 - 3) % 11;
    if (tx <= 3 && y > hang) {
      static constexpr int shade[] = {3, 2, 1, 0};
      return pal::bark[shade[tx]];
    }
    return Noise01(x, y, 74) < 0.15 ? pal::leaf[1] : pal::leaf[0];
  };
  canopy.outline = pal::leaf[0];
  canopy.faceLight = pal::leaf[1];
  canopy.faceShadow = pal::leaf[0];
  canopy.radius = 7;
  canopy.wobble = 2;
  paintWall(EGround::CANOPY, BAND_FOREST, canopy);

  SWallStyle rock;
  rock.base = &caveFloor[0];
  rock.top = [](int x, int y) {
    // Rough rock seen from above: lighter than the dark of a chasm.
    const double n = SmoothNoise(x, y, 8, 32, 91);
    SRgb c = n > 0.55 && ((x + y) & 1) ? pal::cave[2] : pal::cave[1];
    if (Noise01(x, y, 92) < 0.07) c = pal::cave[0];
    else if (Noise01(x, y, 96) < 0.04) c = pal::cave[3];
    return c;
  };
  rock.rimWidth = 3;
  rock.topRim = [](int, int, SEdge e) {
    if (e.d < 1) return pal::voidColour[0];
    if (e.d < 2) return (e.side == NORTH || e.side == WEST) ? pal::cave[5] : pal::cave[3];
    return pal::cave[2];
  };
  rock.face = [](int x, int y) -> std::optional<SRgb> {
    if (y < 6) return std::nullopt;
    if (y == 6) return pal::cave[5];
    if (y >= 30) return pal::voidColour[0];
    const SRgb ramp[] = {pal::cave[0], pal::cave[2], pal::cave[3], pal::cave[4], pal::cave[5]};
    SRgb c = StoneFacePixel(x, y - 7, ramp, 93);
    if (y > 23 && ((x + y) & 1)) c = Darker(c, 0.3);
    return c;
  };
  rock.outline = pal::cave[0];
  rock.faceLight = pal::cave[4];
  rock.faceShadow = pal::cave[1];
  rock.radius = 5;
  rock.wobble = 1;
  paintWall(EGround::ROCK, BAND_CAVE, rock);

  SWallStyle wall;
  wall.base = &stone[0];
  wall.top = [](int x, int y) {
    // Dark slate on the wall walk, so that walls stand apart from floors.
    const SRgb slate[] = {{0x3b, 0x3e, 0x4d}, {0x44, 0x48, 0x58}, {0x4d, 0x51, 0x61}};
    const int row = y / 8, shifted = x + (row % 2) * 8;
    if (y % 8 == 7 || shifted % 16 == 15) return slate[0];
    const double n = SmoothNoise(x, y, 8, 32, 103);
    SRgb c = slate[1];
    if (n > 0.62 && ((x + y) & 1)) c = slate[2];
    if (Noise01(x, y, 104) < 0.05) c = slate[0];
    return c;
  };
  wall.rimWidth = 3;
  wall.topRim = [](int, int, SEdge e) { return e.d < 1 ? pal::stone[0] : e.d < 2 ? pal::stone[5] : pal::stone[3]; };
  wall.face = [](int x, int y) -> std::optional<SRgb> {
    if (y < 6) return std::nullopt;
    if (y == 6) return pal::stone[5];
    if (y == 7) return pal::stone[1];
    if (y >= 28) return y == 28 ? pal::stone[4] : y == 31 ? pal::stone[0] : pal::stone[2];
    const int row = (y - 8) / 4, inRow = (y - 8) % 4;
    const int shifted = x + (row % 2) * 4;
    if (inRow == 3 || shifted % 8 == 7) return pal::brick[1];
    const double shade = 0.45 + 0.3 * Noise01(shifted / 8, row, 102);
    if (inRow == 0) return Ramp(pal::brick, shade + 0.25, x, y);
    return Ramp(pal::brick, shade, x, y);
  };
  wall.outline = pal::stone[0];
  wall.faceLight = pal::brick[4];
  wall.faceShadow = pal::brick[1];
  wall.radius = 0;
  wall.wobble = 0;
  paintWall(EGround::CASTLE_WALL, BAND_CASTLE, wall);

  PaintDecorations();
}

namespace {

struct SDrawing {
  CPixels layer1{TILE, TILE};
  CPixels layer2{TILE, TILE};
};

void Flower(CPixels& img, int x, int y, SRgb petal, SRgb centre) {
  img.Set(x, y + 2, pal::grass[1]);
  img.Set(x - 1, y, petal);
  img.Set(x + 1, y, petal);
  img.Set(x, y - 1, petal);
  img.Set(x, y + 1, Darker(petal, 0.25));
  img.Set(x, y, centre);
}

SDrawing Flowers(int variant) {
  SDrawing d;
  const SRgb sets[4][2] = {{pal::flowerRed, pal::flowerWhite},
                           {pal::flowerYellow, pal::flowerWhite},
                           {pal::flowerViolet, pal::flowerPink},
                           {pal::flowerPink, pal::flowerYellow}};
  const int count = 6 + static_cast<int>(Hash(variant, 1, 201) % 3);
  for (int i = 0; i < count; ++i) {
    const int x = 3 + static_cast<int>(Hash(variant, i, 202) % 26), y = 3 + static_cast<int>(Hash(variant, i, 203) % 25);
    const SRgb petal = sets[variant % 4][i % 2];
    Flower(d.layer1, x, y, petal, petal == pal::flowerYellow ? pal::flowerWhite : pal::flowerYellow);
  }
  return d;
}

SDrawing TallGrass(int variant) {
  SDrawing d;
  // Blades from back to front so that the nearer ones overlap.
  for (int i = 0; i < 44; ++i) {
    const int bx = static_cast<int>(Hash(variant, i, 211) % 32), by = 6 + (i * 26) / 44 + static_cast<int>(Hash(variant, i, 212) % 3);
    const int h = 6 + static_cast<int>(Hash(variant, i, 213) % 6);
    const int lean = static_cast<int>(Hash(variant, i, 214) % 3) - 1;
    for (int k = 0; k < h; ++k) {
      const int x = bx + (k > h / 2 ? lean : 0), y = by - k;
      const SRgb c = k == h - 1 ? pal::grass[4] : k < 2 ? pal::grass[1] : k < h / 2 ? pal::grass[2] : pal::grass[3];
      d.layer1.Set(x, y, c);
      if (k < h - 2) d.layer1.Set(x + 1, y, k < 2 ? pal::grass[0] : pal::grass[1]);
    }
  }
  return d;
}

SDrawing Bush(int variant) {
  SDrawing d;
  FlatEllipse(d.layer1, 16, 27, 14, 4, pal::grass[0]);
  Ball(d.layer1, 9, 20, 8, 7, pal::leaf, pal::leaf[0]);
  Ball(d.layer1, 23, 20, 8, 7, pal::leaf, pal::leaf[0]);
  Ball(d.layer1, 16, 14, 10, 9, pal::leaf, pal::leaf[0], 0.08);
  Ball(d.layer1, 16, 23, 8, 6, pal::leaf, pal::leaf[0], -0.05);
  for (int i = 0; i < 5; ++i) {
    const int x = 6 + static_cast<int>(Hash(variant, i, 221) % 20), y = 10 + static_cast<int>(Hash(variant, i, 222) % 14);
    if (d.layer1.IsClear(x, y)) continue;
    if (variant % 2 == 1) {  // berries
      d.layer1.Set(x, y, pal::flowerRed);
      d.layer1.Set(x + 1, y + 1, Darker(pal::flowerRed, 0.4));
    } else {
      d.layer1.Set(x, y, pal::leaf[4]);
    }
  }
  return d;
}

void Conifer(CPixels& img, int cx, int base, int height) {
  for (int y = base - 3; y <= base; ++y) {
    img.Set(cx, y, pal::bark[1]);
    img.Set(cx + 1, y, pal::bark[0]);
  }
  const int top = base - height;
  for (int tier = 0; tier < 3; ++tier) {
    const int ty = top + tier * (height / 4), by = ty + height / 2;
    for (int y = ty; y <= by && y < base - 2; ++y) {
      const int half = 1 + (y - ty) * (3 + tier) / std::max(1, by - ty);
      for (int x = cx - half; x <= cx + half + 1; ++x) {
        SRgb c = x <= cx ? pal::leaf[3] : pal::leaf[2];
        if (x == cx - half || x == cx + half + 1 || y == by) c = pal::leaf[0];
        else if (x == cx - half + 1 && y % 2 == 0) c = pal::leaf[4];
        img.Set(x, y, c);
      }
    }
  }
}

SDrawing Thicket(int variant) {
  SDrawing d;
  FlatEllipse(d.layer1, 16, 28, 14, 3, pal::grass[0]);
  if (variant % 2 == 0) {
    Conifer(d.layer1, 8, 26, 18);
    Conifer(d.layer1, 22, 24, 20);
    Conifer(d.layer1, 15, 31, 14);
  } else {
    Conifer(d.layer1, 6, 28, 16);
    Conifer(d.layer1, 17, 25, 21);
    Conifer(d.layer1, 25, 31, 13);
  }
  return d;
}

SDrawing Tree(int variant) {
  SDrawing d;
  FlatEllipse(d.layer1, 17, 28, 12, 4, pal::grass[0]);
  Column(d.layer1, 13, 18, 7, 12, pal::bark, 4, pal::bark[0]);
  d.layer1.Set(12, 29, pal::bark[1]);
  d.layer1.Set(19, 29, pal::bark[1]);
  const double bias = variant % 2 ? -0.08 : 0.0;
  Ball(d.layer2, 9, 15, 8, 7, pal::leaf, pal::leaf[0], bias - 0.05);
  Ball(d.layer2, 23, 15, 8, 7, pal::leaf, pal::leaf[0], bias - 0.05);
  Ball(d.layer2, 16, 10, 12, 10, pal::leaf, pal::leaf[0], bias + 0.05);
  Ball(d.layer2, 16, 17, 9, 6, pal::leaf, pal::leaf[0], bias - 0.1);
  for (int i = 0; i < 8; ++i) {
    const int x = 6 + static_cast<int>(Hash(variant, i, 231) % 16), y = 3 + static_cast<int>(Hash(variant, i, 232) % 10);
    if (!d.layer2.IsClear(x, y) && d.layer2.Get(x, y) != pal::leaf[0]) d.layer2.Set(x, y, pal::leaf[4]);
  }
  return d;
}

SDrawing Boulder(int variant) {
  SDrawing d;
  FlatEllipse(d.layer1, 17, 27, 13, 4, pal::grass[0]);
  Ball(d.layer1, 15, 18, 12, 10, pal::rock, pal::rock[0]);
  Ball(d.layer1, 24, 23, 6, 5, pal::rock, pal::rock[0], -0.05);
  Line(d.layer1, 12, 14, 15, 19, pal::rock[1]);
  Line(d.layer1, 15, 19, 14, 23, pal::rock[1]);
  if (variant % 2 == 1)  // moss on the top
    for (int x = 8; x < 22; ++x)
      for (int y = 9; y < 13; ++y)
        if (!d.layer1.IsClear(x, y) && d.layer1.Get(x, y) != pal::rock[0] && Noise01(x, y, 241) < 0.6)
          d.layer1.Set(x, y, y < 11 ? pal::grass[3] : pal::grass[2]);
  return d;
}

// A bridge deck across the cell. Horizontal: the crossing runs east-west,
// so the boards lie north-south and the rails run along the long sides.
SDrawing Bridge(bool horizontal, EGround ground) {
  SDrawing d;
  const bool rope = ground == EGround::CHASM, heavy = ground == EGround::MOAT;
  for (int a = 0; a < TILE; ++a)      // along the crossing
    for (int b = 4; b < 28; ++b) {    // across it
      const int board = a % 5;
      SRgb c = board == 4 ? pal::wood[0] : board == 0 ? pal::wood[3] : pal::wood[2];
      if (heavy) c = board == 4 ? pal::wood[0] : board == 0 ? pal::wood[2] : pal::wood[1];
      if (rope && board == 4) c = CLEAR;  // gaps between the slats
      if (!rope && b == 27) c = pal::wood[0];
      if (heavy && (b == 9 || b == 22)) c = pal::iron[1 + (a % 5 == 2 ? 1 : 0)];
      if (c != CLEAR && board != 4 && Noise01(a, b, 251) < 0.06) c = pal::wood[1];
      if (horizontal) d.layer1.Set(a, b, c);
      else d.layer1.Set(b, a, c);
    }
  // Rails (rope, wood or iron edges) on both long sides.
  for (int a = 0; a < TILE; ++a)
    for (int side = 0; side < 2; ++side) {
      const int b0 = side == 0 ? 2 : 27;
      for (int b = b0; b < b0 + 3; ++b) {
        SRgb c;
        if (rope) c = (b == b0 + 1) ? ((a % 4 < 2) ? pal::dirt[4] : pal::dirt[3]) : CLEAR;
        else if (heavy) c = b == b0 + 1 ? pal::iron[2] : pal::iron[0];
        else c = b == b0 ? pal::wood[4] : b == b0 + 1 ? pal::wood[3] : pal::wood[0];
        if (!rope && !heavy && a % 16 == 1) c = b == b0 ? pal::wood[4] : pal::wood[1];  // posts
        if (c == CLEAR) continue;
        if (horizontal) d.layer1.Set(a, b, c);
        else d.layer1.Set(b, a, c);
      }
    }
  return d;
}

SDrawing SteppingStones(int variant, EGround ground) {
  SDrawing d;
  const SRgb* stones = ground == EGround::CAVE_WATER ? pal::cave + 1 : pal::rock;
  const SRgb* ring = ground == EGround::CAVE_WATER ? pal::caveWater : pal::water;
  const int spots[2][4][2] = {{{8, 9}, {21, 7}, {12, 21}, {25, 22}}, {{6, 14}, {17, 6}, {18, 19}, {27, 26}}};
  for (const auto& s : spots[variant % 2]) FlatEllipse(d.layer1, s[0] + 0.5, s[1] + 1.5, 7, 4.5, ring[4]);
  for (const auto& s : spots[variant % 2]) Ball(d.layer1, s[0] + 0.5, s[1] + 0.5, 6, 4.2, stones + 1, 4, stones[0], 0.15);
  return d;
}

SDrawing Rubble(int variant, const SRgb* ramp, int size, SRgb outline) {
  SDrawing d;
  const int count = 6 + variant % 3;
  for (int i = 0; i < count; ++i) {
    const double x = 5 + Hash(variant, i, 261) % 22, y = 7 + Hash(variant, i, 262) % 20;
    const double r = 2.5 + (Hash(variant, i, 263) % 30) / 10.0;
    Ball(d.layer1, x, y, r, r * 0.8, ramp, size, outline);
  }
  for (int i = 0; i < 10; ++i)
    d.layer1.Set(2 + static_cast<int>(Hash(variant, i, 264) % 28), 4 + static_cast<int>(Hash(variant, i, 265) % 26),
                 ramp[size - 1]);
  return d;
}

void Spike(CPixels& img, int cx, int base, int height, int halfWidth) {
  const int tip = base - height;
  for (int y = tip; y <= base; ++y) {
    const int half = std::max(0, (y - tip) * halfWidth / std::max(1, height));
    for (int x = cx - half; x <= cx + half; ++x) {
      SRgb c;
      if (x == cx - half || x == cx + half || y == base) c = pal::cave[0];
      else {
        const double t = 1.0 - static_cast<double>(x - (cx - half)) / std::max(1, 2 * half);
        c = Ramp(pal::rock, 0.2 + t * 0.75 - (y > base - 3 ? 0.2 : 0), x, y);
        if ((y + x) % 5 == 0 && t < 0.6) c = pal::rock[1];
      }
      img.Set(x, y, c);
    }
  }
}

SDrawing Stalagmite(int variant) {
  SDrawing d;
  FlatEllipse(d.layer1, 16, 28, 12, 3, pal::cave[0]);
  if (variant % 2 == 0) {
    Spike(d.layer2, 13, 29, 27, 9);
    Spike(d.layer2, 24, 30, 15, 6);
  } else {
    Spike(d.layer2, 18, 29, 25, 9);
    Spike(d.layer2, 7, 30, 16, 6);
    Spike(d.layer2, 27, 30, 9, 4);
  }
  return d;
}

void Crystal(CPixels& img, int cx, int base, int height, int halfWidth, double lean) {
  const int tip = base - height;
  for (int y = tip; y <= base; ++y) {
    const double t = static_cast<double>(y - tip) / height;
    const int half = static_cast<int>(std::lround(std::min(1.0, t * 3) * halfWidth));
    const int mid = cx + static_cast<int>(std::lround(lean * (base - y)));
    for (int x = mid - half; x <= mid + half; ++x) {
      SRgb c = x < mid ? pal::crystal[3] : x == mid ? pal::crystal[2] : pal::crystal[1];
      if (x == mid - half || x == mid + half || y == tip) c = pal::crystal[0];
      img.Set(x, y, c);
    }
  }
}

SDrawing Crystals(int variant) {
  SDrawing d;
  for (int i = 0; i < 14; ++i)  // glow on the floor
    d.layer1.Set(4 + static_cast<int>(Hash(variant, i, 271) % 24), 22 + static_cast<int>(Hash(variant, i, 272) % 9),
                 i % 3 ? pal::crystal[1] : pal::crystal[2]);
  FlatEllipse(d.layer1, 16, 28, 11, 3, pal::cave[0]);
  if (variant % 2 == 0) {
    Crystal(d.layer2, 9, 29, 15, 3, -0.25);
    Crystal(d.layer2, 22, 29, 17, 3, 0.2);
    Crystal(d.layer2, 15, 30, 25, 4, 0.0);
  } else {
    Crystal(d.layer2, 11, 29, 22, 4, -0.15);
    Crystal(d.layer2, 21, 30, 20, 4, 0.15);
    Crystal(d.layer2, 26, 30, 9, 2, 0.3);
  }
  return d;
}

SDrawing Mushrooms(int variant) {
  SDrawing d;
  const int spots[2][4][3] = {{{8, 12, 4}, {21, 9, 3}, {14, 23, 5}, {26, 25, 3}},
                              {{6, 21, 3}, {13, 11, 5}, {24, 17, 4}, {19, 27, 3}}};
  for (const auto& spot : spots[variant % 2]) {
    const int x = spot[0], y = spot[1], r = spot[2];
    for (int k = 1; k <= r / 2 + 2; ++k) {  // the stem
      d.layer1.Set(x, y + k, pal::stone[5]);
      d.layer1.Set(x + 1, y + k, pal::stone[3]);
    }
    for (int j = -r / 2 - 1; j <= 0; ++j)
      for (int i = -r; i <= r + 1; ++i) {
        const double dist = std::hypot(i - 0.5, j * 2.0);
        if (dist > r + 0.6) continue;
        SRgb c = i < 0 ? pal::mushroom[2] : pal::mushroom[1];
        if (j == 0 || dist > r - 0.4) c = pal::mushroom[0];
        d.layer1.Set(x + i, y + j, c);
      }
    d.layer1.Set(x - 1, y - 1, pal::flowerWhite);
  }
  return d;
}

SDrawing Pillar() {
  SDrawing d;
  FlatEllipse(d.layer1, 19, 29, 11, 3, pal::stone[0]);
  CPixels& p = d.layer2;
  Column(p, 9, 6, 14, 21, pal::stone, 6, pal::stone[0]);
  for (int y = 8; y < 26; ++y)  // fluting
    for (int x : {12, 15, 18}) p.Set(x, y, Darker(p.Get(x, y), 0.2));
  for (int y = 0; y < 6; ++y)  // capital
    for (int x = 7; x < 25; ++x) {
      SRgb c = y == 0 ? pal::stone[5] : y == 5 ? pal::stone[0] : Ramp(pal::stone, 0.85 - (x - 7) / 30.0, x, y);
      if (x == 7 || x == 24) c = pal::stone[0];
      p.Set(x, y, c);
    }
  for (int y = 26; y < 31; ++y)  // base
    for (int x = 7; x < 25; ++x) {
      SRgb c = y == 26 ? pal::stone[4] : y == 30 ? pal::stone[0] : Ramp(pal::stone, 0.7 - (x - 7) / 30.0, x, y);
      if (x == 7 || x == 24) c = pal::stone[0];
      p.Set(x, y, c);
    }
  return d;
}

SDrawing Statue() {
  SDrawing d;
  FlatEllipse(d.layer1, 18, 29, 12, 3, pal::stone[0]);
  CPixels& p = d.layer2;
  for (int y = 22; y < 31; ++y)  // pedestal
    for (int x = 6; x < 26; ++x) {
      SRgb c = y == 22 ? pal::stone[5] : y == 30 ? pal::stone[0] : Ramp(pal::stone, 0.75 - (x - 6) / 28.0, x, y);
      if (x == 6 || x == 25) c = pal::stone[0];
      p.Set(x, y, c);
    }
  // A knight with a shield and a spear, carved in pale stone.
  const SRgb marble[] = {pal::stone[2], pal::stone[3], pal::stone[4], pal::stone[5]};
  for (int y = 9; y < 22; ++y) {
    const int half = 4 + (y - 9) / 4;
    for (int x = 16 - half; x <= 16 + half; ++x) p.Set(x, y, Ramp(marble, 0.9 - (x - 16 + half) / (2.0 * half + 1), x, y));
  }
  Ball(p, 16, 6, 3.6, 3.8, marble, 4, pal::stone[0]);
  Line(p, 24, 1, 24, 21, pal::stone[1]);
  p.Set(24, 0, pal::stone[4]);
  p.Set(23, 1, pal::stone[4]);
  p.Set(25, 1, pal::stone[4]);
  Ball(p, 10, 15, 4, 5, marble, 4, pal::stone[0], 0.1);
  Outline(p, pal::stone[0]);
  return d;
}

SDrawing Brazier() {
  SDrawing d;
  FlatEllipse(d.layer1, 16, 29, 10, 3, pal::stone[0]);
  for (int i = 0; i < 12; ++i)  // embers' glow on the floor
    d.layer1.Set(5 + static_cast<int>(Hash(i, 291) % 22), 24 + static_cast<int>(Hash(i, 292) % 7), pal::flame[1]);
  CPixels& p = d.layer2;
  Line(p, 10, 30, 14, 20, pal::iron[0]);
  Line(p, 22, 30, 18, 20, pal::iron[0]);
  Line(p, 16, 30, 16, 20, pal::iron[1]);
  for (int y = 16; y < 22; ++y) {
    const int half = 9 - (y - 16);
    for (int x = 16 - half; x <= 16 + half; ++x)
      p.Set(x, y, y == 16 ? pal::gold[3] : x == 16 - half || x == 16 + half || y == 21 ? pal::iron[0]
                                                                                       : Ramp(pal::gold, 0.8 - (x - 16 + half) / (2.0 * half + 1), x, y));
  }
  for (int y = 2; y < 16; ++y)
    for (int x = 8; x < 25; ++x) {
      const double t = (16 - y) / 14.0;
      const double width = 7.5 * std::sqrt(std::max(0.0, 1 - t)) * (1 - t * 0.4);
      const double wave = std::sin(y * 0.9 + x * 0.2) * 1.2 * t;
      const double off = std::abs(x + 0.5 - 16.5 - wave);
      if (off > width) continue;
      const double heat = 1.0 - off / std::max(0.5, width) * 0.7 - t * 0.5;
      p.Set(x, y, Ramp(pal::flame, heat, x, y));
    }
  return d;
}

SDrawing Throne() {
  SDrawing d;
  FlatEllipse(d.layer1, 17, 30, 12, 2, pal::carpet[0]);
  CPixels& p = d.layer2;
  for (int y = 1; y < 30; ++y)
    for (int x = 7; x < 25; ++x) {
      const bool back = y < 18 && x >= 9 && x <= 22, seat = y >= 17 && y < 23, legs = y >= 23 && (x <= 9 || x >= 22);
      const bool arms = y >= 13 && y < 23 && (x <= 9 || x >= 22);
      if (!(back || seat || legs || arms)) continue;
      SRgb c = Ramp(pal::gold, 0.85 - (x - 7) / 24.0, x, y);
      if (back && x > 10 && x < 21 && y > 3 && y < 17) c = Ramp(pal::carpet, 0.8 - (y - 4) / 20.0, x, y);
      if (seat && x > 10 && x < 21 && y < 21) c = pal::carpet[3];
      p.Set(x, y, c);
    }
  Ball(p, 16, 2, 3, 2.5, pal::gold, pal::gold[0]);
  p.Set(16, 9, pal::crystal[3]);
  p.Set(15, 9, pal::crystal[2]);
  Outline(p, pal::gold[0]);
  return d;
}

SDrawing Debris(int variant) {
  SDrawing d;
  for (int i = 0; i < 4; ++i) {
    const int x0 = 3 + static_cast<int>(Hash(variant, i, 301) % 20), y0 = 6 + static_cast<int>(Hash(variant, i, 302) % 18);
    const int w = 5 + static_cast<int>(Hash(variant, i, 303) % 5), h = 4 + static_cast<int>(Hash(variant, i, 304) % 3);
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x) {
        if ((x == x0 || x == x0 + w - 1) && (y == y0 || y == y0 + h - 1)) continue;  // chipped corners
        SRgb c = y == y0 + 1 ? pal::brick[4] : y < y0 + h - 2 ? pal::brick[3] : pal::brick[2];
        if (x == x0 || x == x0 + w - 1 || y == y0 || y == y0 + h - 1) c = pal::brick[0];
        d.layer1.Set(x, y, c);
      }
  }
  for (int i = 0; i < 12; ++i)
    d.layer1.Set(2 + static_cast<int>(Hash(variant, i, 305) % 28), 3 + static_cast<int>(Hash(variant, i, 306) % 27),
                 i % 2 ? pal::stone[4] : pal::stone[1]);
  return d;
}

// ---- single chips and wall ornaments (16 x 16) --------------------------------

CPixels Chip() { return CPixels(CHIP_SIZE, CHIP_SIZE); }

CPixels LilyPad(bool flowering) {
  CPixels c = Chip();
  FlatEllipse(c, 8, 8.5, 5.5, 4, pal::grass[3]);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (!c.IsClear(x, y) && (x > 7 && x < 10 && y < 9)) c.Set(x, y, CLEAR);  // the notch
  Outline(c, pal::grass[0]);
  c.Set(6, 7, pal::grass[4]);
  c.Set(5, 8, pal::grass[4]);
  if (flowering) {
    c.Set(6, 9, pal::flowerPink);
    c.Set(5, 9, pal::flowerWhite);
    c.Set(7, 9, pal::flowerWhite);
    c.Set(6, 8, pal::flowerWhite);
    c.Set(6, 10, pal::flowerPink);
  }
  return c;
}

CPixels Pebbles(const SRgb* ramp, int seed) {
  CPixels c = Chip();
  for (int i = 0; i < 3; ++i) {
    const int x = 3 + static_cast<int>(Hash(seed, i, 311) % 10), y = 3 + static_cast<int>(Hash(seed, i, 312) % 10);
    c.Set(x, y, ramp[3]);
    c.Set(x + 1, y, ramp[2]);
    c.Set(x, y + 1, ramp[1]);
    c.Set(x + 1, y + 1, ramp[0]);
  }
  return c;
}

CPixels SmallFlowers(SRgb petal) {
  CPixels c = Chip();
  Flower(c, 5, 6, petal, pal::flowerYellow);
  Flower(c, 10, 10, petal, pal::flowerYellow);
  return c;
}

CPixels Crack(const SRgb* ramp, int seed) {
  CPixels c = Chip();
  int x = 2, y = 4 + static_cast<int>(Hash(seed, 321) % 8);
  while (x < 14) {
    c.Set(x, y, ramp[0]);
    c.Set(x, y + 1, ramp[3]);
    ++x;
    if (Hash(seed, x, 322) % 3 == 0) y += (Hash(seed, x, 323) % 2) ? 1 : -1;
  }
  return c;
}

CPixels Moss() {
  CPixels c = Chip();
  for (int y = 4; y < 13; ++y)
    for (int x = 3; x < 13; ++x)
      if (std::hypot(x - 7.5, (y - 8.5) * 1.3) < 5 && Noise01(x, y, 331) < 0.7)
        c.Set(x, y, Noise01(x, y, 332) < 0.3 ? pal::grass[2] : pal::grass[1]);
  return c;
}

SDrawing Torch() {
  SDrawing d;
  CPixels& p = d.layer1;
  p.FillRect(14, 18, 4, 6, pal::iron[1]);
  p.FillRect(13, 17, 6, 2, pal::iron[2]);
  p.FillRect(15, 24, 2, 2, pal::iron[0]);
  for (int y = 8; y < 17; ++y)
    for (int x = 11; x < 21; ++x) {
      const double t = (17 - y) / 9.0;
      const double width = 3.5 * std::sqrt(std::max(0.0, 1 - t));
      if (std::abs(x + 0.5 - 16) > width) continue;
      p.Set(x, y, Ramp(pal::flame, 1.0 - std::abs(x + 0.5 - 16) / std::max(0.5, width) * 0.6 - t * 0.4, x, y));
    }
  return d;
}

SDrawing Banner() {
  SDrawing d;
  CPixels& p = d.layer1;
  p.FillRect(8, 8, 16, 2, pal::gold[1]);
  for (int y = 10; y < 28; ++y)
    for (int x = 9; x < 23; ++x) {
      const int bottom = 27 - std::abs(x - 16) / 2;  // a swallow-tail end
      if (y > bottom) continue;
      SRgb c = x == 9 || x == 22 ? pal::banner[0] : x < 12 ? pal::banner[2] : pal::banner[1];
      if (x == 11 || x == 20) c = pal::gold[2];
      if (std::abs(x - 16) + std::abs(y - 17) <= 3) c = std::abs(x - 16) + std::abs(y - 17) == 3 ? pal::gold[1] : pal::gold[3];
      p.Set(x, y, c);
    }
  return d;
}

SDrawing Window() {
  SDrawing d;
  CPixels& p = d.layer1;
  for (int y = 10; y < 26; ++y)
    for (int x = 12; x < 20; ++x) {
      const double arch = y < 14 ? std::hypot(x + 0.5 - 16, y + 0.5 - 14) : std::abs(x + 0.5 - 16);
      if (arch > 4) continue;
      p.Set(x, y, arch > 3 ? pal::stone[5] : (y < 16 ? pal::water[1] : pal::voidColour[1]));
    }
  p.FillRect(11, 26, 10, 1, pal::stone[5]);
  return d;
}

SDrawing Vines() {
  SDrawing d;
  for (int i = 0; i < 5; ++i) {
    const int x = 3 + i * 6 + static_cast<int>(Hash(i, 341) % 3);
    const int len = 8 + static_cast<int>(Hash(i, 342) % 12);
    for (int y = 7; y < 7 + len; ++y) {
      const int wx = x + ((y / 3) % 2);
      d.layer1.Set(wx, y, pal::leaf[2 + (y % 2)]);
      if (y % 4 == 0) d.layer1.Set(wx + 1, y, pal::leaf[4]);
    }
  }
  return d;
}

SDrawing CrystalVein() {
  SDrawing d;
  for (int i = 0; i < 6; ++i) {
    const int x = 6 + static_cast<int>(Hash(i, 351) % 20), y = 12 + static_cast<int>(Hash(i, 352) % 12);
    d.layer1.Set(x, y, pal::crystal[3]);
    d.layer1.Set(x + 1, y, pal::crystal[1]);
    d.layer1.Set(x, y + 1, pal::crystal[2]);
  }
  return d;
}

SDrawing Parapet() {
  SDrawing d;
  // Merlons along the outer edge of the wall walk, above the face.
  for (int x = 0; x < TILE; ++x) {
    const int m = x % 8;
    if (m > 5) continue;
    for (int y = 0; y < 8; ++y) {
      SRgb c = y == 0 ? pal::stone[5] : m == 0 ? pal::stone[4] : m == 5 ? pal::stone[1] : pal::stone[3];
      if (y == 7) c = pal::stone[1];
      d.layer2.Set(x, y, c);
    }
  }
  return d;
}

}  // namespace

void CChipSheet::PaintDecorations() {
  auto add = [&](EDecoration decoration, int groundKey, int band, const SDrawing& drawing) {
    AddDecorationDrawing(decoration, groundKey, drawing.layer1, drawing.layer2, band);
  };
  for (int v = 0; v < 4; ++v) add(EDecoration::FLOWERS, ANY_GROUND, BAND_FOREST, Flowers(v));
  for (int v = 0; v < 2; ++v) add(EDecoration::TALL_GRASS, ANY_GROUND, BAND_FOREST, TallGrass(v));
  for (int v = 0; v < 2; ++v) add(EDecoration::BUSH, ANY_GROUND, BAND_FOREST, Bush(v));
  for (int v = 0; v < 2; ++v) add(EDecoration::THICKET, ANY_GROUND, BAND_FOREST, Thicket(v));
  for (int v = 0; v < 2; ++v) add(EDecoration::TREE, ANY_GROUND, BAND_FOREST, Tree(v));
  for (int v = 0; v < 2; ++v) add(EDecoration::BOULDER, ANY_GROUND, BAND_FOREST, Boulder(v));
  for (EGround g : {EGround::WATER, EGround::CAVE_WATER, EGround::CHASM, EGround::MOAT}) {
    const int band = g == EGround::WATER ? BAND_FOREST : g == EGround::MOAT ? BAND_CASTLE : BAND_CAVE;
    add(EDecoration::BRIDGE, static_cast<int>(g), band, Bridge(true, g));
    add(EDecoration::BRIDGE, static_cast<int>(g), band, Bridge(false, g));
  }
  for (int v = 0; v < 2; ++v)
    add(EDecoration::STEPPING_STONES, static_cast<int>(EGround::WATER), BAND_FOREST, SteppingStones(v, EGround::WATER));
  for (int v = 0; v < 2; ++v)
    add(EDecoration::STEPPING_STONES, static_cast<int>(EGround::CAVE_WATER), BAND_CAVE,
        SteppingStones(v, EGround::CAVE_WATER));
  for (int v = 0; v < 3; ++v) add(EDecoration::RUBBLE, ANY_GROUND, BAND_CAVE, Rubble(v, pal::cave + 1, 5, pal::cave[0]));
  for (int v = 0; v < 2; ++v) add(EDecoration::STALAGMITE, ANY_GROUND, BAND_CAVE, Stalagmite(v));
  for (int v = 0; v < 2; ++v) add(EDecoration::CRYSTALS, ANY_GROUND, BAND_CAVE, Crystals(v));
  for (int v = 0; v < 2; ++v) add(EDecoration::MUSHROOMS, ANY_GROUND, BAND_CAVE, Mushrooms(v));
  add(EDecoration::PILLAR, ANY_GROUND, BAND_CASTLE, Pillar());
  add(EDecoration::STATUE, ANY_GROUND, BAND_CASTLE, Statue());
  add(EDecoration::BRAZIER, ANY_GROUND, BAND_CASTLE, Brazier());
  add(EDecoration::THRONE, ANY_GROUND, BAND_CASTLE, Throne());
  for (int v = 0; v < 2; ++v) add(EDecoration::DEBRIS, ANY_GROUND, BAND_CASTLE, Debris(v));

  auto single = [&](EGround ground, const CPixels& chip) { sprinkles[ground].push_back(AddSingleChip(chip)); };
  single(EGround::GRASS, SmallFlowers(pal::flowerWhite));
  single(EGround::GRASS, SmallFlowers(pal::flowerYellow));
  single(EGround::GRASS, Pebbles(pal::rock + 1, 1));
  single(EGround::GRASS, SmallFlowers(pal::flowerViolet));
  single(EGround::PATH, Pebbles(pal::dirt + 1, 2));
  single(EGround::PATH, Pebbles(pal::rock + 1, 3));
  single(EGround::WATER, LilyPad(false));
  single(EGround::WATER, LilyPad(true));
  single(EGround::CAVE_FLOOR, Pebbles(pal::cave + 2, 4));
  single(EGround::CAVE_FLOOR, Crack(pal::cave + 1, 5));
  single(EGround::CAVE_FLOOR, Pebbles(pal::cave + 1, 8));
  single(EGround::STONE, Crack(pal::stone + 1, 6));
  single(EGround::STONE, Moss());
  single(EGround::STONE, Pebbles(pal::stone + 1, 7));
  sprinkles[EGround::MARBLE] = {};
  sprinkles[EGround::LAWN] = sprinkles[EGround::GRASS];

  auto ornament = [&](EGround ground, int band, const SDrawing& drawing) {
    const int tile = AllocateTile(band);
    PaintTile(tile, [&](int x, int y) { return drawing.layer1.Get(x, y); });
    ornaments[ground].push_back(tile);
  };
  ornament(EGround::CASTLE_WALL, BAND_CASTLE, Torch());
  ornament(EGround::CASTLE_WALL, BAND_CASTLE, Banner());
  ornament(EGround::CASTLE_WALL, BAND_CASTLE, Window());
  ornament(EGround::CLIFF, BAND_FOREST, Vines());
  ornament(EGround::ROCK, BAND_CAVE, CrystalVein());
  const SDrawing parapet = Parapet();
  parapets[EGround::CASTLE_WALL] = AllocateTile(BAND_CASTLE);
  PaintTile(parapets[EGround::CASTLE_WALL], [&](int x, int y) { return parapet.layer2.Get(x, y); });
}

}  // namespace contentgen::maps

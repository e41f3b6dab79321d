// The battle map is made of square cells of 32 pixels; map pixels count
// from the top-left corner of cell (0, 0).
#pragma once

#include <cmath>

#include "core/geometry.h"

inline constexpr int kGridPixels = 32;

// The pixel centre of a cell.
inline SPointD GridToPixel(SPoint grid) {
  return {grid.x * 32.0 + 16.0, grid.y * 32.0 + 16.0};
}

// The cell that holds a map pixel. Floor division, so that pixel 0 lies in
// cell 0 and the pixels left of or above the map in negative cells
// (truncation would put the pixels -31..31 all into cell 0).
inline SPoint PixelToGrid(SPointD pixel) {
  return {static_cast<int>(std::floor(pixel.x / 32.0)), static_cast<int>(std::floor(pixel.y / 32.0))};
}

// Helpers for small pixel art drawn at one fine pixel per picture pixel:
// shaders that light round and cylindrical shapes from the upper left in a
// few flat tones, and the layout of the unit sprite sheets.
#pragma once

#include "images/painter.h"

namespace contentgen {

// Tones of a ramp by a lighting value in -1..1 (1 = facing the light).
SColor RampTone(const SRamp& ramp, double lit);
// A ball (ellipse) lit from the upper left.
Shader BallShade(SPt centre, double rx, double ry, const SRamp& ramp, double bias = 0.0);
// An upright cylinder between x0 and x1 (lit on the left).
Shader ColumnShade(double x0, double x1, const SRamp& ramp, double bias = 0.0);

// Unit sprite sheets: 3 walking frames across, facings up, right, down, left.
enum class EFacing { Up = 0, Right = 1, Down = 2, Left = 3 };
constexpr int kCell = 32;
constexpr int kSheetColumns = 3;
constexpr int kSheetRows = 4;

// Small pixel painter: a 32 x 32 layer sampled one to one.
inline CPainter NewCell() { return CPainter(kCell, kCell, 1); }

// Deterministic noise for texture (same inputs, same value, 0..1).
double Hash01(int x, int y, int seed);

}  // namespace contentgen

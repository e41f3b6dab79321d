#include "images/sprite_kit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace contentgen {

SColor RampTone(const SRamp& ramp, double lit) {
  if (lit > 0.5) return ramp.hi;
  if (lit > -0.15) return ramp.base;
  if (lit > -0.6) return ramp.mid;
  return ramp.dark;
}

Shader BallShade(SPt c, double rx, double ry, const SRamp& ramp, double bias) {
  return [=](double x, double y) {
    const double nx = (x - c.x) / rx, ny = (y - c.y) / ry;
    const double lit = -0.62 * nx - 0.78 * ny - 0.35 * (nx * nx + ny * ny) + 0.18 + bias;
    return RampTone(ramp, lit);
  };
}

Shader ColumnShade(double x0, double x1, const SRamp& ramp, double bias) {
  return [=](double x, double) {
    const double t = (x - x0) / std::max(0.5, x1 - x0);  // 0 left .. 1 right
    const double lit = 0.9 - 1.9 * t + bias;
    return RampTone(ramp, lit);
  };
}

double Hash01(int x, int y, int seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                    static_cast<std::uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / double(0x1000000);
}

}  // namespace contentgen

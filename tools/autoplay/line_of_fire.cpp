#include "line_of_fire.h"

#include <algorithm>

bool IsLineOfFireClear(SPoint from, SPoint to, const TerrainLookup& terrainAt) {
  // In cells: a flying shot is stopped within 16 of a wall's 32 pixels.
  constexpr double kStopDistance = 17.0 / 32.0;
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double length2 = dx * dx + dy * dy;
  for (int y = std::min(from.y, to.y); y <= std::max(from.y, to.y); ++y) {
    for (int x = std::min(from.x, to.x); x <= std::max(from.x, to.x); ++x) {
      const SPoint cell(x, y);
      if (cell == from || cell == to) continue;
      const std::optional<EMapObjectType> terrain = terrainAt(cell);
      if (!terrain || *terrain != EMapObjectType::BLOCKED) continue;
      // The point of the shot's path nearest the wall's middle.
      const double t = length2 == 0.0 ? 0.0 : std::clamp(((x - from.x) * dx + (y - from.y) * dy) / length2, 0.0, 1.0);
      const double ex = from.x + t * dx - x;
      const double ey = from.y + t * dy - y;
      if (ex * ex + ey * ey < kStopDistance * kStopDistance) return false;
    }
  }
  return true;
}

#include "combat/attack_area.h"

#include <algorithm>
#include <cmath>

namespace {

// Halves go away from zero; a zero, which rotation leaves as a tiny
// positive or negative rest, rounds to zero either way.
int RoundAway(double v) { return static_cast<int>(v > 0 ? v + 0.5 : v - 0.5); }

}  // namespace

EDirection4 GetAttackFacing(SPoint target, SPoint origin) {
  if (target == origin + SPoint(0, -1)) return EDirection4::UP;
  if (target == origin + SPoint(1, 0)) return EDirection4::RIGHT;
  if (target == origin + SPoint(0, 1)) return EDirection4::DOWN;
  if (target == origin + SPoint(-1, 0)) return EDirection4::LEFT;
  return EDirection4::UP;
}

SPoint RotateAreaOffset(SPoint offset, EDirection4 d) {
  const SPointD turned = SPointD(offset).Rotated(Direction4ToAngle(d));
  return {RoundAway(turned.x), RoundAway(turned.y)};
}

std::vector<SPoint> GetAttackArea(bool rotate, std::span<const SPoint> shape, SPoint target, SPoint origin,
                                  const TerrainLookup& terrainAt) {
  const EDirection4 facing = rotate ? GetAttackFacing(target, origin) : EDirection4::UP;
  std::vector<SPoint> area;
  area.reserve(shape.size());
  for (SPoint offset : shape) {
    const SPoint q = target + (rotate ? RotateAreaOffset(offset, facing) : offset);
    const std::optional<EMapObjectType> terrain = terrainAt(q);
    if (terrain && *terrain != EMapObjectType::BLOCKED) area.push_back(q);
  }
  return area;
}

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

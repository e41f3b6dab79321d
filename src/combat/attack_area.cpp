#include "combat/attack_area.h"

#include <algorithm>
#include <cmath>

#include "field/battlefield.h"
#include "field/geographical_features.h"

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

std::vector<SPoint> GetAttackArea(bool rotate, std::span<const SPoint> shape, SPoint target, SPoint origin,
                                  const CBattlefield& stage) {
  const CGeographicalFeatures* map = stage.GetMap();
  return GetAttackArea(rotate, shape, target, origin, [map](SPoint q) -> std::optional<EMapObjectType> {
    const CGridObject* cell = map ? map->GetGrid(q) : nullptr;
    if (!cell) return std::nullopt;
    return cell->type;
  });
}

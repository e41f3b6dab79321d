// Whether the party's arrows and fire bolts would get through: the party
// plans only shots that land. (The enemies plan theirs without looking, and
// the arrow stops at the wall in flight.)
#pragma once

#include "combat/attack_area.h"
#include "core/geometry.h"
#include "field/attack_types.h"

// Acts whose arrows or bolts fly across the map, and stop at walls.
constexpr bool IsShot(EAttackActType act) {
  return act == EAttackActType::BOW || act == EAttackActType::ARROW_SHOWER || act == EAttackActType::FIRE_BOLT;
}

// Whether a shot from the middle of `from` to the middle of `to` gets
// there: an arrow or a fire bolt stops on a wall cell whose middle it
// passes within half a cell of. A shot that only grazes a wall within a
// pixel of that is counted as stopped too: who plans a shot wants it to land.
bool IsLineOfFireClear(SPoint from, SPoint to, const TerrainLookup& terrainAt);

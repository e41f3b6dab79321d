// Which grids a weapon's or a skill's area strikes.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "core/direction.h"
#include "core/geometry.h"
#include "field/terrain.h"

class CBattlefield;

// The terrain of a map cell, or nullopt for a cell outside the map or one
// without a terrain cell. The battle answers it from its map.
using TerrainLookup = std::function<std::optional<EMapObjectType>(SPoint grid)>;

// The facing from `origin` to an adjacent `target`; UP for any other cell.
EDirection4 GetAttackFacing(SPoint target, SPoint origin);

// An offset written for an attacker facing up, turned to face `d`.
SPoint RotateAreaOffset(SPoint offset, EDirection4 d);

// The grids `shape` strikes when aimed at `target` from `origin`, in the
// shape's order. With `rotate` (weapons and skills of range exactly 1) the
// shape turns to the side of the origin that the target lies on. Grids
// outside the map, blocked or without terrain are dropped; the result may
// be empty. The battle asks through the overload below, which looks the
// terrain up on its map.
std::vector<SPoint> GetAttackArea(bool rotate, std::span<const SPoint> shape, SPoint target, SPoint origin,
                                  const TerrainLookup& terrainAt);

// The grids `shape` strikes on this battle's map when aimed at `target` from
// `origin`: cells off the map, without terrain or BLOCKED are dropped. The
// commands, the AI and the acts all ask here.
std::vector<SPoint> GetAttackArea(bool rotate, std::span<const SPoint> shape, SPoint target, SPoint origin,
                                  const CBattlefield& stage);

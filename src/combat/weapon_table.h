// The weapons a unit can carry.
#pragma once

#include <span>

#include "core/geometry.h"
#include "field/attack_types.h"

// Area offsets are written for an attacker facing up: negative y points
// away from the attacker, positive x to its right. Their order is the order
// in which the struck grids are visited.
struct SWeaponInfo {
  const char* name;
  const char* description;
  int extraValue;  // carried with the weapon; no rule reads it
  int power;
  std::span<const SPoint> area;
  int minRange;
  int maxRange;
  EAttackActType act;
};

extern const SWeaponInfo weaponTable[WEAPON_TYPE_COUNT];

// Throws std::runtime_error for a value outside the table (a damaged save).
const SWeaponInfo& GetWeaponInfo(EWeaponType weapon);

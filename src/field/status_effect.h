// The timed effects that skills lay on units.
#pragma once

#include <optional>

#include "field/attack_types.h"
#include "field/unit_status.h"

class CUnit;

// Every effect a skill lays starts with this many of the unit's own turns;
// it counts down at each turn end before poison bites, so it acts on the
// four turn ends after it lands.
constexpr int NEW_EXT_STATE_TURNS = 5;

// The effect a status skill lays: POISON and POISON_CLOUD poison, MOVE_UP
// and MOVE_DOWN as named, WT_DOWN hastens (FAST), WT_UP slows (SLOW),
// PROVOCATION provokes, CONCENTRATION concentrates. Every other skill,
// CURE included, lays POISON, which CURE then washes away with the rest.
EExtState GetSkillExtState(ESkill skill);

// HP a poisoned unit loses at the end of its own turn.
int GetPoisonDamage(const CUnit& unit);

// Hit rate, damage and healing. Previews (the prediction window, the AI's
// evaluation) pass randomize = false and draw nothing; a played-out attack
// passes true and the game's random generator.
#pragma once

#include "field/attack_types.h"

class CRandom;
class CUnit;

// Chance in percent (0..100) that a weapon attack hits; +20 from behind.
int GetWeaponHitRate(const CUnit& attacker, const CUnit& target);

// Damage of the attacker's weapon, at least 1.
int GetWeaponDamage(const CUnit& attacker, const CUnit& target, bool randomize, CRandom& random);
int GetWeaponDamage(const CUnit& attacker, const CUnit& target);  // preview

// Damage (> 0, though a randomised spread can reach 0), healing (< 0) or 0
// for a status skill. A randomised physical skill draws twice.
int GetSkillValue(ESkill skill, const CUnit& attacker, const CUnit& target, bool randomize, CRandom& random);
int GetSkillValue(ESkill skill, const CUnit& attacker, const CUnit& target);  // preview

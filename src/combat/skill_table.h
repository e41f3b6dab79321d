// The skills units learn and use.
#pragma once

#include <span>

#include "core/geometry.h"
#include "field/attack_types.h"

// Area offsets as for weapons: written for an attacker facing up.
struct SSkillInfo {
  const char* name;
  const char* description;
  int mp;        // spent on use
  double power;  // factor on the raw value
  std::span<const SPoint> area;
  int minRange;
  int maxRange;
  EAttackActType act;
  int price;  // money to learn it in the camp
};

extern const SSkillInfo skillTable[SKILL_COUNT];

// Throws std::runtime_error for a value outside the table (a damaged save).
const SSkillInfo& GetSkillInfo(ESkill skill);

EAttackActCategory GetSkillCategory(ESkill skill);

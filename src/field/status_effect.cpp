#include "field/status_effect.h"

#include <algorithm>

#include "field/unit.h"

EExtState GetSkillExtState(ESkill skill) {
  switch (skill) {
    case ESkill::MOVE_UP: return EExtState::MOVE_UP;
    case ESkill::MOVE_DOWN: return EExtState::MOVE_DOWN;
    case ESkill::WT_DOWN: return EExtState::FAST;
    case ESkill::WT_UP: return EExtState::SLOW;
    case ESkill::PROVOCATION: return EExtState::PROVOCATION;
    case ESkill::CONCENTRATION: return EExtState::CONCENTRATE;
    default: return EExtState::POISON;
  }
}

int GetPoisonDamage(const CUnit& unit) { return std::max(3, unit.maxHp / 8); }

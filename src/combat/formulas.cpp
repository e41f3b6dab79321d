#include "combat/formulas.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "combat/skill_table.h"
#include "combat/weapon_table.h"
#include "core/direction.h"
#include "core/random.h"
#include "core/saturating.h"
#include "field/unit.h"

namespace {

// A tenth either way, at least one, never below zero.
int Spread(int v, CRandom& random) {
  const std::int64_t s = std::max<std::int64_t>(1, v / 10);
  const int lo = Saturate(std::max<std::int64_t>(0, v - s));
  const int hi = Saturate(std::max<std::int64_t>(0, v + s));
  return random.NextRange(lo, hi);  // draws nothing when both ends are 0
}

// `random` is null for a preview.
int WeaponDamage(const CUnit& attacker, const CUnit& target, CRandom* random) {
  int b = Saturate(std::int64_t{GetWeaponInfo(attacker.weapon).power} + attacker.str - target.vit / 2);
  if (random) b = Spread(b, *random);
  return std::max(1, b);
}

int SkillValue(ESkill skill, const CUnit& attacker, const CUnit& target, CRandom* random) {
  const EAttackActCategory category = GetSkillCategory(skill);
  int v = 0;
  switch (category) {
    case EAttackActCategory::PHYSICAL:
      v = std::max(1, WeaponDamage(attacker, target, random));
      break;
    case EAttackActCategory::MAGIC:
      v = Saturate(std::max<std::int64_t>(1, std::int64_t{attacker.intelligence} - target.intelligence / 2));
      break;
    case EAttackActCategory::HEAL:
      v = Saturate(-std::int64_t{attacker.intelligence});
      break;
    case EAttackActCategory::STATUS:
      return 0;
  }
  v = TruncSaturate(v * GetSkillInfo(skill).power);
  // Healing is exact; damage spreads a second time for physical skills.
  if (category != EAttackActCategory::HEAL && random) v = Spread(v, *random);
  return v;
}

}  // namespace

int GetWeaponDamage(const CUnit& attacker, const CUnit& target, bool randomize, CRandom& random) {
  return WeaponDamage(attacker, target, randomize ? &random : nullptr);
}

int GetWeaponDamage(const CUnit& attacker, const CUnit& target) { return WeaponDamage(attacker, target, nullptr); }

int GetSkillValue(ESkill skill, const CUnit& attacker, const CUnit& target, bool randomize, CRandom& random) {
  return SkillValue(skill, attacker, target, randomize ? &random : nullptr);
}

int GetSkillValue(ESkill skill, const CUnit& attacker, const CUnit& target) {
  return SkillValue(skill, attacker, target, nullptr);
}

int GetWeaponHitRate(const CUnit& attacker, const CUnit& target) {
  std::int64_t h = std::int64_t{attacker.GetDex()} + 80 - target.agi;
  h = std::max<std::int64_t>(0, std::min<std::int64_t>(100, h));
  // Struck from behind: the target faces the same way the blow travels.
  const double angle = GetAngle(UnitMapPosition(attacker), UnitMapPosition(target));
  if (AngleToDirection4(angle) == target.direction) h = std::min<std::int64_t>(h + 20, 100);
  const int rate = static_cast<int>(h);
  std::printf("GetWeaponHitRate Ret = %d\n", rate);
  return rate;
}

#include "field/status_effect.h"

#include <gtest/gtest.h>

#include "field/unit.h"

namespace {

TEST(StatusEffectTest, EffectsLaidBySkillsAndPoisonDamage) {
  using enum ESkill;
  EXPECT_EQ(GetSkillExtState(POISON), EExtState::POISON);
  EXPECT_EQ(GetSkillExtState(POISON_CLOUD), EExtState::POISON);
  EXPECT_EQ(GetSkillExtState(MOVE_UP), EExtState::MOVE_UP);
  EXPECT_EQ(GetSkillExtState(MOVE_DOWN), EExtState::MOVE_DOWN);
  // WT_DOWN shortens the wait: the unit gets faster.
  EXPECT_EQ(GetSkillExtState(WT_DOWN), EExtState::FAST);
  EXPECT_EQ(GetSkillExtState(WT_UP), EExtState::SLOW);
  EXPECT_EQ(GetSkillExtState(PROVOCATION), EExtState::PROVOCATION);
  EXPECT_EQ(GetSkillExtState(CONCENTRATION), EExtState::CONCENTRATE);
  EXPECT_EQ(GetSkillExtState(CURE), EExtState::POISON);

  CUnit unit;
  unit.maxHp = 40;
  EXPECT_EQ(GetPoisonDamage(unit), 5);
  unit.maxHp = 31;
  EXPECT_EQ(GetPoisonDamage(unit), 3);
  unit.maxHp = 0;
  EXPECT_EQ(GetPoisonDamage(unit), 3);
  unit.maxHp = 200;
  EXPECT_EQ(GetPoisonDamage(unit), 25);
}

}  // namespace

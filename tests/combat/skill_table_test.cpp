#include "combat/skill_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>

namespace {

using enum EAttackActType;

EAttackActCategory CategoryOfAct(EAttackActType act) {
  switch (act) {
    case FIRE_BOLT:
    case FIRE_WALL:
    case LIGHTNING_BOLT: return EAttackActCategory::MAGIC;
    case HEAL:
    case AREA_HEAL:
    case RESURRECTION: return EAttackActCategory::HEAL;
    case POISON:
    case AREA_POISON: return EAttackActCategory::STATUS;
    default: return EAttackActCategory::PHYSICAL;
  }
}

bool Contains(std::span<const SPoint> area, SPoint p) { return std::find(area.begin(), area.end(), p) != area.end(); }

TEST(SkillTableTest, EverySkillIsConsistent) {
  std::set<std::string> names;
  for (int i = 0; i < SKILL_COUNT; ++i) {
    SCOPED_TRACE(i);
    const auto skill = static_cast<ESkill>(i);
    const SSkillInfo& s = GetSkillInfo(skill);
    EXPECT_TRUE(names.insert(s.name).second) << "name used twice";
    EXPECT_FALSE(std::string(s.description).empty());
    EXPECT_GT(s.mp, 0);
    EXPECT_GT(s.price, 0);
    EXPECT_GE(s.power, 1.0);
    EXPECT_GE(s.minRange, 0);
    EXPECT_LE(s.minRange, s.maxRange);
    ASSERT_FALSE(s.area.empty());
    std::set<std::pair<int, int>> cells;
    for (SPoint p : s.area) EXPECT_TRUE(cells.insert({p.x, p.y}).second) << "offset listed twice";

    const EAttackActCategory category = GetSkillCategory(skill);
    EXPECT_EQ(category, CategoryOfAct(s.act));
    // Physical skills are swung at the grid in front and turn with the
    // attacker; everything else is aimed freely and never turns.
    const bool turns = s.minRange == 1 && s.maxRange == 1;
    EXPECT_EQ(turns, category == EAttackActCategory::PHYSICAL);
    // Damage spells cannot be cast on oneself.
    if (category == EAttackActCategory::MAGIC) {
      EXPECT_GE(s.minRange, 1);
    }
  }
  // The struck shapes of the swung skills never include the attacker,
  // who stands one grid below the cursor.
  for (ESkill skill : {ESkill::ARROW_SHOWER, ESkill::ROLLING_SLASH, ESkill::LONG_THRUST}) {
    EXPECT_FALSE(Contains(GetSkillInfo(skill).area, {0, 1}));
  }
  EXPECT_FALSE(Contains(GetSkillInfo(ESkill::ARROW_SHOWER).area, {0, 0}));
  EXPECT_EQ(GetSkillInfo(ESkill::ROLLING_SLASH).area.size(), 7u);
  EXPECT_FALSE(Contains(GetSkillInfo(ESkill::ROLLING_SLASH).area, {0, 2}));  // behind the attacker

  EXPECT_THROW(GetSkillInfo(static_cast<ESkill>(SKILL_COUNT)), std::runtime_error);
  EXPECT_THROW(GetSkillCategory(static_cast<ESkill>(-1)), std::runtime_error);
}

}  // namespace

#include "field/unit_tables.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <stdexcept>
#include <string>

#include "combat/skill_table.h"
#include "combat/weapon_table.h"

namespace {

bool IsSlime(ECharactor c) {
  return c == ECharactor::SLIME || c == ECharactor::SLIME_RED || c == ECharactor::SLIME_YELLOW;
}

TEST(UnitTablesTest, ClassTableWalk) {
  std::set<int> sheets;
  for (int i = 0; i < CHARACTOR_COUNT; ++i) {
    SCOPED_TRACE(i);
    const auto c = static_cast<ECharactor>(i);
    const SClassInfo& info = GetClassInfo(c);
    EXPECT_FALSE(std::string(info.className).empty());
    EXPECT_FALSE(std::string(info.unitName).empty());
    EXPECT_EQ(std::string(info.face).rfind("ziki/", 0), 0u);
    EXPECT_NO_THROW(GetWeaponInfo(info.weapon));
    EXPECT_NE(info.weapon, EWeaponType::RESERVED);
    sheets.insert(info.spriteIndex);
    EXPECT_EQ(info.lyingPose, !IsSlime(c));
    for (const SClassSkill& s : info.skills) EXPECT_NO_THROW(GetSkillInfo(s.skill));

    if (IsPlayerClass(c)) {
      EXPECT_EQ(std::string(info.key).rfind("player_", 0), 0u);
      EXPECT_FALSE(info.skills.empty());
      // Skills the camp sells are distinct within a class.
      std::set<ESkill> distinct;
      for (const SClassSkill& s : info.skills) distinct.insert(s.skill);
      EXPECT_EQ(distinct.size(), info.skills.size());
      for (int s = 0; s < STATUS_TYPE_COUNT; ++s) {
        EXPECT_GT(classParamTable[i].base[s], 0);
        EXPECT_GT(classParamTable[i].cost[s], 0);
        EXPECT_EQ(ClassBaseParam(c, static_cast<EStatusType>(s)), classParamTable[i].base[s]);
      }
    } else {
      EXPECT_STREQ(info.key, "");
      EXPECT_TRUE(info.skills.empty());
      EXPECT_EQ(ClassBaseParam(c, EStatusType::HP), 0);
      EXPECT_EQ(ClassRaiseCost(c, EStatusType::MOVE), 0);
    }
  }
  // Every kind has a sheet of its own, 0..16.
  EXPECT_EQ(sheets.size(), static_cast<size_t>(CHARACTOR_COUNT));
  EXPECT_EQ(*sheets.begin(), 0);
  EXPECT_EQ(*sheets.rbegin(), CHARACTOR_COUNT - 1);
  EXPECT_THROW(GetClassInfo(static_cast<ECharactor>(CHARACTOR_COUNT)), std::runtime_error);
  EXPECT_THROW(GetClassInfo(static_cast<ECharactor>(-1)), std::runtime_error);
}

TEST(UnitTablesTest, EnemyStatTableWalk) {
  for (int i = PLAYER_CLASS_COUNT; i < CHARACTOR_COUNT; ++i) {
    const auto c = static_cast<ECharactor>(i);
    const SUnitAIInfo& ai = GetUnitAIInfo(c);
    EXPECT_NE(ai.kind, EUnitAIKind::NONE);
    int sets = 0;
    for (int rank = 0; rank < ENEMY_RANK_COUNT; ++rank) {
      SCOPED_TRACE(std::to_string(i) + " rank " + std::to_string(rank));
      const SEnemyStat* stat = GetEnemyStat(c, rank);
      if (!stat) continue;
      ++sets;
      using enum EStatusType;
      EXPECT_GT(stat->params[static_cast<int>(HP)], 0);
      EXPECT_GT(stat->params[static_cast<int>(WT)], 0);
      EXPECT_GT(stat->params[static_cast<int>(MOVE)], 0);
      for (int v : stat->params) EXPECT_GE(v, 0);
      EXPECT_GT(stat->skillPoint, 0);
      // The skill AIs plan with the unit's first skill; weapon AIs carry none.
      EXPECT_EQ(stat->skill.has_value(), ai.kind != EUnitAIKind::ATTACK_BY_WEAPON);
      if (stat->skill) {
        EXPECT_GT(GetSkillInfo(*stat->skill).mp, 0);
        // Skill AIs pay MP for their skill, so the pool must cover at least one use.
        EXPECT_GE(stat->params[static_cast<int>(MP)], GetSkillInfo(*stat->skill).mp);
        // Attackers hurt the party; the supporter helps its own side.
        const bool supports = GetSkillCategory(*stat->skill) == EAttackActCategory::HEAL ||
                              *stat->skill == ESkill::WT_DOWN;
        EXPECT_EQ(supports, ai.kind == EUnitAIKind::SUPPORT_BY_SKILL);
      }
    }
    EXPECT_GE(sets, 2);
  }
  // Player classes have no monster sets; ranks outside 0..2 are refused.
  EXPECT_EQ(GetEnemyStat(ECharactor::KNIGHT, 0), nullptr);
  EXPECT_EQ(GetEnemyStat(ECharactor::SNAKE, 2), nullptr);
  EXPECT_THROW(GetEnemyStat(ECharactor::SLIME, 3), std::runtime_error);
  EXPECT_THROW(GetEnemyStat(ECharactor::SLIME, -1), std::runtime_error);
  for (int i = 0; i < PLAYER_CLASS_COUNT; ++i) {
    EXPECT_EQ(GetUnitAIInfo(static_cast<ECharactor>(i)).kind, EUnitAIKind::NONE);
  }
}

TEST(UnitTablesTest, ParamCostByParameter) {
  using enum ECharactor;
  using enum EStatusType;
  // HP and MP: cost + current / 10; other parameters: cost + current / 5.
  EXPECT_EQ(ParamCost(FIGHTER, HP, 18), 5);
  EXPECT_EQ(ParamCost(FIGHTER, HP, 9), 4);
  EXPECT_EQ(ParamCost(KNIGHT, MP, 25), 7);
  EXPECT_EQ(ParamCost(FIGHTER, STR, 12), 5);
  EXPECT_EQ(ParamCost(ARCHER, INT, 14), 5);
  // Lowering WT below the class's base gets dearer with every step.
  EXPECT_EQ(ParamCost(FIGHTER, WT, 30), 50);
  EXPECT_EQ(ParamCost(FIGHTER, WT, 28), 150);
  EXPECT_EQ(ParamCost(SORCERESS, WT, 40), 50);
  EXPECT_EQ(ParamCost(KNIGHT, MOVE, 5), 200);
  // Division truncates toward zero.
  EXPECT_EQ(ParamCost(FIGHTER, HP, -15), 3);
  EXPECT_EQ(ParamCost(FIGHTER, DEX, -9), 2);
  // Monsters have no raising costs; damaged values saturate instead of wrapping.
  EXPECT_EQ(ParamCost(SLIME, HP, 50), 5);
  EXPECT_EQ(ParamCost(SLIME, MOVE, 50), 0);
  EXPECT_EQ(ParamCost(KNIGHT, MOVE, INT_MAX), INT_MAX);
  EXPECT_EQ(ParamCost(KNIGHT, WT, INT_MIN), INT_MAX);
  EXPECT_THROW(ParamCost(KNIGHT, static_cast<EStatusType>(9), 1), std::runtime_error);
}

TEST(UnitTablesTest, StatusTypeNamesRoundTrip) {
  for (int i = 0; i < STATUS_TYPE_COUNT; ++i) {
    const auto s = static_cast<EStatusType>(i);
    EXPECT_EQ(ParseStatusType(ToString(s)), s);
    EXPECT_FALSE(std::string(statusTypeTable[i].name).empty());
    EXPECT_FALSE(std::string(statusTypeTable[i].help).empty());
  }
  EXPECT_STREQ(ToString(EStatusType::INT), "INT");
  EXPECT_STREQ(ToString(EStatusType::MOVE), "MOVE");
  for (const char* bad : {"hp", "HP ", "", "SWEAT", "MOVES"}) {
    EXPECT_FALSE(TryParseStatusType(bad).has_value()) << bad;
  }
  EXPECT_THROW(ParseStatusType("Hp"), std::runtime_error);
  for (int i = 0; i < EXT_STATE_COUNT; ++i) {
    const SExtStateInfo& info = GetExtStateInfo(static_cast<EExtState>(i));
    EXPECT_EQ(std::string(info.icon).rfind("ui_parts/state_icon_", 0), 0u);
  }
  EXPECT_THROW(GetExtStateInfo(static_cast<EExtState>(EXT_STATE_COUNT)), std::runtime_error);
}

}  // namespace

#include "combat/attack_area.h"

#include <gtest/gtest.h>

#include <vector>

#include "combat/skill_table.h"
#include "combat/weapon_table.h"

namespace {

using Points = std::vector<SPoint>;

// A 10 x 10 plain map; `blocked` and `empty` cells as given.
TerrainLookup Map(Points blocked = {}, Points empty = {}) {
  return [blocked, empty](SPoint p) -> std::optional<EMapObjectType> {
    if (p.x < 0 || p.y < 0 || p.x >= 10 || p.y >= 10) return std::nullopt;
    for (SPoint e : empty) {
      if (e == p) return std::nullopt;
    }
    for (SPoint b : blocked) {
      if (b == p) return EMapObjectType::BLOCKED;
    }
    return (p.x + p.y) % 2 ? EMapObjectType::ROUGH : EMapObjectType::PLAIN;
  };
}

Points Relative(const Points& area, SPoint origin) {
  Points r;
  for (SPoint p : area) r.push_back(p - origin);
  return r;
}

TEST(AttackAreaTest, RotationTurnsOffsetsExactly) {
  // Rounding must turn tiny rests of sin/cos into exact zeros on both sides.
  for (int x = -3; x <= 3; ++x) {
    for (int y = -3; y <= 3; ++y) {
      const SPoint p(x, y);
      EXPECT_EQ(RotateAreaOffset(p, EDirection4::UP), SPoint(x, y));
      EXPECT_EQ(RotateAreaOffset(p, EDirection4::RIGHT), SPoint(-y, x));
      EXPECT_EQ(RotateAreaOffset(p, EDirection4::DOWN), SPoint(-x, -y));
      EXPECT_EQ(RotateAreaOffset(p, EDirection4::LEFT), SPoint(y, -x));
    }
  }
  const SPoint o(4, 4);
  EXPECT_EQ(GetAttackFacing({4, 3}, o), EDirection4::UP);
  EXPECT_EQ(GetAttackFacing({5, 4}, o), EDirection4::RIGHT);
  EXPECT_EQ(GetAttackFacing({4, 5}, o), EDirection4::DOWN);
  EXPECT_EQ(GetAttackFacing({3, 4}, o), EDirection4::LEFT);
  EXPECT_EQ(GetAttackFacing({5, 5}, o), EDirection4::UP);  // diagonal
  EXPECT_EQ(GetAttackFacing({4, 4}, o), EDirection4::UP);
  EXPECT_EQ(GetAttackFacing({4, 1}, o), EDirection4::UP);
}

TEST(AttackAreaTest, SwungShapesTurnWithTheAttacker) {
  const SPoint attacker(5, 5);
  // The large sword aimed right: that grid, then the ones above and below it.
  EXPECT_EQ(GetAttackArea(true, weaponTable[3].area, {6, 5}, attacker, Map()), (Points{{6, 5}, {6, 4}, {6, 6}}));
  EXPECT_EQ(GetAttackArea(true, weaponTable[3].area, {5, 6}, attacker, Map()), (Points{{5, 6}, {6, 6}, {4, 6}}));
  // The spear reaches one grid further in the direction of the blow.
  EXPECT_EQ(GetAttackArea(true, weaponTable[5].area, {4, 5}, attacker, Map()), (Points{{4, 5}, {3, 5}}));

  // Arrow shower facing up skips the grid in front and opens beyond it.
  const auto shower = GetSkillInfo(ESkill::ARROW_SHOWER).area;
  EXPECT_EQ(Relative(GetAttackArea(true, shower, {5, 4}, attacker, Map()), attacker),
            (Points{{-2, -2}, {-1, -3}, {0, -3}, {1, -3}, {2, -2}}));

  // The rolling slash hits the attacker's neighbours except the one behind,
  // whichever way it faces.
  const auto ring = GetSkillInfo(ESkill::ROLLING_SLASH).area;
  EXPECT_EQ(Relative(GetAttackArea(true, ring, {6, 5}, attacker, Map()), attacker),
            (Points{{1, -1}, {1, 0}, {1, 1}, {0, -1}, {0, 1}, {-1, -1}, {-1, 1}}));
  EXPECT_EQ(Relative(GetAttackArea(true, ring, {5, 6}, attacker, Map()), attacker),
            (Points{{1, 1}, {0, 1}, {-1, 1}, {1, 0}, {-1, 0}, {1, -1}, {-1, -1}}));

  // The three-grid thrust aimed left.
  EXPECT_EQ(GetAttackArea(true, GetSkillInfo(ESkill::LONG_THRUST).area, {4, 5}, attacker, Map()),
            (Points{{4, 5}, {3, 5}, {2, 5}}));

  // A target that is not beside the attacker keeps the upward shape.
  EXPECT_EQ(GetAttackArea(true, weaponTable[3].area, {5, 2}, attacker, Map()), (Points{{5, 2}, {4, 2}, {6, 2}}));
  // Aimed shapes never turn.
  EXPECT_EQ(GetAttackArea(false, GetSkillInfo(ESkill::CONCENTRATION).area, {5, 5}, attacker, Map()),
            (Points{{5, 5}, {6, 5}, {4, 5}, {5, 6}, {5, 4}}));
  EXPECT_EQ(GetAttackArea(false, weaponTable[3].area, {6, 5}, attacker, Map()), (Points{{6, 5}, {5, 5}, {7, 5}}));
}

TEST(AttackAreaTest, GridsOffTheMapOrBlockedAreDropped) {
  const auto cross = GetSkillInfo(ESkill::FIRE_WALL).area;
  // In the corner: left and top fall off the map.
  EXPECT_EQ(GetAttackArea(false, cross, {0, 0}, {3, 3}, Map()), (Points{{0, 0}, {1, 0}, {0, 1}}));
  EXPECT_EQ(GetAttackArea(false, cross, {9, 9}, {3, 3}, Map()), (Points{{9, 9}, {8, 9}, {9, 8}}));
  // Blocked cells and cells without terrain drop out; the order holds.
  EXPECT_EQ(GetAttackArea(false, cross, {4, 4}, {0, 0}, Map({{3, 4}, {4, 5}}, {{4, 3}})), (Points{{4, 4}, {5, 4}}));
  // Everything gone: an empty area, no error.
  EXPECT_TRUE(GetAttackArea(false, GetSkillInfo(ESkill::FIRE_BOLT).area, {2, 2}, {0, 0}, Map({{2, 2}})).empty());
  EXPECT_TRUE(GetAttackArea(true, weaponTable[0].area, {-1, 0}, {0, 0}, Map()).empty());
  EXPECT_TRUE(GetAttackArea(false, weaponTable[4].area, {2, 2}, {2, 3}, Map()).empty());
}

}  // namespace


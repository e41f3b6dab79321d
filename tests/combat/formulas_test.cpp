#include "combat/formulas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <stdexcept>

#include "battle/stage.h"
#include "core/random.h"
#include "field/unit.h"
#include "gfx/stage_actor.h"

namespace {

std::unique_ptr<CUnit> MakeUnit(SPoint grid, EDirection4 facing = EDirection4::DOWN) {
  auto unit = std::make_unique<CUnit>(ECharactor::KNIGHT, 0, grid);
  unit->direction = facing;
  unit->hp = unit->maxHp = 20;
  return unit;
}

// The result of a randomised formula over many seeds, each checked against
// the one draw (or two) a twin generator makes with the expected bounds.
template <typename Formula, typename Expected>
std::set<int> Spread(Formula formula, Expected expected) {
  std::set<int> seen;
  for (std::uint32_t seed = 0; seed < 300; ++seed) {
    CRandom random(seed);
    CRandom twin(seed);
    const int got = formula(random);
    EXPECT_EQ(got, expected(twin)) << "seed " << seed;
    EXPECT_EQ(random.GetCount(), twin.GetCount()) << "seed " << seed;
    seen.insert(got);
  }
  return seen;
}

std::set<int> Range(int lo, int hi) {
  std::set<int> r;
  for (int v = lo; v <= hi; ++v) r.insert(v);
  return r;
}

TEST(FormulasTest, HitRateClampsAndConcentration) {
  // Side by side, the target looking at the attacker: no bonus.
  auto attacker = MakeUnit({3, 3}, EDirection4::RIGHT);
  auto target = MakeUnit({4, 3}, EDirection4::LEFT);
  attacker->dex = 50;
  target->agi = 10;
  EXPECT_EQ(GetWeaponHitRate(*attacker, *target), 100);  // 120 clamped
  attacker->dex = 10;
  target->agi = 95;
  EXPECT_EQ(GetWeaponHitRate(*attacker, *target), 0);  // -5 clamped
  attacker->dex = 20;
  target->agi = 90;
  EXPECT_EQ(GetWeaponHitRate(*attacker, *target), 10);
  // Concentration counts before the clamp; the target's raw AGI is used.
  attacker->AddExtState({5, EExtState::CONCENTRATE});
  target->AddExtState({5, EExtState::CONCENTRATE});
  EXPECT_EQ(GetWeaponHitRate(*attacker, *target), 35);
  attacker->dex = 0;
  target->agi = 120;
  EXPECT_EQ(GetWeaponHitRate(*attacker, *target), 0);  // -15 clamped
}

TEST(FormulasTest, HitRateFromBehind) {
  auto target = MakeUnit({5, 5}, EDirection4::UP);
  target->agi = 100;
  auto attacker = MakeUnit({5, 6});
  attacker->dex = 20;
  // Due south of a target looking north: 0 % becomes 20 %.
  EXPECT_EQ(GetWeaponHitRate(*attacker, *target), 20);
  target->direction = EDirection4::DOWN;
  EXPECT_EQ(GetWeaponHitRate(*attacker, *target), 0);
  // The bonus never pushes past 100.
  attacker->dex = 40;
  target->agi = 0;
  target->direction = EDirection4::UP;
  EXPECT_EQ(GetWeaponHitRate(*attacker, *target), 100);

  // Diagonals: the attack from the lower right travels up-left and counts
  // as LEFT, the one from the lower left as UP.
  attacker->dex = 20;
  target->agi = 100;
  attacker->grid = {6, 6};
  target->direction = EDirection4::LEFT;
  EXPECT_EQ(GetWeaponHitRate(*attacker, *target), 20);
  target->direction = EDirection4::UP;
  EXPECT_EQ(GetWeaponHitRate(*attacker, *target), 0);
  attacker->grid = {4, 6};
  EXPECT_EQ(GetWeaponHitRate(*attacker, *target), 20);

  // With actors, their positions count, not the grids.
  CStage stage;
  attacker->grid = {5, 6};
  attacker->actor = std::make_unique<CStageActor>(stage, SDrawData(), SPointD(208, 176));  // east of the target
  target->direction = EDirection4::LEFT;
  EXPECT_EQ(GetWeaponHitRate(*attacker, *target), 20);
  attacker->actor.reset();  // back to the grid, south of the target
  EXPECT_EQ(GetWeaponHitRate(*attacker, *target), 0);
}

TEST(FormulasTest, WeaponDamageAndItsSpread) {
  auto attacker = MakeUnit({0, 0});
  auto target = MakeUnit({0, 1});
  attacker->weapon = EWeaponType::LONG_SWORD;  // power 4
  attacker->str = 21;
  target->vit = 1;  // halves to 0
  EXPECT_EQ(GetWeaponDamage(*attacker, *target), 25);
  CRandom quiet(1);
  EXPECT_EQ(GetWeaponDamage(*attacker, *target, false, quiet), 25);
  EXPECT_EQ(quiet.GetCount(), 0u);  // a preview draws nothing

  const auto damage = [&](CRandom& r) { return GetWeaponDamage(*attacker, *target, true, r); };
  EXPECT_EQ(Spread(damage, [](CRandom& r) { return r.NextRange(23, 27); }), Range(23, 27));

  attacker->str = 0;  // base 4: spread 1
  EXPECT_EQ(Spread(damage, [](CRandom& r) { return r.NextRange(3, 5); }), Range(3, 5));

  // Base -3: the spread -4..-2 rounds up to 0..0, nothing is drawn, 1 is dealt.
  attacker->weapon = EWeaponType::NONE;
  target->vit = 6;
  EXPECT_EQ(Spread(damage, [](CRandom&) { return 1; }), std::set<int>{1});
  EXPECT_EQ(GetWeaponDamage(*attacker, *target), 1);

  // Base 0: 0..1 is drawn and raised to at least 1.
  target->vit = 0;
  EXPECT_EQ(Spread(damage, [](CRandom& r) { return std::max(1, r.NextRange(0, 1)); }), std::set<int>{1});

  attacker->weapon = static_cast<EWeaponType>(8);
  EXPECT_THROW(GetWeaponDamage(*attacker, *target), std::runtime_error);
}

TEST(FormulasTest, SkillValues) {
  auto caster = MakeUnit({0, 0});
  auto target = MakeUnit({0, 1});
  caster->intelligence = 30;
  target->intelligence = 20;
  EXPECT_EQ(GetSkillValue(ESkill::FIRE_BOLT, *caster, *target), 20);
  EXPECT_EQ(GetSkillValue(ESkill::LIGHTNING_BOLT, *caster, *target), 30);
  EXPECT_EQ(GetSkillValue(ESkill::FIRE_WALL, *caster, *target), 24);
  const auto bolt = [&](CRandom& r) { return GetSkillValue(ESkill::FIRE_BOLT, *caster, *target, true, r); };
  EXPECT_EQ(Spread(bolt, [](CRandom& r) { return r.NextRange(18, 22); }), Range(18, 22));
  const auto lightning = [&](CRandom& r) {
    return GetSkillValue(ESkill::LIGHTNING_BOLT, *caster, *target, true, r);
  };
  EXPECT_EQ(Spread(lightning, [](CRandom& r) { return r.NextRange(27, 33); }), Range(27, 33));

  // Magic is at least 1 before the spread, which can still take it to 0.
  caster->intelligence = 5;
  target->intelligence = 40;
  EXPECT_EQ(GetSkillValue(ESkill::FIRE_BOLT, *caster, *target), 1);
  EXPECT_EQ(Spread(bolt, [](CRandom& r) { return r.NextRange(0, 2); }), Range(0, 2));

  // Healing is the caster's INT, exact; status skills are worth nothing.
  caster->intelligence = 12;
  for (ESkill heal : {ESkill::HEAL, ESkill::LONG_HEAL, ESkill::AREA_HEAL, ESkill::RESURRECTION}) {
    CRandom random(3);
    EXPECT_EQ(GetSkillValue(heal, *caster, *target, true, random), -12);
    EXPECT_EQ(random.GetCount(), 0u);
  }
  for (ESkill status : {ESkill::POISON, ESkill::CURE, ESkill::WT_UP, ESkill::CONCENTRATION}) {
    CRandom random(3);
    EXPECT_EQ(GetSkillValue(status, *caster, *target, true, random), 0);
    EXPECT_EQ(random.GetCount(), 0u);
  }
}

TEST(FormulasTest, PhysicalSkillsDrawTwice) {
  auto attacker = MakeUnit({0, 0});
  auto target = MakeUnit({0, 1});
  attacker->weapon = EWeaponType::LARGE_SWORD;  // power 6
  attacker->str = 14;
  target->vit = 0;
  // Preview: 20 x 1.5 for the rolling slash, 20 x 1.2 for the thrust.
  EXPECT_EQ(GetSkillValue(ESkill::ROLLING_SLASH, *attacker, *target), 30);
  EXPECT_EQ(GetSkillValue(ESkill::LONG_THRUST, *attacker, *target), 24);

  const auto slash = [&](CRandom& r) { return GetSkillValue(ESkill::ROLLING_SLASH, *attacker, *target, true, r); };
  const auto expected = [](CRandom& r) {
    const int weapon = r.NextRange(18, 22);
    const int v = static_cast<int>(std::trunc(weapon * 1.5));
    const int s = std::max(1, v / 10);
    return r.NextRange(v - s, v + s);
  };
  const std::set<int> seen = Spread(slash, expected);
  EXPECT_EQ(*seen.begin(), 25);  // 27 - 2 at the lowest
  EXPECT_EQ(*seen.rbegin(), 36);  // 33 + 3 at the highest
}

}  // namespace

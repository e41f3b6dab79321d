// Moves and attacks played out frame by frame on a small map, against
// frames counted by hand.
#include "battle/unit_action.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "battle/cursor.h"
#include "battle/stage_strategies.h"
#include "combat/attack_act.h"
#include "combat/effect.h"
#include "combat/formulas.h"
#include "small_battle.h"

namespace {

using D = EDirection4;

bool IsActing(const CStage& stage) { return dynamic_cast<CStageStrategy_UnitAction*>(stage.GetStrategy()); }

// Installs an action with one info made by `make` from the new strategy.
template <class Make>
CStageStrategy_UnitAction& StartAction(CStage& stage, Make make) {
  auto action = std::make_unique<CStageStrategy_UnitAction>(stage);
  CStageStrategy_UnitAction& raw = *action;
  action->AddActionInfo(make(raw));
  stage.SetStrategy(std::move(action));
  return raw;
}

void Attack(CStage& stage, EAttackActType kind, CUnit& attacker, std::vector<SPoint> grids,
            ESkill skill = ESkill::FIRE_BOLT) {
  StartAction(stage, [&](CStageStrategy_UnitAction& owner) {
    return std::make_unique<CUnitActionInfo_Attack>(owner, kind, attacker, grids, skill);
  });
}

// Never misses, never strikes from behind by accident.
void SureHand(CUnit& unit) { unit.dex = 1000; }

TEST(UnitActionTest, AThreeGridWalkTakesElevenFramesAGrid) {
  CSmallBattle battle({"....."});
  CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {0, 0});
  StartAction(battle, [&](CStageStrategy_UnitAction& owner) {
    return std::make_unique<CUnitActionInfo_Move>(owner, knight, std::vector<D>{D::RIGHT, D::RIGHT, D::RIGHT});
  });
  EXPECT_FALSE(battle.cursor->visible);
  std::vector<int> gridChanges;
  SPoint last = knight.grid;
  for (int frame = 1; frame <= 40 && IsActing(battle); ++frame) {
    battle.Update();
    if (knight.grid != last) gridChanges.push_back(frame);
    last = knight.grid;
    if (frame == 5) {
      EXPECT_DOUBLE_EQ(knight.actor->position.x, 16.0 + 15.0);
    }
  }
  EXPECT_EQ(gridChanges, (std::vector<int>{11, 22, 33}));
  EXPECT_EQ(knight.grid, SPoint(3, 0));
  EXPECT_EQ(knight.actor->position, SPointD(112, 16));
  EXPECT_EQ(knight.direction, D::RIGHT);
  EXPECT_FALSE(IsActing(battle)) << "browsing is back once the walk is over";
  EXPECT_TRUE(battle.cursor->visible);
}

TEST(UnitActionTest, ASwordKillFromHitStopToFadeOut) {
  CSmallBattle battle({"...."});
  CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {0, 0}, D::RIGHT);
  CUnit& slime = battle.Add(ECharactor::SLIME, 1, {1, 0}, D::LEFT);
  SureHand(knight);
  knight.weapon = EWeaponType::SHORT_SWORD;
  slime.hp = 1;
  slime.skillPoint = 9;
  knight.skillPoint = 0;
  Attack(battle, EAttackActType::SHORT_SWORD, knight, {{1, 0}});

  // Frame 13 (act frame 12) strikes and stops the battle for 8 frames: 13..20.
  EXPECT_EQ(battle.RunUntil([&] { return battle.hitStop.IsActive(); }), 13);
  const SPointD frozen = knight.actor->position;
  EXPECT_EQ(battle.RunUntil([&] { return !battle.hitStop.IsActive(); }), 7);
  EXPECT_EQ(slime.hp, 1) << "nothing lands during the hit stop";
  EXPECT_EQ(knight.actor->position, frozen);
  // Frame 21: the blow lands; 32 updates later (frame 52) the enemy is down
  // and pays out; it fades over the next 26 frames and leaves in frame 78.
  battle.Update();
  EXPECT_EQ(slime.hp, 0);
  EXPECT_EQ(battle.effects.size(), 1u) << "one digit floats up";
  EXPECT_EQ(battle.RunUntil([&] { return knight.skillPoint != 0; }), 31);
  EXPECT_EQ(knight.skillPoint, 4);
  EXPECT_EQ(battle.state.battleSkillPoint, 9);
  EXPECT_EQ(battle.RunUntil([&] { return !slime.onStage; }), 26);
  EXPECT_EQ(battle.state.units.size(), 1u) << "the faded enemy left the turn order";
  EXPECT_FALSE(IsActing(battle));
  EXPECT_TRUE(battle.bullets.empty()) << "the sword sprite is gone";
}

TEST(UnitActionTest, TheLargeSwordHalvesItsSideGridsAndEachStruckUnitGetsItsOwnHit) {
  CSmallBattle battle({"...", "...", "..."}, 77);
  CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {0, 1}, D::RIGHT);
  SureHand(knight);
  knight.weapon = EWeaponType::LARGE_SWORD;
  CUnit& centre = battle.Add(ECharactor::OGRE, 1, {1, 1});
  CUnit& above = battle.Add(ECharactor::OGRE, 1, {1, 0});
  CUnit& below = battle.Add(ECharactor::OGRE, 1, {1, 2});
  const int hp = centre.hp;

  // The same draws in the same order: a roll and a damage for each unit.
  CRandom replay(77);
  std::vector<int> expected;
  for (CUnit* unit : {&centre, &above, &below}) {
    replay.NextRange(0, 99);
    expected.push_back(GetWeaponDamage(knight, *unit, true, replay));
  }
  Attack(battle, EAttackActType::LARGE_SWORD, knight, {{1, 1}, {1, 0}, {1, 2}});
  battle.RunUntil([&] { return battle.hitStop.IsActive(); });
  ASSERT_EQ(IsActing(battle), true);
  const auto& infos = dynamic_cast<CStageStrategy_UnitAction&>(*battle.GetStrategy()).GetActionInfos();
  ASSERT_EQ(infos.size(), 4u) << "the attack and one damage info per struck ogre";
  EXPECT_EQ(&infos[1]->GetUnit(), &centre);
  EXPECT_EQ(&infos[3]->GetUnit(), &below);
  battle.RunUntil([&] { return centre.hp != hp; });
  EXPECT_EQ(hp - centre.hp, expected[0]);
  EXPECT_EQ(hp - above.hp, expected[1] / 2);
  EXPECT_EQ(hp - below.hp, expected[2] / 2);
}

TEST(UnitActionTest, AMissDodgesWithoutHitStop) {
  CSmallBattle battle({"...."});
  CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {0, 0}, D::RIGHT);
  CUnit& slime = battle.Add(ECharactor::SLIME, 1, {1, 0}, D::LEFT);
  knight.dex = -1000;  // hit rate 0
  const SPointD start = slime.actor->position;
  const int hp = slime.hp;
  Attack(battle, EAttackActType::SHORT_SWORD, knight, {{1, 0}});
  battle.RunUntil([] { return false; }, 13);  // the results frame
  EXPECT_FALSE(battle.hitStop.IsActive());
  battle.Update();  // the dodge starts: 4 pixels a frame away from the knight
  battle.RunUntil([] { return false; }, 4);
  EXPECT_DOUBLE_EQ(slime.actor->position.x, start.x + 20.0);
  battle.RunUntil([] { return false; }, 6);
  EXPECT_EQ(slime.actor->position, start);
  EXPECT_EQ(slime.hp, hp);
}

TEST(UnitActionTest, ArrowsStopOnBlockedGroundButLightningDoesNot) {
  // The archer at (0, 0), a wall at (2, 0), the slime at (4, 0).
  struct Case {
    EAttackActType kind;
    bool struck;
  };
  for (const Case c : {Case{EAttackActType::BOW, false}, Case{EAttackActType::LIGHTNING_BOLT, true},
                       Case{EAttackActType::FIRE_BOLT, false}}) {
    CSmallBattle battle({"..#.."});
    CUnit& archer = battle.Add(ECharactor::ARCHER, 0, {0, 0}, D::RIGHT);
    SureHand(archer);
    archer.intelligence = 30;
    CUnit& slime = battle.Add(ECharactor::SLIME, 1, {4, 0});
    slime.hp = slime.maxHp = 500;
    Attack(battle, c.kind, archer, {{4, 0}});
    EXPECT_GT(battle.RunUntil([&] { return !IsActing(battle); }), 0) << static_cast<int>(c.kind);
    EXPECT_EQ(slime.hp < 500, c.struck) << static_cast<int>(c.kind);
    EXPECT_TRUE(battle.bullets.empty());
  }
}

TEST(UnitActionTest, HealingRaisesBodiesOnlyAsItsKindAllows) {
  struct Case {
    EAttackActType kind;
    int hpBefore;
    int hpAfter;
  };
  // The priestess heals by her INT of 15; bodies rise only to the area heal
  // and the resurrection, living units only to the heal and the area heal.
  const Case cases[] = {
      {EAttackActType::AREA_HEAL, 0, 20},    {EAttackActType::HEAL, 0, 0},
      {EAttackActType::RESURRECTION, 0, 20}, {EAttackActType::RESURRECTION, 5, 5},
      {EAttackActType::HEAL, 20, 30},        {EAttackActType::AREA_HEAL, 25, 30},
  };
  for (const Case& c : cases) {
    CSmallBattle battle({"..."});
    CUnit& priestess = battle.Add(ECharactor::PRIESTESS, 0, {0, 0}, D::RIGHT);
    priestess.intelligence = 15;
    CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {1, 0}, D::UP);
    knight.maxHp = 30;
    knight.hp = c.hpBefore;
    testing::internal::CaptureStdout();
    Attack(battle, c.kind, priestess, {{1, 0}}, ESkill::HEAL);
    battle.RunUntil([&] { return !IsActing(battle); });
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(knight.hp, c.hpAfter) << static_cast<int>(c.kind) << " on " << c.hpBefore;
    const bool raised = c.hpBefore == 0 && c.hpAfter > 0;
    EXPECT_EQ(out.find("RESURRECTION!!\n") != std::string::npos, raised);
    if (raised) {
      EXPECT_EQ(knight.direction, D::DOWN);
    }
  }
}

TEST(UnitActionTest, HealingStopsAtMaxHpWhileTheNumberShowsAll) {
  CSmallBattle battle({".."});
  CUnit& priestess = battle.Add(ECharactor::PRIESTESS, 0, {0, 0}, D::RIGHT);
  priestess.intelligence = 15;
  CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {1, 0});
  knight.hp = knight.maxHp - 10;
  Attack(battle, EAttackActType::HEAL, priestess, {{1, 0}}, ESkill::HEAL);
  battle.RunUntil([&] { return knight.hp == knight.maxHp; });
  int digits = 0;
  for (const auto& e : battle.effects) {
    const auto* effect = dynamic_cast<const CEffect*>(e.get());
    if (effect && effect->kind == EEffectType::DAMAGE_NUMBER) ++digits;
  }
  EXPECT_EQ(knight.hp, knight.maxHp);
  EXPECT_EQ(digits, 2) << "\"15\" floats up in two green digits";
}

TEST(UnitActionTest, PoisonKillsPayTheBattleButNoUnitAndCureKeepsOtherEffects) {
  CSmallBattle battle({"..."});
  CUnit& slime = battle.Add(ECharactor::SLIME, 1, {0, 0});
  slime.hp = 3;
  slime.skillPoint = 7;
  battle.StartPoisonDamage(slime, 5);
  EXPECT_GT(battle.RunUntil([&] { return !slime.onStage; }), 0);
  EXPECT_EQ(battle.state.battleSkillPoint, 7);

  // A cure on a unit already carrying four effects lays nothing new: its
  // speed stays, only the poison goes.
  CUnit& priestess = battle.Add(ECharactor::PRIESTESS, 0, {1, 0}, D::RIGHT);
  CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {2, 0});
  for (EExtState s : {EExtState::FAST, EExtState::POISON, EExtState::MOVE_UP, EExtState::CONCENTRATE}) {
    knight.AddExtState({5, s});
  }
  Attack(battle, EAttackActType::POISON, priestess, {{2, 0}}, ESkill::CURE);
  battle.RunUntil([&] { return !IsActing(battle); });
  EXPECT_FALSE(knight.HasExtState(EExtState::POISON));
  EXPECT_TRUE(knight.HasExtState(EExtState::FAST));
  EXPECT_EQ(knight.extStates.size(), 3u);
}

TEST(UnitActionTest, RollingSlashTurnsAQuarterCounterClockwise) {
  for (const auto& [from, to] : {std::pair{D::UP, D::LEFT}, std::pair{D::RIGHT, D::UP}}) {
    CSmallBattle battle({"...", "...", "..."});
    CUnit& fighter = battle.Add(ECharactor::FIGHTER, 0, {1, 1}, from);
    Attack(battle, EAttackActType::ROLLING_SLASH, fighter, {{0, 1}, {2, 1}});
    // Results at act frame 20, the end at 52 (plus the 53rd frame that sees it).
    EXPECT_EQ(battle.RunUntil([&] { return !IsActing(battle); }), 53);
    EXPECT_EQ(fighter.direction, to);
    EXPECT_DOUBLE_EQ(fighter.actor->heading, Direction4ToAngle(to));
  }
}

TEST(UnitActionTest, AnImpossibleAttackEndsAtOnceWithAWord) {
  CSmallBattle battle({"..."});
  CUnit& archer = battle.Add(ECharactor::ARCHER, 0, {0, 0}, D::RIGHT);
  testing::internal::CaptureStderr();
  Attack(battle, EAttackActType::BOW, archer, {{1, 0}, {2, 0}});
  battle.Update();
  EXPECT_FALSE(IsActing(battle));
  Attack(battle, static_cast<EAttackActType>(40), archer, {{1, 0}});
  battle.Update();
  EXPECT_FALSE(IsActing(battle));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("instead of one"), std::string::npos);
  EXPECT_NE(err.find("unknown kind 40"), std::string::npos);
}

TEST(UnitActionTest, AUnitFallingInItsOwnTurnTakesTheTurnWithIt) {
  CStageState state;
  CUnit caster, next, last;
  caster.wtCount = 0;
  next.wtCount = 6;
  last.wtCount = 9;
  state.units = {&caster, &next, &last};
  state.turnCount = 4;
  caster.onStage = false;
  state.RemoveOffStage();
  EXPECT_EQ(state.units, (UnitOrder{&next, &last}));
  EXPECT_EQ(next.wtCount, 0);
  EXPECT_EQ(last.wtCount, 3);
  EXPECT_EQ(state.turnCount, 5);
  // Another unit leaving changes nobody's wait.
  last.onStage = false;
  state.RemoveOffStage();
  EXPECT_EQ(next.wtCount, 0);
  EXPECT_EQ(state.turnCount, 5);
}

}  // namespace

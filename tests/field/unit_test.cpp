#include "field/unit.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "battle/stage.h"
#include "gfx/stage_actor.h"

namespace {

using enum EExtState;

std::vector<EExtState> Types(const CUnit& unit) {
  std::vector<EExtState> types;
  for (const CUnitExtState& s : unit.extStates) types.push_back(s.type);
  return types;
}

std::unique_ptr<CUnit> MakeUnit(ECharactor charactor, int rank = 0) {
  auto unit = std::make_unique<CUnit>(charactor, 1, SPoint(2, 3));
  unit->rank = rank;
  unit->InitByCharactor();
  return unit;
}

// Restores the makers a test installs, so that other tests see them unset.
struct MakerGuard {
  MakerGuard() {
    CUnit::actorMaker = nullptr;
    CUnit::aiMaker = nullptr;
  }
  ~MakerGuard() {
    CUnit::actorMaker = nullptr;
    CUnit::aiMaker = nullptr;
  }
};

TEST(UnitTest, ConstructionTakesSerialIdsAndDefaultsStayForLoading) {
  CUnit a(ECharactor::KNIGHT, 0, {4, 5});
  CUnit b(ECharactor::SLIME, 1, {0, 0});
  EXPECT_EQ(b.id, a.id + 1);
  EXPECT_EQ(a.charactor, ECharactor::KNIGHT);
  EXPECT_EQ(a.grid, SPoint(4, 5));
  EXPECT_EQ(b.team, 1);

  // A loaded unit starts from these before the file overwrites them.
  CUnit loaded;
  EXPECT_TRUE(loaded.onStage);
  EXPECT_EQ(loaded.move, 3);
  EXPECT_EQ(loaded.hp, 0);
  EXPECT_TRUE(loaded.IsDead());
  EXPECT_EQ(loaded.actor, nullptr);
  EXPECT_EQ(loaded.ai, nullptr);
  CUnit next(ECharactor::FAIRY, 1, {0, 0});
  EXPECT_EQ(next.id, b.id + 1);  // the default constructor takes no id
}

TEST(UnitTest, InitByCharactorForPlayerClasses) {
  const auto knight = MakeUnit(ECharactor::KNIGHT);
  EXPECT_EQ(knight->key, "player_knight");
  EXPECT_EQ(knight->name, "ナイト");
  EXPECT_EQ(knight->spriteIndex, 0);
  EXPECT_EQ(knight->weapon, EWeaponType::SPIER);
  EXPECT_EQ(knight->hp, 20);
  EXPECT_EQ(knight->maxHp, 20);
  EXPECT_EQ(knight->mp, 10);
  EXPECT_EQ(knight->maxMp, 10);
  EXPECT_EQ(knight->str, 10);
  EXPECT_EQ(knight->vit, 10);
  EXPECT_EQ(knight->dex, 10);
  EXPECT_EQ(knight->agi, 5);
  EXPECT_EQ(knight->intelligence, 5);
  EXPECT_EQ(knight->wt, 35);
  EXPECT_EQ(knight->move, 5);
  EXPECT_EQ(knight->wtCount, 35);
  EXPECT_EQ(knight->skillPoint, 0);
  EXPECT_FALSE(knight->flying);
  EXPECT_TRUE(knight->skills.empty());  // nothing learned yet

  // Only the learned entries of the class list come with the unit.
  EXPECT_EQ(MakeUnit(ECharactor::SORCERESS)->skills, std::vector<ESkill>{ESkill::FIRE_BOLT});
  EXPECT_EQ(MakeUnit(ECharactor::PRIESTESS)->skills, std::vector<ESkill>{ESkill::LONG_HEAL});
  const auto fighter = MakeUnit(ECharactor::FIGHTER);
  EXPECT_EQ(fighter->spriteIndex, 1);
  EXPECT_EQ(fighter->name, "ファイター");
  EXPECT_EQ(fighter->wtCount, 30);
}

TEST(UnitTest, InitByCharactorForMonstersByRank) {
  const auto forest = MakeUnit(ECharactor::SPIRIT_OF_FOREST, 2);
  EXPECT_EQ(forest->key, "");
  EXPECT_EQ(forest->name, "もり子");
  EXPECT_EQ(forest->spriteIndex, 14);
  EXPECT_EQ(forest->weapon, EWeaponType::ROD);
  EXPECT_EQ(forest->maxHp, 28);
  EXPECT_EQ(forest->hp, 28);
  EXPECT_EQ(forest->maxMp, 10);
  EXPECT_EQ(forest->intelligence, 30);
  EXPECT_EQ(forest->wt, 40);
  EXPECT_EQ(forest->wtCount, 40);
  EXPECT_EQ(forest->skillPoint, 12);
  EXPECT_EQ(forest->skills, std::vector<ESkill>{ESkill::WT_DOWN});

  const auto slime = MakeUnit(ECharactor::SLIME, 1);
  EXPECT_EQ(slime->maxHp, 24);
  EXPECT_EQ(slime->move, 4);
  EXPECT_EQ(slime->skillPoint, 6);
  EXPECT_TRUE(slime->skills.empty());
  EXPECT_TRUE(MakeUnit(ECharactor::FAIRY)->flying);
  EXPECT_FALSE(MakeUnit(ECharactor::OGRE)->flying);

  // A rank without a parameter set: looks and weapon only, dead from the start.
  const auto snake = MakeUnit(ECharactor::SNAKE, 2);
  EXPECT_EQ(snake->name, "へび子");
  EXPECT_EQ(snake->spriteIndex, 10);
  EXPECT_EQ(snake->hp, 0);
  EXPECT_EQ(snake->move, 3);
  EXPECT_EQ(snake->wt, 0);
  EXPECT_EQ(snake->wtCount, 0);
  EXPECT_TRUE(snake->IsDead());

  CUnit badRank(ECharactor::SLIME, 1, {0, 0});
  badRank.rank = 3;
  EXPECT_THROW(badRank.InitByCharactor(), std::runtime_error);
  CUnit badKind(static_cast<ECharactor>(17), 1, {0, 0});
  EXPECT_THROW(badKind.InitByCharactor(), std::runtime_error);
}

TEST(UnitTest, EffectiveMoveDexAndWt) {
  CUnit unit(ECharactor::KNIGHT, 0, {0, 0});
  unit.move = 5;
  unit.wt = 40;
  unit.dex = 10;
  EXPECT_EQ(unit.GetMove(), 5);
  EXPECT_EQ(unit.GetWt(), 40);

  unit.extStates = {{3, MOVE_DOWN}, {3, SLOW}, {3, CONCENTRATE}};
  EXPECT_EQ(unit.GetMove(), 3);
  EXPECT_EQ(unit.GetWt(), 53);  // trunc(53.33)
  EXPECT_EQ(unit.GetDex(), 35);
  EXPECT_EQ(unit.dex, 10);  // the raw value stays

  unit.extStates = {{3, MOVE_UP}, {3, FAST}};
  EXPECT_EQ(unit.GetMove(), 7);
  EXPECT_EQ(unit.GetWt(), 26);  // trunc(26.67), not rounded
  unit.wt = 100;
  EXPECT_EQ(unit.GetWt(), 66);

  // Only a loaded unit can carry both; the raising effects win.
  unit.extStates = {{3, MOVE_DOWN}, {3, MOVE_UP}, {3, SLOW}, {3, FAST}};
  EXPECT_EQ(unit.GetMove(), 7);
  EXPECT_EQ(unit.GetWt(), 66);

  unit.SetDex(12);
  EXPECT_EQ(unit.dex, 12);
}

TEST(UnitTest, WaitOfATurnByWhatTheUnitDid) {
  CUnit unit(ECharactor::KNIGHT, 0, {0, 0});
  unit.wt = 40;
  EXPECT_EQ(unit.GetWtAfterTurn(), 20);
  unit.moved = true;
  EXPECT_EQ(unit.GetWtAfterTurn(), 30);
  unit.moved = false;
  unit.acted = true;
  EXPECT_EQ(unit.GetWtAfterTurn(), 30);
  unit.moved = true;
  EXPECT_EQ(unit.GetWtAfterTurn(), 40);
  unit.AddExtState({5, FAST});
  EXPECT_EQ(unit.GetWtAfterTurn(), 26);
  unit.AddExtState({5, SLOW});
  EXPECT_EQ(unit.GetWtAfterTurn(), 53);
  // The quarter is taken of the raw WT and truncated: 35 / 4 = 8.
  unit.ClearExtStates();
  unit.wt = 35;
  unit.moved = unit.acted = false;
  EXPECT_EQ(unit.GetWtAfterTurn(), 19);
}

TEST(UnitTest, AddingEffectsReplacesOppositesAndKeepsTheNewestFour) {
  CUnit unit(ECharactor::ARCHER, 0, {0, 0});
  unit.AddExtState({5, SLOW});
  unit.AddExtState({5, POISON});
  unit.AddExtState({4, SLOW});
  unit.AddExtState({5, FAST});  // both slows go
  EXPECT_EQ(Types(unit), (std::vector<EExtState>{POISON, FAST}));

  unit.AddExtState({5, MOVE_UP});
  unit.AddExtState({5, MOVE_DOWN});
  EXPECT_EQ(Types(unit), (std::vector<EExtState>{POISON, FAST, MOVE_DOWN}));

  // The same kind twice stays twice; a fifth entry pushes out the oldest.
  unit.AddExtState({2, CONCENTRATE});
  unit.AddExtState({3, CONCENTRATE});
  EXPECT_EQ(Types(unit), (std::vector<EExtState>{FAST, MOVE_DOWN, CONCENTRATE, CONCENTRATE}));
  EXPECT_EQ(unit.extStates.back(), CUnitExtState(3, CONCENTRATE));

  EXPECT_TRUE(unit.HasExtState(CONCENTRATE));
  unit.RemoveExtState(CONCENTRATE);
  EXPECT_FALSE(unit.HasExtState(CONCENTRATE));
  EXPECT_EQ(Types(unit), (std::vector<EExtState>{FAST, MOVE_DOWN}));
  unit.ClearExtStates();
  EXPECT_TRUE(unit.extStates.empty());
}

TEST(UnitTest, TurnEndCountsEffectsDown) {
  CUnit unit(ECharactor::ARCHER, 0, {0, 0});
  unit.extStates = {{2, SLOW}, {1, POISON}, {3, MOVE_UP}, {0, PROVOCATION}};
  unit.OnTurnEnd();
  // One turn left means gone at this turn end; the rest keep their order.
  EXPECT_EQ(unit.extStates, (std::vector<CUnitExtState>{{1, SLOW}, {2, MOVE_UP}}));
  unit.OnTurnEnd();
  EXPECT_EQ(unit.extStates, (std::vector<CUnitExtState>{{1, MOVE_UP}}));
  unit.OnTurnEnd();
  EXPECT_TRUE(unit.extStates.empty());

  // An effect laid with 5 turns acts on four turn ends after the one it came in.
  unit.AddExtState({5, POISON});
  int endsWithPoison = 0;
  for (int i = 0; i < 6; ++i) {
    unit.OnTurnEnd();
    if (unit.HasExtState(POISON)) ++endsWithPoison;
  }
  EXPECT_EQ(endsWithPoison, 4);
}

TEST(UnitTest, TurnEndRecoversMpUpToATenthPerTurnAndTheBattleCap) {
  CUnit unit(ECharactor::SORCERESS, 0, {0, 0});
  unit.maxMp = 25;
  unit.mp = 0;
  std::vector<int> mpSeen;
  for (int i = 0; i < 15; ++i) {
    unit.OnTurnEnd();
    mpSeen.push_back(unit.mp);
  }
  // 2 a turn until 26 have been recovered in this battle.
  EXPECT_EQ(mpSeen, (std::vector<int>{2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 25, 25, 25}));
  EXPECT_EQ(unit.mpRecovered, 26);

  // Small pools still recover 1; the MP never goes above the maximum.
  unit.maxMp = 5;
  unit.mp = 5;
  unit.mpRecovered = 0;
  unit.OnTurnEnd();
  EXPECT_EQ(unit.mp, 5);
  EXPECT_EQ(unit.mpRecovered, 1);

  CUnit noMp(ECharactor::SLIME, 1, {0, 0});
  noMp.OnTurnEnd();
  EXPECT_EQ(noMp.mp, 0);
  EXPECT_EQ(noMp.mpRecovered, 0);
}

TEST(UnitTest, ResetForBattle) {
  const auto unit = MakeUnit(ECharactor::PRIESTESS);
  unit->hp = 1;
  unit->mp = 0;
  unit->mpRecovered = 4;
  unit->wtCount = 17;
  unit->moved = unit->acted = true;
  unit->moveHistory.emplace_back(EDirection4::UP, 1, 2);
  unit->AddExtState({5, POISON});
  unit->ResetForBattle();
  EXPECT_EQ(unit->hp, 15);
  EXPECT_EQ(unit->mp, 10);
  EXPECT_EQ(unit->mpRecovered, 0);
  EXPECT_EQ(unit->wtCount, 0);
  EXPECT_FALSE(unit->moved);
  EXPECT_FALSE(unit->acted);
  EXPECT_TRUE(unit->moveHistory.empty());
  EXPECT_TRUE(unit->extStates.empty());
}

TEST(UnitTest, CreateActorJoinsTheStage) {
  MakerGuard guard;
  CStage stage;

  // Without makers (the rules alone) the unit still joins and gets its wait.
  const auto bare = MakeUnit(ECharactor::KNIGHT);
  bare->wtCount = 3;
  bare->CreateActor(stage);
  EXPECT_EQ(bare->stage, &stage);
  EXPECT_EQ(bare->wtCount, 35);
  EXPECT_EQ(bare->actor, nullptr);
  EXPECT_EQ(bare->ai, nullptr);
  EXPECT_EQ(UnitMapPosition(*bare), SPointD(80, 112));  // centre of grid (2, 3)

  struct AICall {
    EUnitAIKind kind;
    ESearchType searchType;
    int searchRange;
  };
  std::vector<AICall> aiCalls;
  CUnit::actorMaker = [](CUnit& unit, CBattlefield& s) {
    return std::make_unique<CStageActor>(s, SDrawData(), GridToPixel(unit.grid));
  };
  CUnit::aiMaker = [&aiCalls](CUnit& unit, CBattlefield& s, EUnitAIKind kind, ESearchType searchType, int searchRange) {
    aiCalls.push_back({kind, searchType, searchRange});
    return std::make_unique<CUnitAIBase>(s, unit, searchRange);
  };

  const auto knight = MakeUnit(ECharactor::KNIGHT);
  knight->CreateActor(stage);
  ASSERT_NE(knight->actor, nullptr);
  EXPECT_EQ(knight->ai, nullptr);  // the player steers the party
  EXPECT_TRUE(aiCalls.empty());

  const auto slime = MakeUnit(ECharactor::SLIME);
  slime->CreateActor(stage);
  const auto forest = MakeUnit(ECharactor::SPIRIT_OF_FOREST);
  forest->CreateActor(stage);
  const auto daemon = MakeUnit(ECharactor::DAEMON);
  daemon->CreateActor(stage);
  ASSERT_EQ(aiCalls.size(), 3u);
  EXPECT_EQ(aiCalls[0].kind, EUnitAIKind::ATTACK_BY_WEAPON);
  EXPECT_EQ(aiCalls[0].searchType, ESearchType::NEAREST);
  EXPECT_EQ(aiCalls[0].searchRange, 15);
  EXPECT_EQ(aiCalls[1].kind, EUnitAIKind::SUPPORT_BY_SKILL);
  EXPECT_EQ(aiCalls[2].kind, EUnitAIKind::ATTACK_BY_SKILL);
  EXPECT_EQ(aiCalls[2].searchType, ESearchType::WEAKEST);
  ASSERT_NE(slime->ai, nullptr);
  EXPECT_EQ(slime->ai->unit, slime.get());

  // The unit's map position follows its actor once it has one.
  slime->actor->position = {10, 20};
  EXPECT_EQ(UnitMapPosition(*slime), SPointD(10, 20));

  slime->SetDirection(EDirection4::RIGHT);
  EXPECT_EQ(slime->direction, EDirection4::RIGHT);
  EXPECT_EQ(slime->actor->heading, 90.0);
  slime->SetDirection(EDirection4::LEFT);
  EXPECT_EQ(slime->actor->heading, 270.0);
  EXPECT_THROW(slime->SetDirection(static_cast<EDirection4>(7)), std::runtime_error);
  EXPECT_EQ(slime->direction, EDirection4::LEFT);
}

}  // namespace

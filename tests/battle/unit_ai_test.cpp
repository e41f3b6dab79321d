// Enemy plans on small maps whose cells can be counted by hand.
#include "battle/unit_ai.h"

#include <gtest/gtest.h>

#include <memory>

#include "battle/cursor.h"
#include "battle/small_battle.h"
#include "battle/stage_strategies.h"
#include "battle/unit_action.h"
#include "battle/unit_command_ai.h"

namespace {

using D = EDirection4;

template <class AI, class... Args>
AI& Think(CUnit& unit, CStage& stage, Args... args) {
  unit.ai = std::make_unique<AI>(stage, unit, args...);
  return static_cast<AI&>(*unit.ai);
}

TEST(UnitAITest, ANearestSlimeBetweenTwoTargetsStrikesTheLaterOne) {
  CSmallBattle battle({"...", "...", "..."});
  battle.Add(ECharactor::KNIGHT, 0, {0, 1});
  battle.Add(ECharactor::KNIGHT, 0, {2, 1});
  CUnit& slime = battle.Add(ECharactor::SLIME, 1, {1, 1});
  auto& ai = Think<CUnitAI_AttackByWeapon>(slime, battle, 15, ESearchType::NEAREST);
  // Both cost nothing to strike; the game's sort puts the second of two
  // equals first.
  const CThinkResult r = ai.Think();
  ASSERT_EQ(r.type, CThinkResult::TYPE_ATTACK);
  EXPECT_EQ(r.attack->aim, SPoint(2, 1));
  EXPECT_FALSE(r.attack->isSkill);
}

TEST(UnitAITest, ProvocationDrawsEveryWeakestAttacker) {
  CSmallBattle battle({"...", "...", "..."});
  CUnit& weak = battle.Add(ECharactor::SORCERESS, 0, {0, 1});
  CUnit& strong = battle.Add(ECharactor::KNIGHT, 0, {2, 1});
  CUnit& kobold = battle.Add(ECharactor::KOBOLD, 1, {1, 1});
  weak.hp = 1;
  auto& ai = Think<CUnitAI_AttackByWeapon>(kobold, battle, 15, ESearchType::WEAKEST);
  EXPECT_EQ(ai.Think().attack->aim, weak.grid);
  strong.AddExtState({5, EExtState::PROVOCATION});
  EXPECT_EQ(ai.Think().attack->aim, strong.grid);
}

TEST(UnitAITest, RequestsCarryAPlanThroughTheTurnUntilItEnds) {
  // The knight stands 4 cells off: the slime walks 3 and strikes next call.
  CSmallBattle battle({"......"});
  CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {0, 0});
  CUnit& slime = battle.Add(ECharactor::SLIME, 1, {5, 0});
  slime.move = 4;
  auto& ai = Think<CUnitAI_AttackByWeapon>(slime, battle, 15, ESearchType::NEAREST);
  CThinkResult r = ai.Think();
  ASSERT_EQ(r.type, CThinkResult::TYPE_MOVE);
  EXPECT_EQ(r.move->destination, SPoint(1, 0));
  ASSERT_TRUE(ai.moveRequest && ai.attackRequest);
  EXPECT_EQ(ai.attackRequest->targetId, knight.id);

  slime.grid = r.move->destination;
  slime.moved = true;
  r = ai.Think();
  ASSERT_EQ(r.type, CThinkResult::TYPE_ATTACK);
  EXPECT_EQ(r.attack->aim, knight.grid);
  slime.acted = true;
  EXPECT_EQ(ai.Think().type, CThinkResult::TYPE_STANDBY);
  ai.FinishTurn();
  EXPECT_FALSE(ai.moveRequest);
  EXPECT_FALSE(ai.attackRequest);
}

TEST(UnitAITest, ACasterWithoutMpWalksButNeverCasts) {
  CSmallBattle battle({"..........."});
  CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {0, 0});
  CUnit& spirit = battle.Add(ECharactor::SPIRIT_OF_FIRE, 1, {10, 0});
  spirit.skills = {ESkill::FIRE_BOLT};
  spirit.mp = 0;
  spirit.move = 4;
  auto& ai = Think<CUnitAI_AttackBySkill>(spirit, battle, 15, ESearchType::WEAKEST);
  for (int call = 0; call < 3; ++call) {
    const CThinkResult r = ai.Think();
    ASSERT_NE(r.type, CThinkResult::TYPE_ATTACK) << "call " << call;
    if (r.type == CThinkResult::TYPE_MOVE) {
      EXPECT_LT(r.move->destination.x, spirit.grid.x) << "towards the knight";
      spirit.grid = r.move->destination;
      spirit.moved = true;
    }
  }
  EXPECT_LT(spirit.grid.x, 10);
  EXPECT_EQ(knight.hp, knight.maxHp);
  // With a skill gone (only damaged data has none) it stands by.
  spirit.skills.clear();
  EXPECT_EQ(ai.Think().type, CThinkResult::TYPE_STANDBY);
}

TEST(UnitAITest, APoisonerStrikesOnlyTheUnpoisonedButWalksToTheNearest) {
  // Poison reaches 1 to 5 cells. Both targets in reach: the poisoned knight
  // is passed over for the archer further off.
  {
    CSmallBattle battle({"...................."});
    CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {8, 0});
    battle.Add(ECharactor::ARCHER, 0, {14, 0});
    CUnit& snake = battle.Add(ECharactor::SNAKE, 1, {10, 0});
    snake.skills = {ESkill::POISON};
    snake.mp = 99;
    knight.AddExtState({5, EExtState::POISON});
    auto& ai = Think<CUnitAI_AttackBySkill>(snake, battle, 15, ESearchType::WEAKEST);
    const CThinkResult r = ai.Think();
    ASSERT_EQ(r.type, CThinkResult::TYPE_ATTACK);
    EXPECT_EQ(r.attack->aim, SPoint(14, 0));
    EXPECT_EQ(snake.mp, 99 - 4) << "the MP is taken when the attack is planned";
  }
  // Neither in reach this turn: it walks towards the nearer, poisoned or not.
  {
    CSmallBattle battle({"...................."});
    CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {3, 0});
    battle.Add(ECharactor::ARCHER, 0, {19, 0});
    CUnit& snake = battle.Add(ECharactor::SNAKE, 1, {10, 0});
    snake.skills = {ESkill::POISON};
    snake.mp = 99;
    snake.move = 1;
    knight.AddExtState({5, EExtState::POISON});
    auto& ai = Think<CUnitAI_AttackBySkill>(snake, battle, 15, ESearchType::WEAKEST);
    const CThinkResult r = ai.Think();
    ASSERT_EQ(r.type, CThinkResult::TYPE_MOVE);
    EXPECT_EQ(r.move->destination, SPoint(9, 0));
  }
}

TEST(UnitAITest, AForestSpiritStandsByWhenNobodyNeedsIt) {
  CSmallBattle battle({".....", ".....", "....."});
  battle.Add(ECharactor::KNIGHT, 0, {0, 0});
  CUnit& slime = battle.Add(ECharactor::SLIME, 1, {2, 1});
  CUnit& spirit = battle.Add(ECharactor::SPIRIT_OF_FOREST, 1, {3, 1});
  spirit.mp = 99;
  spirit.skills = {ESkill::HEAL};
  auto& ai = Think<CUnitAI_SupportBySkill>(spirit, battle, 15);
  EXPECT_EQ(ai.Think().type, CThinkResult::TYPE_STANDBY) << "every ally at full HP";
  slime.hp -= 5;
  CThinkResult r = ai.Think();
  ASSERT_EQ(r.type, CThinkResult::TYPE_ATTACK);
  EXPECT_EQ(r.attack->aim, slime.grid);

  spirit.skills = {ESkill::WT_DOWN};
  slime.AddExtState({5, EExtState::FAST});
  spirit.AddExtState({5, EExtState::FAST});
  EXPECT_NE(ai.Think().type, CThinkResult::TYPE_ATTACK) << "every ally already hastened";
}

TEST(UnitAITest, AttackCellsTakenByAlliesGiveNoCandidate) {
  // A corridor: the knight at 0, a slime at 1 in the way, the attacker at 2.
  CSmallBattle battle({"...", "###"});
  battle.Add(ECharactor::KNIGHT, 0, {0, 0});
  battle.Add(ECharactor::SLIME, 1, {1, 0});
  CUnit& attacker = battle.Add(ECharactor::SLIME, 1, {2, 0});
  auto& ai = Think<CUnitAI_AttackByWeapon>(attacker, battle, 15, ESearchType::NEAREST);
  EXPECT_EQ(ai.Think().type, CThinkResult::TYPE_STANDBY);
}

// The enemies plan without a line of fire: a fairy with a bow (3 to 5
// cells) shoots from where it stands at a knight five cells off, though a
// wall stands between them; the arrow stops at the wall in flight.
TEST(UnitAITest, AnArcherPlansAShotThatAWallWillStop) {
  CSmallBattle battle({"..........", "....#.....", ".........."});
  battle.Add(ECharactor::KNIGHT, 0, {7, 1});
  CUnit& fairy = battle.Add(ECharactor::FAIRY, 1, {2, 1});
  fairy.weapon = EWeaponType::BOW;
  fairy.move = 4;
  auto& ai = Think<CUnitAI_AttackByWeapon>(fairy, battle, 15, ESearchType::NEAREST);
  const CThinkResult r = ai.Think();
  ASSERT_EQ(r.type, CThinkResult::TYPE_ATTACK);
  EXPECT_EQ(r.attack->aim, SPoint(7, 1));
}

// A guard keeps the search range of its placement, also as the last of its
// side. Range 8, 3 movement points, on (11,0): the knight on (2,0) would be
// struck from (3,0), 8 steps off, but the knight itself is 9 off, outside
// the range: it stands by. On (3,0) the knight is inside: the guard walks
// towards (4,0) as far as its 3 points go, to (8,0).
TEST(UnitAITest, ALoneGuardWaitsUntilThePartyComesIntoItsRange) {
  CSmallBattle battle({"............"});
  CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {2, 0});
  CUnit& slime = battle.Add(ECharactor::SLIME, 1, {11, 0});
  slime.move = 3;
  auto& ai = Think<CUnitAI_AttackByWeapon>(slime, battle, 8, ESearchType::NEAREST);
  EXPECT_EQ(ai.Think().type, CThinkResult::TYPE_STANDBY);
  ai.FinishTurn();
  knight.grid = {3, 0};
  const CThinkResult r = ai.Think();
  ASSERT_EQ(r.type, CThinkResult::TYPE_MOVE);
  EXPECT_EQ(r.move->destination, SPoint(8, 0));
}

// A lone slime whose search range (2) does not reach the knight 11 cells off
// stands by: its facing arrow shows, it turns to the facing it chose on the
// 7th update (the test turns it away after the first) and the turn passes on
// the 21st.
TEST(UnitAITest, ALoneEnemyOutOfRangeTurnsOnThe7thUpdateAndEndsOnThe21st) {
  CSmallBattle battle({"............"});
  CUnit& slime = battle.Add(ECharactor::SLIME, 1, {11, 0}, D::LEFT);
  CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {0, 0});
  slime.move = 3;
  slime.wtCount = 0;
  knight.wtCount = 50;
  Think<CUnitAI_AttackByWeapon>(slime, battle, 2, ESearchType::NEAREST);
  battle.SetStrategy(std::make_unique<CStageStrategy_UnitCommandAI>(battle, slime));
  const int turn = battle.state.turnCount;
  int updates = 0;
  while (battle.state.turnCount == turn && updates < 100) {
    ASSERT_NE(dynamic_cast<CStageStrategy_UnitCommandAI*>(battle.GetStrategy()), nullptr) << "update " << updates;
    battle.Update();
    ++updates;
    if (updates == 1) {
      ASSERT_NE(dynamic_cast<CStageStrategy_UnitCommandAI::CStrategy_Standby*>(
                    static_cast<CStageStrategy_UnitCommandAI*>(battle.GetStrategy())->GetStep()),
                nullptr);
      slime.SetDirection(D::UP);
    }
    EXPECT_EQ(slime.direction, updates < 7 ? D::UP : D::LEFT) << "update " << updates;
  }
  EXPECT_EQ(updates, 21);
  EXPECT_EQ(slime.grid, SPoint(11, 0));
}

// An enemy's move or attack step shows its range with the cursor on the
// unit for 15 updates, jumps the cursor to the chosen cell on the 16th and
// hands the move or the attack to the action on the 31st. A forest spirit
// healing itself aims at its own cell and turns right as it casts.
TEST(UnitAITest, AnEnemyShowsItsChoiceFor15UpdatesAndActsOnThe31st) {
  struct Case {
    const char* what;
    ECharactor charactor;
    SPoint target;           // where the cursor jumps
    EDirection4 facingAfter;  // when the action starts
  };
  const Case cases[] = {
      {"a slime walking 3 towards the knight", ECharactor::SLIME, {6, 0}, D::LEFT},
      {"a wounded forest spirit healing itself", ECharactor::SPIRIT_OF_FOREST, {9, 0}, D::RIGHT},
  };
  for (const Case& c : cases) {
    CSmallBattle battle({".........."});
    CUnit& enemy = battle.Add(c.charactor, 1, {9, 0}, D::LEFT);
    CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {0, 0});
    enemy.move = 3;
    enemy.wtCount = 0;
    knight.wtCount = 50;
    if (c.charactor == ECharactor::SPIRIT_OF_FOREST) {
      enemy.skills = {ESkill::HEAL};
      enemy.mp = 99;
      enemy.hp -= 3;
      Think<CUnitAI_SupportBySkill>(enemy, battle, 15);
    } else {
      Think<CUnitAI_AttackByWeapon>(enemy, battle, 15, ESearchType::NEAREST);
    }
    battle.cursor->SetGrid(enemy.grid);  // where the turn's dispatch leaves it
    battle.SetStrategy(std::make_unique<CStageStrategy_UnitCommandAI>(battle, enemy));
    for (int update = 1; update <= 31; ++update) {
      battle.Update();
      EXPECT_EQ(battle.cursor->GetGrid(), update < 16 ? SPoint(9, 0) : c.target) << c.what << ", update " << update;
      const bool acting = dynamic_cast<CStageStrategy_UnitAction*>(battle.GetStrategy()) != nullptr;
      EXPECT_EQ(acting, update == 31) << c.what << ", update " << update;
      EXPECT_EQ(enemy.direction, update < 31 ? D::LEFT : c.facingAfter) << c.what << ", update " << update;
    }
  }
}

}  // namespace

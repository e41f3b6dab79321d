// The party's choices on small battles whose numbers can be worked out by hand.
#include "party_ai.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "battle/small_battle.h"
#include "battle/unit_ai.h"
#include "field/unit_ai_base.h"
#include "line_of_fire.h"

namespace {

using C = ECharactor;

struct SPlaced {
  C charactor;
  int team;
  SPoint grid;
  int hp = -1;  // -1: full
};

CUnit& Place(CSmallBattle& battle, const SPlaced& p) {
  // The foes think as they do in the game (their search range is read).
  InstallUnitAIMaker();
  CUnit& u = battle.Add(p.charactor, p.team, p.grid);
  if (p.hp >= 0) u.hp = p.hp;
  return u;
}

// The member's turn as the campaign plays it: a walk is taken as soon as it
// is chosen, then the AI is asked again. The blow or spell it ends with, or
// nothing when it only walks or stands by.
struct STurn {
  std::optional<SPoint> walkedTo;
  std::optional<CThinkResult_AttackInfo> strike;
};

// gtest's names for the rows of a table: case0, case1, …
template <class T>
std::string CaseName(const ::testing::TestParamInfo<T>& info) {
  std::string name = "case";
  name += std::to_string(info.index);
  return name;
}

STurn PlayTurn(CUnit& unit, CUnitAIBase& ai) {
  STurn turn;
  for (int step = 0; step < 4; ++step) {
    const CThinkResult r = ai.Think();
    if (r.type == CThinkResult::TYPE_MOVE) {
      if (unit.moved) break;
      unit.grid = r.move->destination;
      unit.moved = true;
      turn.walkedTo = unit.grid;
    } else if (r.type == CThinkResult::TYPE_ATTACK) {
      if (unit.acted) break;
      turn.strike = r.attack;
      unit.acted = true;
    } else {
      break;
    }
  }
  return turn;
}

// ---- whom it strikes ------------------------------------------------------------

struct SStrikeCase {
  const char* name;
  std::vector<std::string> rows;
  std::vector<SPlaced> units;  // the first one thinks
  bool alreadyMoved;
  SPoint expectedAim;
};

void PrintTo(const SStrikeCase& c, std::ostream* os) { *os << c.name; }

class PartyAIStrikeTest : public ::testing::TestWithParam<SStrikeCase> {};

TEST_P(PartyAIStrikeTest, StrikesWhereItCounts) {
  const SStrikeCase& c = GetParam();
  CSmallBattle battle(c.rows);
  std::vector<CUnit*> units;
  for (const SPlaced& p : c.units) units.push_back(&Place(battle, p));
  CUnit& me = *units.front();
  me.moved = c.alreadyMoved;
  const auto ai = MakePartyAI(battle, me);
  const STurn turn = PlayTurn(me, *ai);
  ASSERT_TRUE(turn.strike) << c.name;
  EXPECT_EQ(turn.strike->aim, c.expectedAim) << c.name;
}

// Knight's spear against a slime: 5 + 10 - 8/2 = 11. Fighter's large
// sword: 6 + 12 - 4 = 14 in the middle, half on the sides; against the
// knight 6 + 12 - 10/2 = 13, 6 on a side. Fire bolt: 12 - 8/2 = 8.
INSTANTIATE_TEST_SUITE_P(
    Cases, PartyAIStrikeTest,
    ::testing::Values(
        // Boxed in between two slimes: the one with 5 HP falls to 11, the
        // full one would only be scratched.
        SStrikeCase{"the wounded slime that falls",
                    {"..."},
                    {{C::KNIGHT, 0, {1, 0}}, {C::SLIME, 1, {0, 0}}, {C::SLIME, 1, {2, 0}, 5}},
                    false,
                    {2, 0}},
        SStrikeCase{"the same two the other way round",
                    {"..."},
                    {{C::KNIGHT, 0, {1, 0}}, {C::SLIME, 1, {0, 0}, 5}, {C::SLIME, 1, {2, 0}}},
                    false,
                    {0, 0}},
        // Swinging up at the slime on (1,0) would also cut the knight on
        // (0,0) for 6: the slime on (2,1) is struck instead.
        SStrikeCase{"the fighter spares the knight beside its target",
                    {"...", "...", "..."},
                    {{C::FIGHTER, 0, {1, 1}}, {C::KNIGHT, 0, {0, 0}}, {C::SLIME, 1, {1, 0}}, {C::SLIME, 1, {2, 1}}},
                    true,
                    {2, 1}},
        // The slime with 5 HP on (2,1) would fall to the fire bolt, but the
        // wall on (1,1) stops the bolt: the slime in the open is the target.
        SStrikeCase{"no fire bolt through a wall",
                    {"....", ".#.."},
                    {{C::SORCERESS, 0, {0, 1}}, {C::SLIME, 1, {0, 0}}, {C::SLIME, 1, {2, 1}, 5}},
                    true,
                    {0, 0}},
        SStrikeCase{"the same slime without the wall",
                    {"....", "...."},
                    {{C::SORCERESS, 0, {0, 1}}, {C::SLIME, 1, {0, 0}}, {C::SLIME, 1, {2, 1}, 5}},
                    true,
                    {2, 1}}),
    CaseName<SStrikeCase>);

// ---- healing ---------------------------------------------------------------------

struct SHealCase {
  const char* name;
  int knightHp;  // of 20
  int archerHp;  // of 15
  std::optional<SPoint> expectedAim;
};

void PrintTo(const SHealCase& c, std::ostream* os) { *os << c.name; }

class PartyAIHealTest : public ::testing::TestWithParam<SHealCase> {};

// The priestess has walked already; her long heal (4 MP, range 0..3)
// restores 9 HP. A slime far off keeps the battle going.
TEST_P(PartyAIHealTest, HealsTheOneWhoNeedsItMost) {
  const SHealCase& c = GetParam();
  CSmallBattle battle({"..........", ".........."});
  CUnit& priestess = Place(battle, {C::PRIESTESS, 0, {1, 0}});
  Place(battle, {C::KNIGHT, 0, {0, 0}, c.knightHp});
  Place(battle, {C::ARCHER, 0, {2, 0}, c.archerHp});
  Place(battle, {C::SLIME, 1, {9, 1}});
  priestess.moved = true;
  const int mpBefore = priestess.mp;
  const auto ai = MakePartyAI(battle, priestess);
  const STurn turn = PlayTurn(priestess, *ai);
  if (!c.expectedAim) {
    EXPECT_FALSE(turn.strike) << c.name;
    EXPECT_EQ(priestess.mp, mpBefore) << c.name;
    return;
  }
  ASSERT_TRUE(turn.strike) << c.name;
  EXPECT_TRUE(turn.strike->isSkill) << c.name;
  EXPECT_EQ(turn.strike->skill, ESkill::LONG_HEAL) << c.name;
  EXPECT_EQ(turn.strike->aim, *c.expectedAim) << c.name;
  // Paid when chosen, as the enemies pay: the campaign hands it back before
  // the menu charges the cast.
  EXPECT_EQ(priestess.mp, mpBefore - 4) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, PartyAIHealTest,
                         ::testing::Values(SHealCase{"the knight down 8", 12, 14, SPoint{0, 0}},
                                           SHealCase{"the archer down 9", 20, 6, SPoint{2, 0}},
                                           SHealCase{"nobody hurt: no MP spent", 20, 15, std::nullopt}),
                         CaseName<SHealCase>);

// ---- where it ends its turn --------------------------------------------------------

// A slime walks 3 and strikes the cell next to it: from (0,0) it reaches
// (4,0). The archer's bow shoots 3 to 5 cells, so from (5,0) it hits the
// slime (7 - 4 = 3) and stays out of its reach. With 3 HP left, a slime's
// blow (9 - 3 = 6) would fell it.
TEST(PartyAITest, AWoundedArcherShootsFromOutsideTheFoesReach) {
  CSmallBattle battle({"........."});
  CUnit& archer = Place(battle, {C::ARCHER, 0, {2, 0}, 3});
  Place(battle, {C::SLIME, 1, {0, 0}});
  const auto ai = MakePartyAI(battle, archer);
  const STurn turn = PlayTurn(archer, *ai);
  ASSERT_TRUE(turn.walkedTo);
  EXPECT_EQ(*turn.walkedTo, SPoint(5, 0));
  ASSERT_TRUE(turn.strike);
  EXPECT_EQ(turn.strike->aim, SPoint(0, 0));
}

// A slime that never comes: it notices only what is within 3 steps. The
// knight stands for three turns of its own (a turn spent standing costs
// less wait), then walks up to the edge of the slime's reach, (4,0) for a
// slime on (9,0), and no further; a turn later it goes in and strikes.
TEST(PartyAITest, WaitsForTheFoeAWhileThenGoesToMeetIt) {
  CSmallBattle battle({".........."});
  CUnit& knight = Place(battle, {C::KNIGHT, 0, {0, 0}});
  Place(battle, {C::SLIME, 1, {9, 0}}).ai->searchRange = 3;
  const auto ai = MakePartyAI(battle, knight);
  struct SExpected {
    std::optional<SPoint> walkedTo;
    std::optional<SPoint> aim;
  };
  const SExpected expected[] = {{}, {}, {}, {SPoint{4, 0}, {}}, {SPoint{8, 0}, SPoint{9, 0}}};
  for (std::size_t turn = 0; turn < std::size(expected); ++turn) {
    const STurn t = PlayTurn(knight, *ai);
    EXPECT_EQ(t.walkedTo, expected[turn].walkedTo) << "turn " << turn;
    EXPECT_EQ(t.strike ? std::optional(t.strike->aim) : std::nullopt, expected[turn].aim) << "turn " << turn;
    knight.moved = knight.acted = false;
    ai->FinishTurn();
  }
}

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
    return EMapObjectType::PLAIN;
  };
}

// An arrow or a bolt stops at a wall whose middle its path comes within half
// a cell of (a pixel more, for the planner); fly-only chasms and cells
// without terrain let it pass. Distances worked out from the path's nearest
// point to each wall's middle.
TEST(LineOfFireTest, ShotsStopAtWallsNearTheirPath) {
  struct Case {
    SPoint from, to;
    Points blocked;
    bool clear;
  };
  const Case cases[] = {
      {{0, 0}, {4, 0}, {{2, 0}}, false},           // straight through the middle
      {{0, 0}, {4, 0}, {{2, 1}}, true},            // a whole cell beside the path
      {{0, 0}, {4, 2}, {{2, 1}}, false},           // through the middle on a slant
      {{0, 0}, {4, 2}, {{1, 1}}, false},           // nearest point (1.2, 0.6): 0.45 off
      {{0, 0}, {4, 2}, {{3, 0}}, true},            // nearest point (2.4, 1.2): 1.34 off
      {{0, 0}, {3, 1}, {{2, 0}}, true},            // nearest point (1.8, 0.6): 0.63 off, grazed
      {{0, 0}, {2, 1}, {{1, 0}}, false},           // nearest point (0.8, 0.4): 0.45 off
      {{0, 3}, {0, 0}, {{0, 1}, {5, 5}}, false},   // upwards; a far wall changes nothing
      {{0, 0}, {4, 0}, {{5, 0}, {0, 1}}, true},    // walls beyond the ends are not on the path
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsLineOfFireClear(c.from, c.to, Map(c.blocked)), c.clear)
        << "(" << c.from.x << "," << c.from.y << ") to (" << c.to.x << "," << c.to.y << ")";
  }
  EXPECT_TRUE(IsLineOfFireClear({0, 0}, {4, 0}, Map({}, {{2, 0}}))) << "a cell without terrain";
  EXPECT_TRUE(IsShot(EAttackActType::BOW) && IsShot(EAttackActType::FIRE_BOLT) &&
              IsShot(EAttackActType::ARROW_SHOWER));
  EXPECT_FALSE(IsShot(EAttackActType::LIGHTNING_BOLT) || IsShot(EAttackActType::SPIER));
}

}  // namespace

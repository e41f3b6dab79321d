#include "field/turn_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "field/unit.h"

namespace {

// Units with given counters, named "a", "b", … in the order given.
struct SBattle {
  std::vector<std::unique_ptr<CUnit>> owned;
  UnitOrder units;
  int turnCount = 0;

  explicit SBattle(const std::vector<int>& counters) {
    for (int c : counters) {
      auto unit = std::make_unique<CUnit>(ECharactor::KNIGHT, 0, SPoint(0, 0));
      unit->name = std::string(1, static_cast<char>('a' + owned.size()));
      unit->wt = 40;
      unit->wtCount = c;
      units.push_back(unit.get());
      owned.push_back(std::move(unit));
    }
  }
  std::string Names() const {
    std::string names;
    for (const CUnit* u : units) names += u->name;
    return names;
  }
  std::vector<int> Counters() const {
    std::vector<int> counters;
    for (const CUnit* u : units) counters.push_back(u->wtCount);
    return counters;
  }
};

struct CRecordingHandover : CTurnEndHandover {
  std::vector<std::pair<CUnit*, int>> poisoned;
  int browsing = 0;
  void StartPoisonDamage(CUnit& unit, int damage) override { poisoned.emplace_back(&unit, damage); }
  void ResumeBrowsing() override { ++browsing; }
};

TEST(TurnOrderTest, SetUpPutsTheFirstOfEqualUnitsLast) {
  SBattle battle({0, 0, 0});
  SortByWt(battle.units);
  EXPECT_EQ(battle.Names(), "bca");
  AdvanceTurn(battle.units, battle.turnCount);
  EXPECT_EQ(battle.Names(), "cab");
  EXPECT_EQ(battle.turnCount, 1);
}

TEST(TurnOrderTest, AdvanceGoesBehindEveryUnitAtLeastAsReady) {
  // The active unit "a" has been charged 30: it goes behind "b" and the tied
  // "c", ahead of "d"; everyone's wait drops by the new front unit's 10.
  SBattle battle({30, 10, 30, 35});
  battle.turnCount = 4;
  AdvanceTurn(battle.units, battle.turnCount);
  EXPECT_EQ(battle.Names(), "bcad");
  EXPECT_EQ(battle.Counters(), (std::vector<int>{0, 20, 20, 25}));
  EXPECT_EQ(battle.turnCount, 5);

  // Still the readiest: it stays in front and nothing changes but the count.
  SBattle alone({5, 9});
  AdvanceTurn(alone.units, alone.turnCount);
  EXPECT_EQ(alone.Names(), "ab");
  EXPECT_EQ(alone.Counters(), (std::vector<int>{0, 4}));

  UnitOrder none;
  int turnCount = 0;
  AdvanceTurn(none, turnCount);
  EXPECT_EQ(turnCount, 1);

  // Counters from a damaged save clamp instead of overflowing.
  SBattle extreme({INT_MAX, INT_MIN});
  AdvanceTurn(extreme.units, extreme.turnCount);
  EXPECT_EQ(extreme.Names(), "ba");
  EXPECT_EQ(extreme.Counters(), (std::vector<int>{0, INT_MAX}));
}

TEST(TurnOrderTest, PredictionMatchesWhereTheUnitLands) {
  SBattle battle({0, 10, 20, 20, 35});
  EXPECT_EQ(PredictOrderIndex(battle.units, 5), 0);
  EXPECT_EQ(PredictOrderIndex(battle.units, 10), 1);  // a tie puts it behind
  EXPECT_EQ(PredictOrderIndex(battle.units, 20), 3);
  EXPECT_EQ(PredictOrderIndex(battle.units, 100), 4);
  EXPECT_EQ(PredictOrderIndex(battle.units, INT_MAX), 4);

  // The preview must agree with the real advance for every cost.
  for (int cost = 0; cost <= 40; ++cost) {
    SBattle b({0, 10, 20, 20, 35});
    const int predicted = PredictOrderIndex(b.units, cost);
    b.units[0]->wtCount += cost;
    AdvanceTurn(b.units, b.turnCount);
    EXPECT_EQ(b.units[static_cast<std::size_t>(predicted)]->name, "a") << "cost " << cost;
  }

  SBattle single({0});
  EXPECT_EQ(PredictOrderIndex(single.units, 20), 0);
  EXPECT_EQ(PredictOrderIndex(UnitOrder{}, 20), 0);
}

TEST(TurnOrderTest, EndTurnChargesWhatTheTurnCost) {
  struct SCase {
    bool moved, acted;
    int cost;
  };
  for (const SCase c : {SCase{false, false, 20}, {true, false, 30}, {false, true, 30}, {true, true, 40}}) {
    SBattle battle({0, 100});
    CUnit& unit = *battle.units[0];
    unit.moved = c.moved;
    unit.acted = c.acted;
    unit.moveHistory.emplace_back(EDirection4::UP, 1, 1);
    CRecordingHandover handover;
    EndTurn(unit, battle.units, battle.turnCount, handover);

    EXPECT_EQ(battle.Names(), "ab");
    EXPECT_EQ(unit.wtCount, 0);
    EXPECT_EQ(battle.units[1]->wtCount, 100 - c.cost) << "moved " << c.moved << " acted " << c.acted;
    EXPECT_FALSE(unit.moved);
    EXPECT_FALSE(unit.acted);
    EXPECT_TRUE(unit.moveHistory.empty());
    EXPECT_EQ(handover.browsing, 1);
    EXPECT_TRUE(handover.poisoned.empty());
  }
}

TEST(TurnOrderTest, EndTurnCountsDownEffectsThenPoisonBitesAfterTheAdvance) {
  SBattle battle({0, 10});
  CUnit& unit = *battle.units[0];
  unit.maxHp = unit.hp = 40;
  unit.maxMp = 10;
  unit.AddExtState(CUnitExtState(2, EExtState::POISON));
  CRecordingHandover handover;
  EndTurn(unit, battle.units, battle.turnCount, handover);
  // Charged 20 for idling: behind "b", which now leads at 0.
  EXPECT_EQ(battle.Names(), "ba");
  EXPECT_EQ(unit.wtCount, 10);
  EXPECT_EQ(unit.mp, 1);
  ASSERT_EQ(handover.poisoned.size(), 1u);
  EXPECT_EQ(handover.poisoned[0].first, &unit);
  EXPECT_EQ(handover.poisoned[0].second, 5);
  EXPECT_EQ(handover.browsing, 0);

  // The last poisoned turn expires before it could bite.
  CUnit& other = *battle.units[0];
  other.AddExtState(CUnitExtState(1, EExtState::POISON));
  EndTurn(other, battle.units, battle.turnCount, handover);
  EXPECT_EQ(handover.poisoned.size(), 1u);
  EXPECT_EQ(handover.browsing, 1);
  EXPECT_EQ(battle.turnCount, 2);
}

TEST(TurnOrderTest, EndingTheWrongUnitsTurnChangesNothing) {
  SBattle battle({0, 10});
  CRecordingHandover handover;
  EXPECT_THROW(EndTurn(*battle.units[1], battle.units, battle.turnCount, handover), std::runtime_error);
  EXPECT_EQ(battle.Names(), "ab");
  EXPECT_EQ(battle.turnCount, 0);
  UnitOrder none;
  EXPECT_THROW(EndTurn(*battle.units[0], none, battle.turnCount, handover), std::runtime_error);
}

}  // namespace

// The turn order of a battle. Every unit carries a wait counter (wtCount);
// the units stand in the order of it, the front unit acts, and what its turn
// cost is added to its counter before it goes back into the order.
#pragma once

#include <vector>

class CUnit;

// The units of a battle in turn order; the front unit is the active one.
// The battle owns or borrows the units themselves.
using UnitOrder = std::vector<CUnit*>;

// Orders the units by ascending wtCount; the battle set-up does this once.
void SortByWt(UnitOrder& units);

// Begins the next turn: counts it, puts the active unit back behind every
// unit that is at least as ready as itself (so ties go to the units already
// waiting), and takes the new front unit's wait off every counter. Afterwards
// the active unit's wtCount is 0 and every other counter is the wait left.
void AdvanceTurn(UnitOrder& units, int& turnCount);

// The index after which the active unit would stand once its turn has cost
// `addedWait`; 0 when it would stay in front (or is alone). The standby
// preview of the order window shows it.
int PredictOrderIndex(const UnitOrder& units, int addedWait);

// What the end of a turn hands over to the battle scene: the next strategy.
class CTurnEndHandover {
 public:
  virtual ~CTurnEndHandover() = default;
  // The poisoned unit takes `damage` as one action with no attacker; the
  // action returns to browsing when it has played out.
  virtual void StartPoisonDamage(CUnit& unit, int damage) = 0;
  // Back to browsing the map, with the cursor on the new active unit.
  virtual void ResumeBrowsing() = 0;
};

// Ends the turn of `unit`, which must be the active unit: charges the wait
// the turn cost, clears the turn's move and act flags and undo history,
// counts its status effects down and recovers MP, advances the order, then
// hands over to a poison action or back to browsing. Poison is dealt after
// the order has advanced, so a unit it kills already has its next place.
// Throws std::runtime_error when `unit` is not the front unit.
void EndTurn(CUnit& unit, UnitOrder& units, int& turnCount, CTurnEndHandover& handover);

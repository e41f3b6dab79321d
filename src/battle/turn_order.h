// The turn order of a battle. Every unit carries a wait counter (wtCount);
// the units stand in the order of it, the front unit acts, and what its turn
// cost is added to its counter before it goes back into the order.
#pragma once

#include <iterator>
#include <utility>
#include <vector>

class CUnit;

// The game's one sort: an in-place quicksort. Which of two equal elements
// comes first is part of the rules (which of two equally ready units acts
// first, which of two equally good AI choices is taken, where dialog focus
// jumps), so every ordering of the game goes through here and no library sort
// may stand in for it. `less(a, b)` is a strict weak order on the elements.
template <std::random_access_iterator It, class Less>
void GameSort(It first, It last, Less less) {
  while (last - first > 1) {
    const auto n = last - first;
    // The middle element becomes the pivot and waits at the end.
    std::iter_swap(first + n / 2, last - 1);
    const It pivot = last - 1;

    // Everything less than the pivot to the front. The pivot itself is never
    // less than itself, so the right scan always steps over it.
    It left = first;
    It right = last;
    for (;;) {
      while (left < right && less(*left, *pivot)) ++left;
      while (left < right && !less(*(right - 1), *pivot)) --right;
      if (left == right) break;
      std::iter_swap(left, right - 1);
      ++left;
      --right;
    }
    const It mid = left;
    std::iter_swap(mid, pivot);

    if (mid == first) {
      // Nothing was less than the pivot: it and every element equal to it
      // that follows directly are in place already.
      const It pivotAt = first;
      ++first;
      while (first != last && !less(*pivotAt, *first)) ++first;
      continue;
    }

    // Sort the shorter side now and loop on the longer one.
    if (last - (mid + 1) > mid - first) {
      GameSort(first, mid, less);
      first = mid + 1;
    } else {
      GameSort(mid + 1, last, less);
      last = mid;
    }
  }
}

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

// Poison bites for an eighth of the unit's max HP, but never less than 3.
int PoisonDamage(const CUnit& unit);

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

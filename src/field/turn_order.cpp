#include "field/turn_order.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/game_sort.h"
#include "core/saturating.h"
#include "field/status_effect.h"
#include "field/unit.h"

void SortByWt(UnitOrder& units) {
  GameSort(units.begin(), units.end(), [](const CUnit* a, const CUnit* b) { return a->wtCount < b->wtCount; });
}

void AdvanceTurn(UnitOrder& units, int& turnCount) {
  turnCount = Saturate(std::int64_t{turnCount} + 1);
  if (units.empty()) return;

  // The active unit goes behind the last unit that is at least as ready.
  CUnit* const active = units.front();
  std::size_t behind = units.size() - 1;
  while (behind > 0 && units[behind]->wtCount > active->wtCount) --behind;
  std::rotate(units.begin(), units.begin() + 1, units.begin() + static_cast<std::ptrdiff_t>(behind) + 1);

  // Counters from a damaged save can be anything; clamp rather than overflow.
  const std::int64_t elapsed = units.front()->wtCount;
  for (CUnit* unit : units) unit->wtCount = Saturate(unit->wtCount - elapsed);
}

int PredictOrderIndex(const UnitOrder& units, int addedWait) {
  if (units.empty()) return 0;
  const std::int64_t ready = std::int64_t{units.front()->wtCount} + addedWait;
  for (std::size_t i = units.size() - 1; i >= 1; --i) {
    if (ready >= units[i]->wtCount) return static_cast<int>(i);
  }
  return 0;
}

void EndTurn(CUnit& unit, UnitOrder& units, int& turnCount, CTurnEndHandover& handover) {
  // Advancing would put some other unit back into the order.
  if (units.empty() || units.front() != &unit) {
    throw std::runtime_error("cannot end the turn of \"" + unit.name + "\" (unit " + std::to_string(unit.id) +
                             "): it is not the unit whose turn it is");
  }

  unit.wtCount = Saturate(std::int64_t{unit.wtCount} + unit.GetWtAfterTurn());
  unit.moved = false;
  unit.acted = false;
  unit.moveHistory.clear();
  unit.OnTurnEnd();
  AdvanceTurn(units, turnCount);

  if (unit.HasExtState(EExtState::POISON)) {
    handover.StartPoisonDamage(unit, GetPoisonDamage(unit));
  } else {
    handover.ResumeBrowsing();
  }
}

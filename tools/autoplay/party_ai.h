// The party's thinking when nobody is at the keys.
#pragma once

#include <memory>

class CBattlefield;
class CUnit;
class CUnitAIBase;

// Every member weighs each cell it can walk to this turn: the best blow or
// spell it has from there (damage that lands, foes felled, friends spared
// from its blade, wounds healed, the fallen raised) against what the foes
// can do to it there before its next turn (the damage they may deal and the
// chance that it falls). It keeps near the others, lets the foes come while
// they do, goes to find them when they do not, and may strike first and
// step back out of reach afterwards. `stage` and `unit` must outlive the AI.
std::unique_ptr<CUnitAIBase> MakePartyAI(CBattlefield& stage, CUnit& unit);

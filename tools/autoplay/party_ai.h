// The party's thinking when nobody is at the keys: the enemies' own AI kinds,
// chosen for each member's part.
#pragma once

#include <memory>

class CStage;
class CUnit;
class CUnitAIBase;

// The knight, archer and fighter strike the weakest foe they can reach with
// their weapons; the sorceress casts her first skill and the priestess heals
// or helps with hers while they have the MP and it finds a target, else they
// use their weapons too. `stage` and `unit` must outlive the AI.
std::unique_ptr<CUnitAIBase> MakePartyAI(CStage& stage, CUnit& unit);

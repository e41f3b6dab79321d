// The thinking object an enemy unit carries. The planning kinds build on
// this base; the unit only owns it.
#pragma once

#include <optional>

#include "core/direction.h"
#include "core/geometry.h"
#include "field/attack_types.h"

class CBattlefield;
class CUnit;

// The range of an AI made outside a stage placement; a placement gives its own.
constexpr int DEFAULT_AI_SEARCH_RANGE = 15;

enum class ESearchType : int {
  NEAREST = 0,  // the target whose attack cell is cheapest to reach
  WEAKEST = 1,  // the target with the lowest score
};

enum class EUnitAIKind : int {
  NONE = 0,  // steered by the player
  ATTACK_BY_WEAPON = 1,
  ATTACK_BY_SKILL = 2,
  SUPPORT_BY_SKILL = 3,
};

// One step an AI chooses: move to a cell, attack or use the skill on a
// cell, or stand by with a facing. Exactly the member for `type` is set.
struct CThinkResult_MoveInfo {
  SPoint destination;
};
struct CThinkResult_AttackInfo {
  bool isSkill = false;
  ESkill skill{};  // 0 for a weapon attack
  SPoint aim;      // the cell aimed at, as the player's cursor would be
};
struct CThinkResult_StandbyInfo {
  EDirection4 direction = EDirection4::DOWN;
};
struct CThinkResult {
  enum EType { TYPE_MOVE = 0, TYPE_ATTACK = 1, TYPE_STANDBY = 2 };
  EType type = TYPE_STANDBY;
  std::optional<CThinkResult_MoveInfo> move;
  std::optional<CThinkResult_AttackInfo> attack;
  std::optional<CThinkResult_StandbyInfo> standby;
};

class CUnitAIBase {
 public:
  // `stage` and `unit` must outlive the object (the unit owns it).
  CUnitAIBase(CBattlefield& stage_, CUnit& unit_, int searchRange_)
      : stage(&stage_), unit(&unit_), searchRange(searchRange_) {}
  virtual ~CUnitAIBase() = default;
  CUnitAIBase(const CUnitAIBase&) = delete;
  CUnitAIBase& operator=(const CUnitAIBase&) = delete;

  // The unit's next step of this turn; the base only stands by.
  virtual CThinkResult Think();
  // The turn is over: what was planned for it is forgotten.
  virtual void FinishTurn() { stepsThisTurn = 0; }

  CBattlefield* stage;
  CUnit* unit;
  int searchRange;  // movement points within which the unit notices targets
  // Steps thought this turn; the AI turn ends one that takes absurdly many.
  int stepsThisTurn = 0;
};

// The thinking object an enemy unit carries. The planning kinds build on
// this base; the unit only owns it.
#pragma once

class CStage;
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

class CUnitAIBase {
 public:
  // `stage` and `unit` must outlive the object (the unit owns it).
  CUnitAIBase(CStage& stage_, CUnit& unit_, int searchRange_)
      : stage(&stage_), unit(&unit_), searchRange(searchRange_) {}
  virtual ~CUnitAIBase() = default;
  CUnitAIBase(const CUnitAIBase&) = delete;
  CUnitAIBase& operator=(const CUnitAIBase&) = delete;

  CStage* stage;
  CUnit* unit;
  int searchRange;  // movement points within which the unit notices targets
};

#include "party_ai.h"

#include "battle/charactor.h"
#include "battle/unit.h"
#include "battle/unit_ai.h"
#include "combat/skill_table.h"

namespace {

// The party goes looking for foes anywhere on the map: a foe that only
// guards its corner would otherwise never be met.
constexpr int kPartySearchRange = 99;

// A party caster: her first skill while she has the MP for it and it finds
// something to do, else her weapon, so she never idles beside a foe.
class CPartyAI_SkillFirst : public CUnitAIBase {
 public:
  CPartyAI_SkillFirst(CStage& stage, CUnit& unit, std::unique_ptr<CUnitAIPlanning> skillAI_, int searchRange)
      : CUnitAIBase(stage, unit, searchRange),
        skillAI(std::move(skillAI_)),
        weaponAI(std::make_unique<CUnitAI_AttackByWeapon>(stage, unit, searchRange, ESearchType::WEAKEST)) {}

  CThinkResult Think() override {
    if (unit->mp >= GetSkillInfo(unit->skills.front()).mp) {
      CThinkResult r = skillAI->Think();
      if (r.type != CThinkResult::TYPE_STANDBY) return r;
    }
    return weaponAI->Think();
  }

  void FinishTurn() override {
    skillAI->FinishTurn();
    weaponAI->FinishTurn();
    CUnitAIBase::FinishTurn();
  }

 private:
  std::unique_ptr<CUnitAIPlanning> skillAI;
  std::unique_ptr<CUnitAIPlanning> weaponAI;
};

}  // namespace

std::unique_ptr<CUnitAIBase> MakePartyAI(CStage& stage, CUnit& unit) {
  if (!unit.skills.empty()) {
    if (unit.charactor == ECharactor::SORCERESS) {
      return std::make_unique<CPartyAI_SkillFirst>(
          stage, unit, std::make_unique<CUnitAI_AttackBySkill>(stage, unit, kPartySearchRange, ESearchType::WEAKEST),
          kPartySearchRange);
    }
    if (unit.charactor == ECharactor::PRIESTESS) {
      return std::make_unique<CPartyAI_SkillFirst>(
          stage, unit, std::make_unique<CUnitAI_SupportBySkill>(stage, unit, kPartySearchRange), kPartySearchRange);
    }
  }
  return std::make_unique<CUnitAI_AttackByWeapon>(stage, unit, kPartySearchRange, ESearchType::WEAKEST);
}


#include "battle/unit_command_ai.h"

#include <cstdio>

#include "battle/cursor.h"
#include "battle/unit_action.h"
#include "combat/attack_area.h"
#include "combat/skill_table.h"
#include "combat/weapon_table.h"
#include "field/unit.h"
#include "runtime/globals.h"

namespace {

// The shape, range and act of the weapon or skill an AI attack uses.
struct SAttackRule {
  std::span<const SPoint> area;
  int minRange;
  int maxRange;
  EAttackActType act;
};

SAttackRule RuleOf(const CUnit& unit, const CThinkResult_AttackInfo& info) {
  if (info.isSkill) {
    const SSkillInfo& s = GetSkillInfo(info.skill);
    return {s.area, s.minRange, s.maxRange, s.act};
  }
  const SWeaponInfo& w = GetWeaponInfo(unit.weapon);
  return {w.area, w.minRange, w.maxRange, w.act};
}

}  // namespace

CStageStrategy_UnitCommandAI::CStageStrategy_UnitCommandAI(CStage& stage_, CUnit& unit_)
    : CStageStrategy(stage_), unit(&unit_) {
  stage->showCheapStatus = false;
}

CStageStrategy_UnitCommandAI::~CStageStrategy_UnitCommandAI() = default;

void CStageStrategy_UnitCommandAI::EndAITurn() {
  if (unit->ai) unit->ai->FinishTurn();
  EndTurn(*unit, stage->state.units, stage->state.turnCount, *stage);
}

void CStageStrategy_UnitCommandAI::Update() {
  if (!step) {
    CThinkResult r;
    r.standby = CThinkResult_StandbyInfo{unit->direction};
    if (unit->ai) {
      if (++unit->ai->stepsThisTurn > kMaxStepsPerTurn) {
        std::fprintf(stderr, "%s thought %d steps in one turn: the turn ends\n", unit->name.c_str(),
                     unit->ai->stepsThisTurn - 1);
        EndAITurn();
        return;
      }
      r = unit->ai->Think();
    }
    if (r.type == CThinkResult::TYPE_MOVE && r.move) {
      step = std::make_unique<CStrategy_Move>(*this, *r.move);
    } else if (r.type == CThinkResult::TYPE_ATTACK && r.attack) {
      step = std::make_unique<CStrategy_Attack>(*this, *r.attack);
    } else {
      step = std::make_unique<CStrategy_Standby>(*this, r.standby.value_or(CThinkResult_StandbyInfo{unit->direction}));
    }
  }
  // A step that ends the turn or starts an action replaces this strategy;
  // the stage keeps it alive until the next frame.
  step->Update();
}

void CStageStrategy_UnitCommandAI::Draw() {
  if (step) step->Draw();
}

void CStageStrategy_UnitCommandAI::DrawOverlay() {
  if (step) step->DrawOverlay();
}

// ---- move --------------------------------------------------------------------

CStageStrategy_UnitCommandAI::CStrategy_Move::CStrategy_Move(CStageStrategy_UnitCommandAI& owner_,
                                                             CThinkResult_MoveInfo moveInfo_)
    : CStrategy(owner_), moveInfo(moveInfo_) {
  CStage& stage = owner->GetStage();
  const CUnit& unit = owner->GetUnit();
  traverse = GetTraverseInfo(stage, unit.grid, unit.GetMove(), unit.flying, true, unit.team);
  stage.cursor->visible = true;
}

void CStageStrategy_UnitCommandAI::CStrategy_Move::Update() {
  CStage& stage = owner->GetStage();
  CUnit& unit = owner->GetUnit();
  if (step == SHOW_RANGE && count >= 15) {
    stage.cursor->SetGrid(moveInfo.destination);
    stage.FollowCursor();
    step = SHOW_DESTINATION;
    count = 0;
  } else if (step == SHOW_DESTINATION && count >= 15) {
    unit.moved = true;
    unit.moveHistory = {CInfoBeforeMove(unit.direction, unit.grid.x, unit.grid.y)};
    const SPoint goal = stage.cursor->GetGrid();
    // A destination outside the walk (only a damaged plan) is no walk at all.
    std::vector<EDirection4> route;
    if (traverse.Find(goal)) route = GetRouteByTraverseInfo(unit.grid, traverse, goal);
    auto action = std::make_unique<CStageStrategy_UnitAction>(stage);
    action->AddActionInfo(std::make_unique<CUnitActionInfo_Move>(*action, unit, std::move(route)));
    stage.SetStrategy(std::move(action));
  }
  ++count;
}

void CStageStrategy_UnitCommandAI::CStrategy_Move::Draw() {
  DrawGridHighlights(owner->GetStage(), traverse, EGridHighlight::MOVE);
}

// ---- attack ------------------------------------------------------------------

CStageStrategy_UnitCommandAI::CStrategy_Attack::CStrategy_Attack(CStageStrategy_UnitCommandAI& owner_,
                                                                 CThinkResult_AttackInfo attackInfo_)
    : CStrategy(owner_), attackInfo(attackInfo_) {
  CStage& stage = owner->GetStage();
  const SAttackRule rule = RuleOf(owner->GetUnit(), attackInfo);
  stage.cursor->visible = true;
  range = GetGridsInRange(owner->GetUnit(), stage, rule.minRange, rule.maxRange);
  UpdateArea();
}

void CStageStrategy_UnitCommandAI::CStrategy_Attack::UpdateArea() {
  CStage& stage = owner->GetStage();
  const SAttackRule rule = RuleOf(owner->GetUnit(), attackInfo);
  const SPoint cell = stage.cursor->GetGrid();
  area.clear();
  if (std::find(range.begin(), range.end(), cell) != range.end()) {
    area = GetAttackArea(rule.minRange == 1 && rule.maxRange == 1, rule.area, cell, owner->GetUnit().grid, stage);
  }
}

void CStageStrategy_UnitCommandAI::CStrategy_Attack::Update() {
  CStage& stage = owner->GetStage();
  CUnit& unit = owner->GetUnit();
  if (step == SHOW_RANGE && count >= 15) {
    stage.cursor->SetGrid(attackInfo.aim);
    stage.FollowCursor();
    UpdateArea();
    step = SHOW_AREA;
    count = 0;
  } else if (step == SHOW_AREA && count >= 15) {
    unit.acted = true;
    unit.moveHistory.clear();
    if (area.empty()) {
      // The plan never aims at nothing; if it does, the turn ends rather
      // than the same step being planned forever.
      owner->EndAITurn();
    } else {
      unit.SetDirection(AngleToDirection4(GetAngle(SPointD(unit.grid), SPointD(stage.cursor->GetGrid()))));
      auto action = std::make_unique<CStageStrategy_UnitAction>(stage);
      action->AddActionInfo(std::make_unique<CUnitActionInfo_Attack>(
          *action, RuleOf(unit, attackInfo).act, unit, area, attackInfo.isSkill ? attackInfo.skill : ESkill{}));
      stage.SetStrategy(std::move(action));
    }
  }
  ++count;
}

void CStageStrategy_UnitCommandAI::CStrategy_Attack::Draw() {
  CStage& stage = owner->GetStage();
  DrawGridHighlights(stage, range, EGridHighlight::RANGE, LAYER_COMMAND_BACK);
  DrawGridHighlights(stage, area, EGridHighlight::ATTACK, LAYER_COMMAND_FRONT);
}

// ---- standby -----------------------------------------------------------------

CStageStrategy_UnitCommandAI::CStrategy_Standby::CStrategy_Standby(CStageStrategy_UnitCommandAI& owner_,
                                                                   CThinkResult_StandbyInfo standbyInfo_)
    : CStrategy(owner_), standbyInfo(standbyInfo_) {}

void CStageStrategy_UnitCommandAI::CStrategy_Standby::Update() {
  if (step == WAIT_TURN && count >= 6) {
    owner->GetUnit().SetDirection(standbyInfo.direction);
    step = WAIT_END;
    count = 0;
  } else if (step == WAIT_END && count >= 14) {
    owner->EndAITurn();
  }
  ++count;
}

void CStageStrategy_UnitCommandAI::CStrategy_Standby::DrawOverlay() { arrow.Draw(owner->GetUnit()); }

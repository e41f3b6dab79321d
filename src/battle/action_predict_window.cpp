#include "battle/action_predict_window.h"

#include "battle/status_window.h"
#include "combat/formulas.h"
#include "combat/skill_table.h"
#include "field/unit.h"
#include "runtime/globals.h"
#include "ui/window_panes.h"

namespace {

struct SPrediction {
  std::string rate;
  std::string point;
};

SPrediction Predict(const CUnit& attacker, const CUnit& target, bool isSkill, ESkill skill) {
  if (isSkill) {
    const EAttackActCategory category = GetSkillCategory(skill);
    // Magic and healing never miss.
    if (category == EAttackActCategory::MAGIC)
      return {"命中率:100%", Format("ダメージ:%d", GetSkillValue(skill, attacker, target))};
    if (category == EAttackActCategory::HEAL)
      return {"命中率:100%", Format("回復値:%d", -GetSkillValue(skill, attacker, target))};
  }
  const std::string rate = Format("命中率:% 3d%%", GetWeaponHitRate(attacker, target));
  const int damage = isSkill ? GetSkillValue(skill, attacker, target) : GetWeaponDamage(attacker, target);
  return {rate, Format("ダメージ:%d", damage)};
}

std::unique_ptr<CDialog> CreatePredictionDialog(const SPrediction& prediction) {
  auto dialog = std::make_unique<CDialog>(200, 70);
  SetGameTitle(*dialog, "結果予測");
  AddLabel(*dialog, "rate", {5, 5}, fontNormal16, prediction.rate);
  AddLabel(*dialog, "point", {5, 25}, fontNormal16, prediction.point);
  return dialog;
}

}  // namespace

CActionPredictWindow::CActionPredictWindow(const CUnit& attacker, const CUnit& target, bool lowerPlacement,
                                           bool overlay, bool isSkill, ESkill skill) {
  auto attackerDialog = CreateCheapStatusDialog(attacker);
  auto targetDialog = CreateCheapStatusDialog(target);
  auto predictionDialog = CreatePredictionDialog(Predict(attacker, target, isSkill, skill));

  const int y = lowerPlacement ? 480 - attackerDialog->height - (overlay ? 36 : 0) : 0;
  const int attackerWidth = attackerDialog->width;
  const int targetWidth = targetDialog->width;
  attackerBox = manager.OpenDialog({0, y}, std::move(attackerDialog));
  targetBox = manager.OpenDialog({640 - targetWidth, y}, std::move(targetDialog));
  predictionBox = manager.OpenDialog({attackerWidth, y}, std::move(predictionDialog));
  predictionBox->width = 640 - attackerWidth - targetWidth;

  arrow = SDrawData(GetImageHandle("ui_parts/large_arrow.png"));
  arrow.SetImageSize(48, 48);
  arrow.SetSize(48, 48);
  arrow.SetRotate(true);
  arrow.SetAngle(90.0);
}

void CActionPredictWindow::Update() { manager.Update(); }

void CActionPredictWindow::Draw() {
  const double arrowY = predictionBox->position.y + predictionBox->height + 28;
  DrawSDrawData(arrow, SPointD(320.0, arrowY));
  manager.Draw();
}

void CActionPredictWindow::ProcessInput(CKeyManagerBase&) {}

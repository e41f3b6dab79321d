#include "scenes/info_dialogs.h"

#include <string>

#include "combat/skill_table.h"
#include "core/wrap_text.h"
#include "field/stage_data.h"
#include "runtime/globals.h"
#include "ui/window_panes.h"

namespace {

std::unique_ptr<CDialog> InfoBox(const std::string& title) {
  auto box = std::make_unique<CDialog>(320, 100);
  SetGameTitle(*box, title);
  return box;
}

// Lines past the bottom stay in the box; its clip area cuts them off.
void AddExplanation(CDialog& box, const std::string& text) {
  const int width = box.width - 20 - 2 * box.borderWidth;
  const std::vector<std::string> lines = WrapText("解説:" + text, width, fontNormal16, true);
  for (std::size_t m = 0; m < lines.size(); ++m)
    AddLabel(box, "LabelExplanation", {10, 30 + 20 * static_cast<int>(m)}, fontNormal16, lines[m]);
}

}  // namespace

std::unique_ptr<CDialog> CreateScenarioInfoDialog(int stageNo) {
  const SStageInfo& stage = GetStageInfo(stageNo);
  auto box = InfoBox("シナリオ情報");
  AddLabel(*box, "LabelWin", {10, 10}, fontNormal16, "勝利条件: 敵ユニットの全滅");
  AddLabel(*box, "LabelSortieUnitNum", {10, 30}, fontNormal16, Format("出撃可能ユニット数: %d", stage.maxUnits));
  AddLabel(*box, "LabelClearMoney", {10, 50}, fontNormal16, Format("クリア報酬: %d円", stage.reward));
  return box;
}

std::unique_ptr<CDialog> CreateParamInfoDialog(EStatusType status) {
  ToString(status);  // throws for a number outside the table
  const SStatusTypeInfo& info = statusTypeTable[static_cast<int>(status)];
  auto box = InfoBox("パラメータ情報");
  AddLabel(*box, "LabelName", {10, 10}, fontNormal16, info.name);
  AddExplanation(*box, info.help);
  return box;
}

std::unique_ptr<CDialog> CreateSkillInfoDialog(ESkill skill) {
  const SSkillInfo& info = GetSkillInfo(skill);
  auto box = InfoBox("スキル情報");
  AddLabel(*box, "LabelMP", {10, 10}, fontNormal16, Format("消費MP:%d", info.mp));
  AddExplanation(*box, info.description);
  return box;
}

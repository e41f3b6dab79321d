#include "scenes/get_skill_dialog.h"

#include <algorithm>
#include <cstdint>

#include "combat/skill_table.h"
#include "core/saturating.h"
#include "field/unit.h"
#include "field/unit_tables.h"
#include "persist/save_data.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "scenes/dialog_rows.h"
#include "ui/confirm_dialog.h"
#include "ui/window_panes.h"

namespace {

bool Knows(const CUnit& unit, ESkill skill) {
  return std::find(unit.skills.begin(), unit.skills.end(), skill) != unit.skills.end();
}

std::string MoneyText(int money) { return Format("所持金 % 3d円", money); }

void Grey(SSkillRow& row) {
  for (CPaneTextLabel* label : {row.nameLabel, row.learnedLabel, row.priceLabel}) label->textColor = kUnavailableTextColor;
}

CPaneTextLabel* AddRowLabel(CPaneContainer& row, const std::string& name, SPoint at, const std::string& text) {
  return static_cast<CPaneTextLabel*>(
      row.AddChild(std::make_unique<CPaneTextLabel>(name, at, fontNormal16, text)));
}

}  // namespace

SGetSkillDialog CreateGetSkillDialog(const CUnit& unit, int money) {
  SGetSkillDialog result;
  result.dialog = std::make_unique<CDialog>(320, 200);
  CDialog& dialog = *result.dialog;
  SetGameTitle(dialog, "スキル取得");
  dialog.wrapsFocus = true;

  const auto& classSkills = GetClassInfo(unit.charactor).skills;
  for (std::size_t n = 0; n < classSkills.size(); ++n) {
    const int j = static_cast<int>(n);
    const ESkill k = classSkills[n].skill;
    const SSkillInfo& info = GetSkillInfo(k);
    auto line = std::make_unique<CPaneContainer>(Format("%d", j), SPoint(5, 5 + 24 * j), 300, 24);
    line->focusable = true;
    line->focused = j == 0;
    SSkillRow row{k, info.price, nullptr, nullptr, nullptr};
    row.nameLabel = AddRowLabel(*line, Format("LabelSkill%d", j), {10, 2}, info.name);
    row.learnedLabel =
        AddRowLabel(*line, Format("LabelLearned%d", j), {240, 2}, Knows(unit, k) ? "習得済" : "未修得");
    row.priceLabel = AddRowLabel(*line, Format("LabelRequire%d", j), {180, 2}, Format("[%2d]", info.price));
    if (Knows(unit, k) || info.price > money) Grey(row);
    result.table.rows.push_back(row);
    dialog.AddPane(std::move(line));
  }
  result.table.money = money;
  result.table.moneyLabel = AddLabel(dialog, "LabelRestPoint", {50, 149}, fontNormal16, MoneyText(money));
  return result;
}

CDialogHook_GetSkillDialog::CDialogHook_GetSkillDialog(SSkillRowTable table_, CUnit& unit_)
    : unit(&unit_), table(std::move(table_)) {}

bool CDialogHook_GetSkillDialog::Buyable(const SSkillRow& row) const {
  return !Knows(*unit, row.skill) && row.price <= table.money;
}

void CDialogHook_GetSkillDialog::ProcessInput(CKeyManagerBase& keyManager) {
  if (!dialog) return;
  if (confirmDialog) {
    Answer(keyManager);
    return;
  }
  if (keyManager.IsPush(EGameKey::DECIDE, true)) {
    const auto j = FocusedRowIndex(*dialog, table.rows.size());
    if (!j || !Buyable(table.rows[*j])) return;
    askedRow = *j;
    confirmDialog = OpenConfirmDialog(*dialog, "習得しますか？");
  } else if (keyManager.IsPush(EGameKey::CANCEL, true)) {
    dialog->Close();
    dialog = nullptr;
  }
}

void CDialogHook_GetSkillDialog::Answer(CKeyManagerBase& keyManager) {
  // CANCEL does not close the box: only an answer does.
  if (!keyManager.IsPush(EGameKey::DECIDE, true)) return;
  const CPaneBase* answer = confirmDialog->GetFocusedPane();
  if (answer && answer->name == "yes" && Buyable(table.rows[askedRow])) Buy(table.rows[askedRow]);
  confirmDialog->Close();
  confirmDialog = nullptr;
}

void CDialogHook_GetSkillDialog::Buy(SSkillRow& row) {
  table.money -= row.price;
  if (saveData) saveData->money = table.money;
  unit->skills.push_back(row.skill);
  table.moneyLabel->text = MoneyText(table.money);
  row.learnedLabel->text = "習得済";
  Grey(row);
  for (SSkillRow& other : table.rows)
    if (other.price > table.money) Grey(other);
}

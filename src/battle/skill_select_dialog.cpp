#include "battle/skill_select_dialog.h"

#include "combat/skill_table.h"
#include "field/unit.h"
#include "runtime/globals.h"
#include "ui/window_panes.h"

std::unique_ptr<CDialog> CreateSkillSelectDialog(const CUnit& unit) {
  auto dialog = std::make_unique<CDialog>(300, 192);
  SetGameTitle(*dialog, "スキル選択");
  dialog->wrapsFocus = true;
  dialog->hasVerticalScrollBar = true;

  for (std::size_t j = 0; j < unit.skills.size(); ++j) {
    const int row = static_cast<int>(j);
    const SSkillInfo& skill = GetSkillInfo(unit.skills[j]);
    const EColorName colour = skill.mp > unit.mp ? kUnavailableTextColor : EColorName::Black;

    auto line = std::make_unique<CPaneContainer>(Format("%d", row), SPoint(10, 5 + 24 * row), 270, 20);
    line->focusable = true;
    line->focused = j == 0;
    auto name = std::make_unique<CPaneTextLabel>(Format("Label1_%d", row), SPoint(2, 2), fontNormal16, skill.name);
    auto cost = std::make_unique<CPaneTextLabel>(Format("Label2_%d", row), SPoint(200, 2), fontNormal16,
                                                 Format("消費:%d", skill.mp));
    name->textColor = colour;
    cost->textColor = colour;
    line->AddChild(std::move(name));
    line->AddChild(std::move(cost));
    dialog->AddPane(std::move(line));
  }
  return dialog;
}

#include "scenes/party_dialogs.h"

#include <algorithm>

#include "assets/sound_manager.h"
#include "assets/unit_sprites.h"
#include "battle/stage.h"
#include "field/unit.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "runtime/scene.h"
#include "scenes/dialog_rows.h"
#include "ui/window_panes.h"

namespace {

// The unit standing still facing left, 32 x 32 from the pane's corner.
SDrawData UnitIcon(const CUnit& unit) {
  SDrawData icon(GetUnitSpriteHandle(unit.spriteIndex, EDirection4::LEFT, 0));
  icon.SetImageSize(32, 32);
  icon.width = 32;
  icon.height = 32;
  return icon;
}

// A focusable row "%d" with the unit's icon and name; the first row is focused.
std::unique_ptr<CPaneContainer> UnitRow(const CUnit& unit, int i, SPoint at, int width) {
  auto row = std::make_unique<CPaneContainer>(Format("%d", i), at, width, 32);
  row->focusable = true;
  row->focused = i == 0;
  row->AddChild(std::make_unique<CPaneImage>(Format("Icon%d", i), SPoint(0, 0), UnitIcon(unit)));
  row->AddChild(std::make_unique<CPaneTextLabel>(Format("Name%d", i), SPoint(32, 4), fontNormal16, unit.name));
  return row;
}

std::string SkillPointText(const CUnit& unit) { return Format("%3dpt", unit.skillPoint); }

std::string SortieTitle(int chosen, int maxUnits) { return Format("出撃ユニット選択(%d/%d)", chosen, maxUnits); }

}  // namespace

std::unique_ptr<CDialog> CreateUnitListDialog(const std::vector<std::unique_ptr<CUnit>>& units,
                                              bool showSkillPoints) {
  auto dialog = std::make_unique<CDialog>(190, 200);
  SetGameTitle(*dialog, "ユニット選択");
  dialog->wrapsFocus = true;
  for (std::size_t n = 0; n < units.size(); ++n) {
    const int i = static_cast<int>(n);
    auto row = UnitRow(*units[n], i, {10, 32 * i}, 170);
    if (showSkillPoints) {
      row->AddChild(std::make_unique<CPaneTextLabel>(Format("SkillPoint%d", i), SPoint(120, 4), fontNormal16,
                                                     SkillPointText(*units[n])));
    }
    dialog->AddPane(std::move(row));
  }
  return dialog;
}

void ShowSkillPoints(CDialog& unitList, const std::vector<std::unique_ptr<CUnit>>& units) {
  for (std::size_t n = 0; n < units.size(); ++n) {
    const int i = static_cast<int>(n);
    auto* row = dynamic_cast<CPaneContainer*>(unitList.FindPane(Format("%d", i)));
    auto* label = row ? dynamic_cast<CPaneTextLabel*>(row->FindChild(Format("SkillPoint%d", i))) : nullptr;
    if (label) label->text = SkillPointText(*units[n]);
  }
}

SSortieDialog CreateSortieDialog(const std::vector<std::unique_ptr<CUnit>>& units, int maxUnits) {
  SSortieDialog result;
  result.dialog = std::make_unique<CDialog>(240, 220);
  CDialog& dialog = *result.dialog;
  SetGameTitle(dialog, SortieTitle(0, maxUnits));
  dialog.wrapsFocus = true;
  for (std::size_t n = 0; n < units.size(); ++n) {
    const int i = static_cast<int>(n);
    auto hand = std::make_unique<CPaneImage>("", SPoint(10, 32 * i), ImageDrawData("ui_parts/hand.png"));
    hand->visible = false;
    result.table.push_back({units[n].get(), false, dialog.Add(std::move(hand))});
    dialog.AddPane(UnitRow(*units[n], i, {40, 32 * i}, 150));
  }
  AddLabel(dialog, "decide", {40, 32 * static_cast<int>(units.size()) + 10}, fontNormal16, "出撃ユニット確定")
      ->focusable = true;
  return result;
}

CDialogHook_SortieUnitSelectDialog::CDialogHook_SortieUnitSelectDialog(std::vector<SSortieEntry> table_,
                                                                       int maxUnits_, int stageNo_)
    : table(std::move(table_)), maxUnits(maxUnits_), stageNo(stageNo_) {}

int CDialogHook_SortieUnitSelectDialog::SelectedCount() const {
  return static_cast<int>(std::count_if(table.begin(), table.end(), [](const SSortieEntry& e) { return e.selected; }));
}

void CDialogHook_SortieUnitSelectDialog::ProcessInput(CKeyManagerBase& keyManager) {
  if (!dialog) return;
  if (keyManager.IsPush(EGameKey::DECIDE, true)) {
    const CPaneBase* focused = dialog->GetFocusedPane();
    if (!focused) return;
    if (focused->name == "decide") {
      const int chosen = SelectedCount();
      if (1 <= chosen && chosen <= maxUnits) StartBattle();
    } else if (const auto index = ParseRowIndex(focused->name, table.size())) {
      Toggle(*index);
    }
  } else if (keyManager.IsPush(EGameKey::CANCEL, true)) {
    dialog->Close();
    dialog = nullptr;
  }
}

void CDialogHook_SortieUnitSelectDialog::Toggle(std::size_t index) {
  SSortieEntry& entry = table[index];
  entry.selected = !entry.selected;
  if (entry.hand) entry.hand->visible = entry.selected;
  const int chosen = SelectedCount();
  dialog->title = SortieTitle(chosen, maxUnits);
  // More than the map allows may be chosen, but the title turns to the
  // warning colour and the battle will not start.
  dialog->titleColor = chosen <= maxUnits ? EColorName::White : kOverLimitTitleColor;
}

void CDialogHook_SortieUnitSelectDialog::StartBattle() {
  std::vector<CUnit*> sortie;
  for (const SSortieEntry& entry : table)
    if (entry.selected && entry.unit) sortie.push_back(entry.unit);
  if (soundManager) soundManager->StopBgm();
  SetNextScene(std::make_unique<CStage>(stageNo, sortie));
}

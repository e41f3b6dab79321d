#include "scenes/edit_param_dialog.h"

#include <cstdint>

#include "core/saturating.h"
#include "field/unit.h"
#include "field/unit_tables.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "scenes/dialog_rows.h"
#include "ui/confirm_dialog.h"
#include "ui/window_panes.h"

namespace {

constexpr EStatusType kStatusOrder[STATUS_TYPE_COUNT] = {
    EStatusType::HP,  EStatusType::MP,  EStatusType::STR, EStatusType::VIT,  EStatusType::DEX,
    EStatusType::AGI, EStatusType::INT, EStatusType::WT,  EStatusType::MOVE,
};

// The raw parameter: a status effect's bonus must never be bought on or
// written back.
int OwnValue(const CUnit& unit, EStatusType status) {
  switch (status) {
    case EStatusType::HP: return unit.maxHp;
    case EStatusType::MP: return unit.maxMp;
    case EStatusType::STR: return unit.str;
    case EStatusType::VIT: return unit.vit;
    case EStatusType::DEX: return unit.dex;
    case EStatusType::AGI: return unit.agi;
    case EStatusType::INT: return unit.intelligence;
    case EStatusType::WT: return unit.wt;
    case EStatusType::MOVE: return unit.move;
  }
  return 0;
}

std::string RestPointText(int points) { return Format("残りポイント % 3d", points); }
std::string PriceText(int price) { return Format("[%2d]", price); }

CPaneTextLabel* AddRowLabel(CPaneContainer& row, const std::string& name, SPoint at, const std::string& text,
                            EColorName colour = EColorName::Black) {
  auto label = std::make_unique<CPaneTextLabel>(name, at, fontNormal16, text);
  label->textColor = colour;
  return static_cast<CPaneTextLabel*>(row.AddChild(std::move(label)));
}

}  // namespace

SEditParamDialog CreateEditParamDialog(const CUnit& unit) {
  SEditParamDialog result;
  result.dialog = std::make_unique<CDialog>(250, 280);
  CDialog& dialog = *result.dialog;
  SetGameTitle(dialog, "ステータス振り分け");
  dialog.wrapsFocus = true;

  for (int i = 0; i < STATUS_TYPE_COUNT; ++i) {
    const EStatusType s = kStatusOrder[i];
    const std::string name = ToString(s);
    const int v = OwnValue(unit, s);
    auto row = std::make_unique<CPaneContainer>(name, SPoint(5, 24 * i + 5), 200, 24);
    row->focusable = true;
    row->focused = s == EStatusType::HP;
    SParamRow& r = result.table.rows[static_cast<int>(s)];
    r.value = v;
    AddRowLabel(*row, "Label" + name, {10, 2}, name, kRaisedTextColor);
    r.valueLabel = AddRowLabel(*row, "LeftLabel" + name, {50, 2}, Format("%3d", v));
    AddRowLabel(*row, "ArrowLabel" + name, {90, 2}, s == EStatusType::WT ? "-" : "+");
    r.addedLabel = AddRowLabel(*row, "RightLabel" + name, {100, 2}, Format("%3d", 0));
    r.priceLabel = AddRowLabel(*row, "RequireLabel" + name, {150, 2},
                               s == EStatusType::WT ? "[ - ]" : PriceText(ParamCost(unit.charactor, s, v)));
    dialog.AddPane(std::move(row));
  }
  result.table.restPoints = unit.skillPoint;
  result.table.restPointLabel =
      AddLabel(dialog, "LabelRestPoint", {50, 231}, fontNormal16, RestPointText(unit.skillPoint));
  return result;
}

CDialogHook_EditParamDialog::CDialogHook_EditParamDialog(SParamRowTable table_, CUnit& unit_)
    : unit(&unit_), table(table_) {}

int CDialogHook_EditParamDialog::StepPrice(EStatusType status, int from) const {
  return ParamCost(unit->charactor, status, from);
}

void CDialogHook_EditParamDialog::ProcessInput(CKeyManagerBase& keyManager) {
  if (!dialog) return;
  if (confirmDialog) {
    Answer(keyManager);
    return;
  }
  const std::optional<EStatusType> focused = FocusedStatusType(*dialog);
  if (keyManager.IsPush(EGameKey::LEFT, true)) {
    // The dialog has already moved the focus: the step comes back from the
    // row that has it now.
    if (focused) TakeBack(*focused);
  } else if (keyManager.IsPush(EGameKey::RIGHT, true)) {
    if (focused) Buy(*focused);
  } else if (keyManager.IsPush(EGameKey::DECIDE, true)) {
    confirmDialog = OpenConfirmDialog(*dialog, "確定しますか？");
  } else if (keyManager.IsPush(EGameKey::CANCEL, true)) {
    dialog->Close();
    dialog = nullptr;
  }
}

void CDialogHook_EditParamDialog::Answer(CKeyManagerBase& keyManager) {
  // CANCEL does not close the box: only an answer does.
  if (!keyManager.IsPush(EGameKey::DECIDE, true)) return;
  const CPaneBase* answer = confirmDialog->GetFocusedPane();
  if (answer && answer->name == "yes") Confirm();
  confirmDialog->Close();
  confirmDialog = nullptr;
}

void CDialogHook_EditParamDialog::ShowStep(EStatusType status) {
  SParamRow& r = table.rows[static_cast<int>(status)];
  r.addedLabel->text = Format("%3d", r.added);
  r.addedLabel->textColor = r.added > 0 ? kRaisedTextColor : EColorName::Black;
  r.priceLabel->text = PriceText(StepPrice(status, Saturate(std::int64_t{r.value} + r.added)));
  table.restPointLabel->text = RestPointText(table.restPoints);
}

void CDialogHook_EditParamDialog::TakeBack(EStatusType status) {
  SParamRow& r = table.rows[static_cast<int>(status)];
  if (status == EStatusType::WT || r.added <= 0) return;
  table.restPoints = Saturate(std::int64_t{table.restPoints} +
                              StepPrice(status, Saturate(std::int64_t{r.value} + r.added - 1)));
  --r.added;
  ShowStep(status);
}

void CDialogHook_EditParamDialog::Buy(EStatusType status) {
  SParamRow& r = table.rows[static_cast<int>(status)];
  if (status == EStatusType::WT) return;
  const int price = StepPrice(status, Saturate(std::int64_t{r.value} + r.added));
  // A price below zero only comes from impossible values; it must not pay out points.
  if (price < 0 || table.restPoints < price) return;
  table.restPoints -= price;
  ++r.added;
  ShowStep(status);
}

void CDialogHook_EditParamDialog::Confirm() {
  auto raised = [this](EStatusType s) {
    const SParamRow& r = table.rows[static_cast<int>(s)];
    return Saturate(std::int64_t{r.value} + r.added);
  };
  unit->skillPoint = table.restPoints;
  unit->maxHp = unit->hp = raised(EStatusType::HP);
  unit->maxMp = unit->mp = raised(EStatusType::MP);
  unit->str = raised(EStatusType::STR);
  unit->vit = raised(EStatusType::VIT);
  unit->dex = raised(EStatusType::DEX);
  unit->agi = raised(EStatusType::AGI);
  unit->intelligence = raised(EStatusType::INT);
  unit->move = raised(EStatusType::MOVE);
  for (SParamRow& r : table.rows) {
    r.value = Saturate(std::int64_t{r.value} + r.added);
    r.added = 0;
    r.valueLabel->text = Format("%3d", r.value);
    r.addedLabel->text = Format("%3d", 0);
    r.addedLabel->textColor = EColorName::Black;
  }
}

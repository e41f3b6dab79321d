// The camp dialog in which a party member's skill points buy parameter
// steps. Steps stay pending in the hook until "はい" confirms them.
#pragma once

#include <array>
#include <memory>

#include "field/unit_status.h"
#include "ui/dialog.h"

class CUnit;
class CPaneTextLabel;

struct SParamRow {
  int value = 0;  // the unit's parameter when the dialog was built
  int added = 0;  // steps bought and not yet confirmed
  CPaneTextLabel* valueLabel = nullptr;
  CPaneTextLabel* addedLabel = nullptr;
  CPaneTextLabel* priceLabel = nullptr;
};

struct SParamRowTable {
  std::array<SParamRow, STATUS_TYPE_COUNT> rows;  // by EStatusType
  int restPoints = 0;
  CPaneTextLabel* restPointLabel = nullptr;
};

struct SEditParamDialog {
  std::unique_ptr<CDialog> dialog;
  SParamRowTable table;  // its labels live as long as the dialog
};

// One focusable row per parameter, named "HP" … "MOVE", the HP row focused.
// DEX is the unit's own, without what a status effect lends it. Built unopened.
SEditParamDialog CreateEditParamDialog(const CUnit& unit);

// RIGHT buys a step of the focused row, LEFT takes one back, DECIDE asks
// "確定しますか？" and "はい" writes the steps into the unit (filling HP and
// MP); CANCEL closes the dialog and drops what was not confirmed. WT never
// changes here. Attach it to the dialog the table was built with; the unit
// must outlive the dialog.
class CDialogHook_EditParamDialog : public CDialogHook {
 public:
  CDialogHook_EditParamDialog(SParamRowTable table, CUnit& unit);
  void ProcessInput(CKeyManagerBase& keyManager) override;

  const SParamRowTable& GetTable() const { return table; }
  CDialog* GetConfirmDialog() const { return confirmDialog; }

 private:
  void Answer(CKeyManagerBase& keyManager);
  void TakeBack(EStatusType status);
  void Buy(EStatusType status);
  void Confirm();
  int StepPrice(EStatusType status, int from) const;
  void ShowStep(EStatusType status);

  CUnit* unit;
  SParamRowTable table;
  CDialog* confirmDialog = nullptr;
};

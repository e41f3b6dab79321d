// The camp dialog in which the party's money buys a member the skills of
// its class.
#pragma once

#include <memory>
#include <vector>

#include "field/attack_types.h"
#include "ui/dialog.h"

class CUnit;
class CPaneTextLabel;

struct SSkillRow {
  ESkill skill = ESkill::FIRE_BOLT;
  int price = 0;
  CPaneTextLabel* nameLabel = nullptr;
  CPaneTextLabel* learnedLabel = nullptr;
  CPaneTextLabel* priceLabel = nullptr;
};

struct SSkillRowTable {
  std::vector<SSkillRow> rows;  // the class's skill list, in its order
  CPaneTextLabel* moneyLabel = nullptr;
  int money = 0;
};

struct SGetSkillDialog {
  std::unique_ptr<CDialog> dialog;
  SSkillRowTable table;  // its labels live as long as the dialog
};

// One focusable row "%d" per skill of the unit's class, the first focused;
// rows of skills already learned or dearer than `money` are grey. A unit
// without a class skill list gets no rows. Built unopened.
SGetSkillDialog CreateGetSkillDialog(const CUnit& unit, int money);

// DECIDE on a skill not yet learned and affordable asks "習得しますか？";
// "はい" pays for it at once (into saveData's money too) and appends it to
// the unit's skills. CANCEL closes the dialog. Attach it to the dialog the
// table was built with; the unit must outlive the dialog.
class CDialogHook_GetSkillDialog : public CDialogHook {
 public:
  CDialogHook_GetSkillDialog(SSkillRowTable table, CUnit& unit);
  void ProcessInput(CKeyManagerBase& keyManager) override;

  const SSkillRowTable& GetTable() const { return table; }
  CDialog* GetConfirmDialog() const { return confirmDialog; }

 private:
  bool Buyable(const SSkillRow& row) const;
  void Answer(CKeyManagerBase& keyManager);
  void Buy(SSkillRow& row);

  CUnit* unit;
  SSkillRowTable table;
  CDialog* confirmDialog = nullptr;
  std::size_t askedRow = 0;  // the row the open box asks about
};

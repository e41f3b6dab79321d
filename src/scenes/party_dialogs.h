// The camp's lists of the party: the plain unit list (for raising
// parameters and buying skills) and the sortie selection that starts a
// battle.
#pragma once

#include <memory>
#include <vector>

#include "ui/dialog.h"

class CUnit;
class CPaneImage;

// One row per unit, a focusable container named by its index ("0", "1", …)
// holding "Icon%d", "Name%d" and, with `showSkillPoints`, "SkillPoint%d".
// Built unopened; the first row has the focus.
std::unique_ptr<CDialog> CreateUnitListDialog(const std::vector<std::unique_ptr<CUnit>>& units,
                                              bool showSkillPoints);
// The unit list's "SkillPoint%d" labels show the units' points as they are now.
void ShowSkillPoints(CDialog& unitList, const std::vector<std::unique_ptr<CUnit>>& units);

// One party member of the sortie selection.
struct SSortieEntry {
  CUnit* unit = nullptr;
  bool selected = false;
  CPaneImage* hand = nullptr;  // shown while selected; owned by the dialog
};

// The sortie title's colour while more units are marked than the map takes:
// a warning that reads on the title bar's brown.
inline constexpr EColorName kOverLimitTitleColor = EColorName::Yellow;

struct SSortieDialog {
  std::unique_ptr<CDialog> dialog;
  std::vector<SSortieEntry> table;  // in the order of the units given
};

// Rows "0", "1", … as in the unit list with a hand beside each, and the
// line "decide" below them. `maxUnits` is the stage's limit, shown in the
// title. Built unopened; the table's hand panes live as long as the dialog.
SSortieDialog CreateSortieDialog(const std::vector<std::unique_ptr<CUnit>>& units, int maxUnits);

// Toggles a unit on DECIDE over its row; DECIDE over "decide" with one to
// `maxUnits` units chosen starts the battle of `stageNo` as the next scene;
// CANCEL closes the dialog. Attach it to the dialog the table was built with.
class CDialogHook_SortieUnitSelectDialog : public CDialogHook {
 public:
  CDialogHook_SortieUnitSelectDialog(std::vector<SSortieEntry> table, int maxUnits, int stageNo);
  void ProcessInput(CKeyManagerBase& keyManager) override;

  const std::vector<SSortieEntry>& GetTable() const { return table; }
  int SelectedCount() const;

 private:
  void Toggle(std::size_t index);
  void StartBattle();

  std::vector<SSortieEntry> table;
  int maxUnits;
  int stageNo;
};

// A unit's numbers: the full status window of the "status" command and the
// small box of the unit under the map cursor. Both show the numbers of the
// moment they are built; the battle scene builds a new one when they change.
#pragma once

#include <memory>

#include "core/geometry.h"
#include "ui/dialog.h"
#include "ui/game_ui_window.h"
#include "ui/gui_manager.h"

class CUnit;

// 250 x 220: face, class, gauges, the combat figures, the five parameters,
// skill points and the weapon.
std::unique_ptr<CDialog> CreateStatusDialog(const CUnit& unit);
// 250 x 140: face, class, gauges, the combat figures and the status effect
// icons with their turns left.
std::unique_ptr<CDialog> CreateCheapStatusDialog(const CUnit& unit);

// Shows one unit's status dialog until CANCEL or DECIDE is pressed.
class CUnitStatusWindowBase : public CGameUIWindow {
 public:
  void Update() override;
  void Draw() override;
  void ProcessInput(CKeyManagerBase& keyManager) override;
  bool IsEnd() override { return finished; }

  // The owner may move the dialog and read its size.
  CDialog* GetDialog() const { return dialog; }
  const CUnit& GetUnit() const { return unit; }
  // Where the window was opened.
  SPoint GetPosition() const { return position; }

 protected:
  CUnitStatusWindowBase(const CUnit& unit, SPoint position, std::unique_ptr<CDialog> built);

 private:
  const CUnit& unit;
  SPoint position;
  CGuiManager manager;
  CDialog* dialog;  // owned by the manager
  bool finished = false;
};

class CStatusWindow : public CUnitStatusWindowBase {
 public:
  CStatusWindow(const CUnit& unit, SPoint position);
};

class CCheapStatusWindow : public CUnitStatusWindowBase {
 public:
  CCheapStatusWindow(const CUnit& unit, SPoint position);
};

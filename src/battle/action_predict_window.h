// Shown while a weapon or skill target is chosen: the attacker's small
// status box on the left, the target's on the right, the expected hit rate
// and damage (or healing) between them and a large arrow from one to the other.
#pragma once

#include "field/attack_types.h"
#include "gfx/draw_data.h"
#include "ui/dialog.h"
#include "ui/game_ui_window.h"
#include "ui/gui_manager.h"

class CUnit;

class CActionPredictWindow : public CGameUIWindow {
 public:
  // `lowerPlacement` puts the row at the bottom of the screen (the cursor is
  // in the upper half); `overlay` lifts it above the order window.
  // `isSkill` false means a weapon attack and `skill` is not read.
  CActionPredictWindow(const CUnit& attacker, const CUnit& target, bool lowerPlacement, bool overlay, bool isSkill,
                       ESkill skill);

  void Update() override;
  void Draw() override;
  void ProcessInput(CKeyManagerBase& keyManager) override;
  // The window stays until the battle scene drops it.
  bool IsEnd() override { return finished; }

  CDialog* GetAttackerBox() const { return attackerBox; }
  CDialog* GetTargetBox() const { return targetBox; }
  CDialog* GetPredictionBox() const { return predictionBox; }
  const SDrawData& GetArrow() const { return arrow; }

 private:
  CGuiManager manager;
  CDialog* attackerBox = nullptr;  // the three boxes are owned by the manager
  CDialog* targetBox = nullptr;
  CDialog* predictionBox = nullptr;
  SDrawData arrow;
  bool finished = false;
};

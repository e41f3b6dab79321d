// A party unit's command: the menu "行動選択" and one step at a time —
// choosing a destination, a weapon target, a skill and its target, a facing
// before standing by, or looking at the status. A chosen move or attack is
// handed to the unit action; standby ends the turn.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "battle/cursor.h"
#include "battle/facing_arrow.h"
#include "battle/stage.h"
#include "field/attack_types.h"
#include "field/traverse.h"
#include "gfx/draw_data.h"
#include "runtime/step_slot.h"
#include "ui/gui_manager.h"

class CActionPredictWindow;
class CDialog;
class CStatusWindow;
class CUnit;
class CStageStrategy_UnitCommand;

enum class EUnitCommandType : int {
  MENU = 0,  // the command menu
  PASS = 1,  // no menu: a fallen unit's turn passes after a short pause
};

// One step of a command; it replaces itself through its owner.
using CStrategy = CStepOf<CStageStrategy_UnitCommand>;

class CStageStrategy_UnitCommand : public CStageStrategy {
 public:
  // For `unit`, which must outlive the strategy (units stay in the battle's
  // keeping until it ends). The full menu is for the active party unit;
  // any other unit gets "ステータス" alone.
  CStageStrategy_UnitCommand(CStage& stage, CUnit& unit, EUnitCommandType type);
  ~CStageStrategy_UnitCommand() override;

  void Update() override;
  void ProcessInput() override;
  void Draw() override;
  void DrawOverlay() override;
  // Only a fallen unit's pass; every step of the menu waits for the player.
  bool CanFastForward() const override { return step && step->CanFastForward(); }

  // The next step takes over at once; the old one lives until the next
  // frame, so the call that replaced it may finish.
  void SetStep(std::unique_ptr<CStrategy> next);
  CStrategy* GetStep() const { return step.Get(); }
  CStage& GetStage() const { return *stage; }
  CUnit& GetUnit() const { return *unit; }
  CGuiManager& GetGui() { return gui; }
  CDialog* GetRootDialog() const { return rootDialog; }
  // Back to browsing, the cursor on the active unit.
  void ReturnToBrowsing();
  // A window of the command (the menu, the status window) opens in the
  // top-left corner, or in the top-right one when it would cover the unit's
  // cell there.
  void KeepClearOfUnit(CDialog& window) const;
  void PlaceMenu();
  // The skill list opens beside the menu, towards the middle of the screen.
  bool IsMenuOnRight() const;

 private:
  CUnit* unit;
  CStepSlot<CStrategy> step;
  CGuiManager gui;
  CDialog* rootDialog = nullptr;  // owned by gui
};

class CStrategy_WaitToStandby : public CStrategy {
 public:
  using CStrategy::CStrategy;
  void Update() override;
  bool CanFastForward() const override { return true; }

 private:
  int count = 0;
};

class CStrategy_RootMenu : public CStrategy {
 public:
  using CStrategy::CStrategy;
  void Update() override;
  void ProcessInput() override;
  void DrawOverlay() override;
};

class CStrategy_Move : public CStrategy {
 public:
  explicit CStrategy_Move(CStageStrategy_UnitCommand& owner);
  void Update() override;
  void ProcessInput() override;
  void Draw() override;
  void DrawOverlay() override;

 private:
  CTraverseInfo traverse;
  CCursorStepping stepping;
};

// Shared by the weapon and the skill target steps: the range, the struck
// area under the cursor and the prediction window.
class CTargetChoice {
 public:
  void SetRange(CStage& stage, const CUnit& unit, int minRange, int maxRange);
  // Recomputes the area and the prediction for the cursor's cell. `skill`
  // is empty for a weapon attack.
  void Aim(CStage& stage, const CUnit& unit, std::span<const SPoint> shape, bool rotate, std::optional<ESkill> skill);
  void Update();
  void Draw(CStage& stage, EGridHighlight areaKind) const;
  // The prediction window and the key help line, kept clear of it.
  void DrawOverlay(const CStage& stage) const;

  std::vector<SPoint> range;
  std::vector<SPoint> area;
  std::unique_ptr<CActionPredictWindow> predictWindow;
  CCursorStepping stepping;
};

class CStrategy_Attack : public CStrategy {
 public:
  explicit CStrategy_Attack(CStageStrategy_UnitCommand& owner);
  ~CStrategy_Attack() override;
  void Update() override;
  void ProcessInput() override;
  void Draw() override;
  void DrawOverlay() override;

 private:
  void Aim();
  CTargetChoice target;
};

class CStrategy_Skill : public CStrategy {
 public:
  enum EStep { SELECT_SKILL = 0, SELECT_TARGET = 1 };
  explicit CStrategy_Skill(CStageStrategy_UnitCommand& owner);
  ~CStrategy_Skill() override;
  void Update() override;
  void ProcessInput() override;
  void Draw() override;
  void DrawOverlay() override;

 private:
  void Aim();
  void ChooseSkill();
  CTargetChoice target;
  CDialog* listDialog = nullptr;  // a child of the menu, owned by it
  EStep step = SELECT_SKILL;
  ESkill skill = ESkill::FIRE_BOLT;
  EGridHighlight areaKind = EGridHighlight::ATTACK;
};

class CStrategy_Standby : public CStrategy {
 public:
  // With `immediate` the turn ends at once (a fallen unit's pass).
  CStrategy_Standby(CStageStrategy_UnitCommand& owner, bool immediate);
  void ProcessInput() override;
  void DrawOverlay() override;

 private:
  CFacingArrow arrow;
};

class CStrategy_Status : public CStrategy {
 public:
  explicit CStrategy_Status(CStageStrategy_UnitCommand& owner);
  ~CStrategy_Status() override;
  void Update() override;
  void ProcessInput() override;
  void DrawOverlay() override;
  CStatusWindow* GetWindow() const { return window.get(); }

 private:
  std::unique_ptr<CStatusWindow> window;
};

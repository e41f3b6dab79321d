// The battle's resting strategy, browsing the map with the turn dispatch,
// and the system menu it opens.
#pragma once

#include <optional>
#include <vector>

#include "battle/announce.h"
#include "battle/cursor.h"
#include "battle/stage.h"
#include "field/traverse.h"
#include "ui/gui_manager.h"

class CDialog;

class CUnit;

// Browsing the map; every frame it also dispatches the next turn. While a
// party unit is active the player steers the cursor, looks at any unit's
// ranges, shows the enemies' danger zone, toggles the overlay, undoes the
// active unit's move and opens a unit's menu or the system menu.
class CStageStrategy_FreeScroll : public CStageStrategy {
 public:
  explicit CStageStrategy_FreeScroll(CStage& stage);
  void Update() override;
  void ProcessInput() override;
  void Draw() override;
  void DrawOverlay() override;
  // Until the dispatch hands the turn to the player; an enemy's turn or a
  // fallen unit's pass is handed on without a key.
  bool CanFastForward() const override { return !inputEnabled; }
  // True while the active unit is a living party member whose command the
  // player is to choose.
  bool IsPlayerInputEnabled() const { return inputEnabled; }
  bool IsDangerShown() const { return showDanger; }
  bool IsHoverShown() const { return showHover; }
  const std::vector<SPoint>& GetDangerMove() const { return dangerMove; }
  const std::vector<SPoint>& GetDangerSight() const { return dangerSight; }
  const std::optional<CTraverseInfo>& GetHoverMove() const { return hoverMove; }

 private:
  void Hover();
  void ToggleDanger();

  std::optional<CTraverseInfo> hoverMove;
  std::optional<CTraverseInfo> hoverSight;
  std::vector<SPoint> dangerSight;  // watched by an enemy that cannot walk there
  std::vector<SPoint> dangerMove;   // within an enemy's walk
  bool showDanger = false;
  bool showHover = false;
  bool inputEnabled = false;
  CCursorStepping stepping;
};

// The pause menu opened on an empty cell: go on, or give up the battle.
class CStageStrategy_SystemMenu : public CStageStrategy {
 public:
  explicit CStageStrategy_SystemMenu(CStage& stage);
  ~CStageStrategy_SystemMenu() override;
  void Update() override;
  void ProcessInput() override;
  void DrawOverlay() override;
  CDialog* GetDialog() const { return dialog; }

 private:
  CGuiManager gui;
  CDialog* dialog = nullptr;  // owned by gui
};

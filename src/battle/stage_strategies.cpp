#include "battle/stage_strategies.h"

#include <algorithm>
#include <string>

#include "assets/sound_manager.h"
#include "battle/announce.h"
#include "battle/cursor.h"
#include "battle/leave_question.h"
#include "battle/unit_command.h"
#include "battle/unit_command_ai.h"
#include "core/map_grid.h"
#include "field/geographical_features.h"
#include "field/unit.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "ui/dialog.h"
#include "ui/menu_dialog.h"

// ---- browsing and the turn dispatch ------------------------------------------

CStageStrategy_FreeScroll::CStageStrategy_FreeScroll(CStage& stage_) : CStageStrategy(stage_) {
  stage->cursor->visible = true;
  stage->UpdateCheapStatusWindow();
}

void CStageStrategy_FreeScroll::Update() {
  inputEnabled = false;
  CStageState& state = stage->state;
  // Defeat is tested first: when both sides fall at once the battle is lost.
  if (state.CountLivingTeam(0) == 0) {
    stage->SetStrategy(std::make_unique<CStageStrategy_Announce>(*stage, CStageStrategy_Announce::GAME_OVER));
    return;
  }
  if (state.CountLivingTeam(1) == 0) {
    stage->SetStrategy(std::make_unique<CStageStrategy_Announce>(*stage, CStageStrategy_Announce::STAGE_CLEARED));
    return;
  }
  if (state.units.empty()) return;
  CUnit& active = *state.units.front();
  if (active.IsDead()) {
    stage->FocusOnActiveUnit();
    stage->SetStrategy(std::make_unique<CStageStrategy_UnitCommand>(*stage, active, EUnitCommandType::PASS));
    return;
  }
  if (active.team == 0) {
    stage->showCheapStatus = true;
    inputEnabled = true;
  } else {
    stage->SetStrategy(std::make_unique<CStageStrategy_UnitCommandAI>(*stage, active));
    return;
  }
  stage->FollowCursor();
}

void CStageStrategy_FreeScroll::Hover() {
  const std::vector<CUnit*> here = stage->GetUnitsAt(stage->cursor->GetGrid());
  showHover = here.size() == 1;
  if (!showHover) return;
  const CUnit& u = *here[0];
  hoverMove = GetTraverseInfo(*stage, u.grid, u.GetMove(), u.flying, true, u.team);
  hoverSight.reset();
  if (u.ai) hoverSight = GetTraverseInfo(*stage, u.grid, u.ai->searchRange, u.flying, false, 0);
}

void CStageStrategy_FreeScroll::ToggleDanger() {
  showDanger = !showDanger;
  if (!showDanger) return;
  SDangerZone zone = GetDangerZone(*stage);
  dangerMove = std::move(zone.move);
  dangerSight = std::move(zone.sight);
}

void CStageStrategy_FreeScroll::ProcessInput() {
  if (!inputEnabled || !keyManager) return;
  CCursor& cursor = *stage->cursor;
  if (stepping.Step(*stage)) {
    stage->UpdateCheapStatusWindow();
    Hover();
  }
  CUnit& active = *stage->state.units.front();
  const SPoint cell = cursor.GetGrid();
  if (keyManager->IsPush(EGameKey::DECIDE, true)) {
    const std::vector<CUnit*> here = stage->GetUnitsAt(cell);
    if (here.empty()) {
      stage->SetStrategy(std::make_unique<CStageStrategy_SystemMenu>(*stage));
    } else {
      if (soundManager) soundManager->PlaySE(SE_PI79);
      stage->SetStrategy(std::make_unique<CStageStrategy_UnitCommand>(*stage, *here[0], EUnitCommandType::MENU));
    }
  } else if (keyManager->IsPush(EGameKey::CANCEL, true)) {
    if (cell == active.grid) {
      if (active.moveHistory.empty()) return;
      // Undo the move: cell, pixel position and facing in one frame.
      if (soundManager) soundManager->PlaySE(SE_DECIDE3);
      const CInfoBeforeMove before = active.moveHistory.front();
      active.grid = before.grid;
      if (active.actor) active.actor->position = GridToPixel(before.grid);
      active.SetDirection(before.direction);
      active.moved = false;
      active.moveHistory.clear();
      stage->FocusOnActiveUnit();
    } else {
      showHover = false;
      showDanger = false;
      stage->FocusOnActiveUnit();
    }
  } else if (keyManager->IsPush(EGameKey::SUB1, true)) {
    stage->overlay = !stage->overlay;
    stage->UpdateCheapStatusWindow();
  } else if (keyManager->IsPush(EGameKey::SUB2, true)) {
    ToggleDanger();
  }
}

void CStageStrategy_FreeScroll::Draw() {
  if (showDanger) {
    DrawGridHighlights(*stage, dangerMove, EGridHighlight::MOVE);
    DrawWatchRange(*stage, dangerSight, dangerMove);
  }
  if (showHover && hoverMove) {
    DrawGridHighlights(*stage, *hoverMove, EGridHighlight::MOVE);
    if (hoverSight) {
      std::vector<SPoint> walked;
      std::vector<SPoint> outside;
      for (const CGridInfo& g : hoverMove->grids) walked.push_back(g.grid);
      for (const CGridInfo& g : hoverSight->grids) {
        if (!hoverMove->Find(g.grid)) outside.push_back(g.grid);
      }
      DrawWatchRange(*stage, outside, walked);
    }
  }
}

void CStageStrategy_FreeScroll::DrawOverlay() {
  if (inputEnabled) stage->DrawKeyHelp("Z:コマンド  A:表示切替  S:危険範囲  Space:早送り");
  if (stage->state.units.empty()) return;
  const CUnit& active = *stage->state.units.front();
  if (stage->cursor->GetGrid() == active.grid && !active.moveHistory.empty()) {
    DrawStringToHandle(0, 0, "Ｘキーで移動キャンセル", GetColor(255, 255, 255), fontEdge14);
  }
}

// ---- the system menu ---------------------------------------------------------

CStageStrategy_SystemMenu::CStageStrategy_SystemMenu(CStage& stage_) : CStageStrategy(stage_) {
  stage->cursor->visible = false;
  auto menu = CreateMenuDialog("システムメニュー", {{true, "cancel", "ゲームを続ける"}, {true, "go_title", "タイトルへ戻る"}});
  menu->playsSounds = true;
  const SPoint at(320 - menu->width / 2, 240 - menu->height / 2);
  dialog = gui.OpenDialog(at, std::move(menu));
  if (soundManager) soundManager->PlaySE(SE_PI79);
}

CStageStrategy_SystemMenu::~CStageStrategy_SystemMenu() = default;

void CStageStrategy_SystemMenu::Update() { gui.Update(); }

void CStageStrategy_SystemMenu::DrawOverlay() { gui.Draw(); }

void CStageStrategy_SystemMenu::ProcessInput() {
  if (!keyManager) return;
  gui.ProcessInput(*keyManager);
  if (keyManager->IsPush(EGameKey::DECIDE, true)) {
    const CPaneBase* focused = dialog->GetFocusedPane();
    const std::string name = focused ? focused->name : "";
    if (name == "cancel") {
      stage->SetStrategy(std::make_unique<CStageStrategy_FreeScroll>(*stage));
    } else if (name == "go_title") {
      CStageStrategy_LeaveQuestion::Ask(*stage, dialog);
    }
  } else if (keyManager->IsPush(EGameKey::CANCEL, true)) {
    stage->SetStrategy(std::make_unique<CStageStrategy_FreeScroll>(*stage));
  }
}

#include "battle/stage_strategies.h"

#include "battle/cursor.h"
#include "battle/geographical_features.h"
#include "battle/unit.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"

// ---- announcements -------------------------------------------------------------

CStageStrategy_Announce::CStageStrategy_Announce(CStage& stage_, EType type_) : CStageStrategy(stage_), type(type_) {
  stage->cursor->visible = false;
  stage->showCheapStatus = false;
}

void CStageStrategy_Announce::Update() {
  if (type != STAGE_START) return;  // the end of a battle waits for its result screens
  stage->cursor->visible = true;
  stage->ResumeBrowsing();
}

// ---- browsing and the turn dispatch ------------------------------------------

CStageStrategy_FreeScroll::CStageStrategy_FreeScroll(CStage& stage_) : CStageStrategy(stage_) {
  for (EGameKey k : {EGameKey::DOWN, EGameKey::UP, EGameKey::LEFT, EGameKey::RIGHT}) repeat.Add(k);
  stage->cursor->visible = true;
  stage->UpdateCheapStatusWindow();
}

void CStageStrategy_FreeScroll::Update() {
  playerInput = false;
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
    stage->SetStrategy(std::make_unique<CStageStrategy_UnitCommand>(*stage, active, CStageStrategy_UnitCommand::PASS));
    return;
  }
  if (active.team == 0) {
    stage->showCheapStatus = true;
    playerInput = true;
  } else {
    stage->SetStrategy(std::make_unique<CStageStrategy_UnitCommandAI>(*stage, active));
  }
  stage->FollowCursor();
}

void CStageStrategy_FreeScroll::ProcessInput() {
  if (!keyManager) return;
  repeat.Update(*keyManager);
  CCursor& cursor = *stage->cursor;
  const int direction = keyManager->GetDirection9();
  bool stepped = false;
  for (EGameKey k : {EGameKey::DOWN, EGameKey::UP, EGameKey::LEFT, EGameKey::RIGHT}) {
    stepped |= keyManager->IsPush(k, true) || repeat.IsRepeat(k);
  }
  if (stepped && direction != 4) {
    const SPoint before = cursor.GetGrid();
    cursor.Step(direction);
    if (!stage->IsInMap(cursor.GetGrid())) cursor.SetGrid(before);
    stage->FollowCursor();
    stage->UpdateCheapStatusWindow();
  }
  if (playerInput && keyManager->IsPush(EGameKey::DECIDE, true)) {
    CUnit& active = *stage->state.units.front();
    stage->SetStrategy(
        std::make_unique<CStageStrategy_UnitCommand>(*stage, active, CStageStrategy_UnitCommand::STANDBY));
  }
}

// ---- a unit's turn ----------------------------------------------------------------

CStageStrategy_UnitCommand::CStageStrategy_UnitCommand(CStage& stage_, CUnit& unit_, ECommand command_)
    : CStageStrategy(stage_), unit(&unit_), command(command_) {}

void CStageStrategy_UnitCommand::Update() {
  ++frames;
  if (command == PASS && frames <= 30) return;
  EndTurn(*unit, stage->state.units, stage->state.turnCount, *stage);
}

CStageStrategy_UnitCommandAI::CStageStrategy_UnitCommandAI(CStage& stage_, CUnit& unit_)
    : CStageStrategy(stage_), unit(&unit_) {}

void CStageStrategy_UnitCommandAI::Update() {
  if (++frames < kPauseFrames) return;
  EndTurn(*unit, stage->state.units, stage->state.turnCount, *stage);
}

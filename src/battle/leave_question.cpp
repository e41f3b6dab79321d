#include "battle/leave_question.h"

#include <string>

#include "assets/sound_manager.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "runtime/scene.h"
#include "ui/confirm_dialog.h"
#include "ui/dialog.h"

void CStageStrategy_LeaveQuestion::Ask(CStage& stage, CDialog* over) {
  auto question = std::make_unique<CStageStrategy_LeaveQuestion>(stage, over);
  CStageStrategy_LeaveQuestion& asking = *question;
  // The strategy that asked is still running its call; it lives on in the question.
  asking.interrupted = stage.ExchangeStrategy(std::move(question));
}

CStageStrategy_LeaveQuestion::CStageStrategy_LeaveQuestion(CStage& stage_, CDialog* over_)
    : CStageStrategy(stage_), over(over_) {
  auto box = CreateConfirmDialog("タイトルへ戻りますか？", EConfirmFocus::NO);
  box->playsSounds = true;
  const SPoint at = over ? ConfirmDialogPosition(*over, *box) : SPoint(320 - box->width / 2, 240 - box->height / 2);
  dialog = gui.OpenDialog(at, std::move(box));
  if (over) over->SetActive(false);
}

CStageStrategy_LeaveQuestion::~CStageStrategy_LeaveQuestion() = default;

void CStageStrategy_LeaveQuestion::Update() { gui.Update(); }

void CStageStrategy_LeaveQuestion::Draw() {
  if (interrupted) interrupted->Draw();
}

void CStageStrategy_LeaveQuestion::DrawOverlay() {
  if (interrupted) interrupted->DrawOverlay();
  gui.Draw();
}

void CStageStrategy_LeaveQuestion::ProcessInput() {
  if (!keyManager) return;
  gui.ProcessInput(*keyManager);
  if (keyManager->IsPush(EGameKey::DECIDE, true)) {
    const CPaneBase* focused = dialog->GetFocusedPane();
    if (focused && focused->name == "yes") {
      Leave();
    } else {
      GoBack();
    }
  } else if (keyManager->IsPush(EGameKey::CANCEL, true)) {
    GoBack();
  } else if (keyManager->IsPush(EGameKey::ESCAPE, true)) {
    // Esc means "back" here too: pressed twice, it still keeps the battle.
    if (soundManager) soundManager->PlaySE(SE_DECIDE3);
    GoBack();
  }
}

void CStageStrategy_LeaveQuestion::GoBack() {
  if (!interrupted) return;
  if (over) over->SetActive(true);
  // This question is retired by the hand-over and freed in the next frame.
  stage->SetStrategy(std::move(interrupted));
}

void CStageStrategy_LeaveQuestion::Leave() {
  if (soundManager) soundManager->StopBgm();
  if (titleSceneMaker) SetNextScene(titleSceneMaker());
}

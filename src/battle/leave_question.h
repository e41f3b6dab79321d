// Leaving a battle before it is decided. Every way out of a battle the
// player can take (Esc while choosing a destination, "タイトルへ戻る" in
// the system menu) asks here first, and only here is the battle left.
#pragma once

#include <memory>

#include "battle/stage.h"
#include "ui/gui_manager.h"

class CDialog;

class CStageStrategy_LeaveQuestion : public CStageStrategy {
 public:
  // Asks "タイトルへ戻りますか？" (いいえ focused) over the battle as it
  // stands: the stage's current strategy is set aside untouched, still
  // drawn but neither updated nor given keys, until the answer. `over` is a
  // window of that strategy the question sits on, drawn inactive meanwhile;
  // without one the question sits in the middle of the screen.
  static void Ask(CStage& stage, CDialog* over = nullptr);

  // Only Ask builds a question, with the strategy it sets aside.
  CStageStrategy_LeaveQuestion(CStage& stage, CDialog* over);
  ~CStageStrategy_LeaveQuestion() override;

  void Update() override;
  void ProcessInput() override;
  void Draw() override;
  void DrawOverlay() override;

  CDialog* GetDialog() const { return dialog; }
  CStageStrategy* GetInterrupted() const { return interrupted.get(); }

 private:
  // いいえ, X or Esc: the interrupted strategy takes over again as it was.
  void GoBack();
  // はい: the battle is given up without saving; the title follows.
  void Leave();

  std::unique_ptr<CStageStrategy> interrupted;
  CDialog* over;
  CGuiManager gui;
  CDialog* dialog = nullptr;  // owned by gui
};

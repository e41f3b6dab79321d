// The three announced moments of a battle: its start, the victory and the
// defeat. A line of large text slides in from the right, stops and slides
// out; then the start hands over to browsing, the defeat goes back to the
// title, and the victory shows the skill points and money earned, pays
// them out, counts the clear and goes to the camp (after a congratulation
// box when this victory completes every map for the first time).
#pragma once

#include <memory>
#include <vector>

#include "battle/stage.h"
#include "core/geometry.h"
#include "runtime/step_slot.h"
#include "ui/gui_manager.h"

class CDialog;

class CStageStrategy_Announce : public CStageStrategy {
 public:
  enum EType { STAGE_START = 0, STAGE_CLEARED = 1, GAME_OVER = 2 };

  // One step of an announcement; it replaces itself through its owner.
  using CStrategy = CStepOf<CStageStrategy_Announce>;

  // Hides the cursor and the small status box.
  CStageStrategy_Announce(CStage& stage, EType type);
  ~CStageStrategy_Announce() override;

  void Update() override;
  void ProcessInput() override;
  void Draw() override;
  void DrawOverlay() override;
  // While a telop runs; not while a result box waits for DECIDE.
  bool CanFastForward() const override { return step && step->CanFastForward(); }

  EType GetType() const { return type; }
  CStage& GetStage() const { return *stage; }
  CStrategy* GetStep() const { return step.Get(); }
  // The next step takes over at once; the old one lives until the next frame.
  void SetStep(std::unique_ptr<CStrategy> next);

 private:
  EType type;
  CStepSlot<CStrategy> step;
};

// The large line of text: in at 8 pixels a frame from the right edge,
// braking from frame 30 to a halt, waiting, and out to the left from frame
// 90; at frame 180 the step hands over.
class CStrategy_Telop : public CStageStrategy_Announce::CStrategy {
 public:
  static constexpr int kHandOverFrame = 180;
  CStrategy_Telop(CStageStrategy_Announce& owner, const char* text);
  void Update() override;
  void DrawOverlay() override;
  bool CanFastForward() const override { return true; }
  SPointD GetPosition() const { return position; }

 protected:
  virtual void HandOver() = 0;

 private:
  const char* text;
  int frame = 0;
  SPointD position{640.0, 240.0};
  double speed = 8.0;  // to the left
  double acceleration = 0.0;
};

class CStrategy_StageStart : public CStrategy_Telop {
 public:
  explicit CStrategy_StageStart(CStageStrategy_Announce& owner) : CStrategy_Telop(owner, "ステージ開始") {}

 protected:
  void HandOver() override;
};

class CStrategy_GameOver : public CStrategy_Telop {
 public:
  explicit CStrategy_GameOver(CStageStrategy_Announce& owner) : CStrategy_Telop(owner, "ゲームオーバー") {}

 protected:
  void HandOver() override;
};

// The victory: the telop with the victory music, the result dialog, and
// perhaps the congratulation box, as sub-steps.
class CStrategy_StageCleared : public CStageStrategy_Announce::CStrategy {
 public:
  explicit CStrategy_StageCleared(CStageStrategy_Announce& owner);
  ~CStrategy_StageCleared() override;
  void Update() override;
  void ProcessInput() override { sub->ProcessInput(); }
  void Draw() override { sub->Draw(); }
  void DrawOverlay() override { sub->DrawOverlay(); }
  bool CanFastForward() const override { return sub && sub->CanFastForward(); }
  void SetSubStep(std::unique_ptr<CStageStrategy_Announce::CStrategy> next);
  CStageStrategy_Announce::CStrategy* GetSubStep() const { return sub.Get(); }

 private:
  CStepSlot<CStageStrategy_Announce::CStrategy> sub;
};

class CStrategy_ShowTelop : public CStrategy_Telop {
 public:
  // Starts the victory music.
  CStrategy_ShowTelop(CStageStrategy_Announce& owner, CStrategy_StageCleared& cleared);

 protected:
  void HandOver() override;

 private:
  CStrategy_StageCleared* cleared;
};

// The points and money earned; DECIDE pays them out.
class CStrategy_ShowSkillPointResult : public CStageStrategy_Announce::CStrategy {
 public:
  CStrategy_ShowSkillPointResult(CStageStrategy_Announce& owner, CStrategy_StageCleared& cleared);
  ~CStrategy_ShowSkillPointResult() override;
  void Update() override { gui.Update(); }
  void ProcessInput() override;
  void DrawOverlay() override;
  CDialog* GetDialog() const { return dialog; }

 private:
  CStrategy_StageCleared* cleared;
  CGuiManager gui;
  CDialog* dialog = nullptr;  // owned by gui
};

// "素晴らしい！！" (every map won exactly once: the bonus map opens) or "惜しい！".
class CStrategy_AllCleared : public CStageStrategy_Announce::CStrategy {
 public:
  CStrategy_AllCleared(CStageStrategy_Announce& owner, bool noRetry);
  ~CStrategy_AllCleared() override;
  void Update() override { gui.Update(); }
  void ProcessInput() override;
  void DrawOverlay() override;
  CDialog* GetDialog() const { return dialog; }

 private:
  bool noRetry;
  CGuiManager gui;
  CDialog* dialog = nullptr;  // owned by gui
};

// The result dialog of a won battle, built before the payout: each unit's
// points, what it gains and its new total, then the money row.
std::unique_ptr<CDialog> CreateSkillPointResultDialog(const CStage& stage);

// Whether each of the eight regular maps (0..7) has been won at least once.
bool AllRegularMapsCleared(const std::vector<std::int32_t>& clearCounts);

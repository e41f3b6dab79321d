#include "battle/announce.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "assets/sound_manager.h"
#include "assets/unit_sprites.h"
#include "battle/cursor.h"
#include "battle/stage_strategies.h"
#include "core/saturating.h"
#include "field/stage_data.h"
#include "field/unit.h"
#include "persist/save_data.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "runtime/scene.h"
#include "ui/dialog.h"
#include "ui/message_dialog.h"
#include "ui/panes.h"
#include "ui/window_panes.h"

namespace {

// The key help under the boxes that wait for DECIDE after a victory.
constexpr const char* kContinueHelp = "Z:次へ";

void StopMusic() {
  if (soundManager) soundManager->StopBgm();
}

bool DecidePushed() { return keyManager && keyManager->IsPush(EGameKey::DECIDE, true); }

// The camp comes after a victory; until a camp is installed the title does.
void GoToCamp() {
  StopMusic();
  if (campSceneMaker) {
    SetNextScene(campSceneMaker());
  } else if (titleSceneMaker) {
    SetNextScene(titleSceneMaker());
  }
}

CDialog* OpenCentred(CGuiManager& gui, std::unique_ptr<CDialog> dialog) {
  const SPoint at(320 - dialog->width / 2, 240 - dialog->height / 2);
  return gui.OpenDialog(at, std::move(dialog));
}

// What a unit gains: the battle's points, half of them (truncated) when down.
int Gain(const CUnit& unit, int points) { return unit.IsDead() ? points / 2 : points; }

}  // namespace

bool AllRegularMapsCleared(const std::vector<std::int32_t>& clearCounts) {
  for (int s = 0; s < 8; ++s) {
    if (static_cast<std::size_t>(s) >= clearCounts.size() || clearCounts[s] < 1) return false;
  }
  return true;
}

// ---- the strategy ------------------------------------------------------------

CStageStrategy_Announce::CStageStrategy_Announce(CStage& stage_, EType type_) : CStageStrategy(stage_), type(type_) {
  stage->cursor->visible = false;
  stage->showCheapStatus = false;
  switch (type) {
    case STAGE_START: step.Set(std::make_unique<CStrategy_StageStart>(*this)); break;
    case STAGE_CLEARED: step.Set(std::make_unique<CStrategy_StageCleared>(*this)); break;
    case GAME_OVER: step.Set(std::make_unique<CStrategy_GameOver>(*this)); break;
  }
}

CStageStrategy_Announce::~CStageStrategy_Announce() = default;

void CStageStrategy_Announce::SetStep(std::unique_ptr<CStrategy> next) { step.Set(std::move(next)); }

void CStageStrategy_Announce::Update() {
  step.ReleaseRetired();
  if (step) step->Update();
}

void CStageStrategy_Announce::ProcessInput() {
  if (step) step->ProcessInput();
}

void CStageStrategy_Announce::Draw() {
  if (step) step->Draw();
}

void CStageStrategy_Announce::DrawOverlay() {
  if (step) step->DrawOverlay();
}

// ---- the telops --------------------------------------------------------------

CStrategy_Telop::CStrategy_Telop(CStageStrategy_Announce& owner_, const char* text_)
    : CStageStrategy_Announce::CStrategy(owner_), text(text_) {}

void CStrategy_Telop::Update() {
  position.x -= speed;  // heading -90 degrees: to the left
  if (frame == 30) acceleration = -0.2;
  if (frame == 90) acceleration = 0.2;
  // The step is replaced here but lives on until the next frame, so the
  // rest of this update is harmless.
  if (frame == kHandOverFrame) HandOver();
  speed = std::clamp(speed + acceleration, 0.0, 8.0);
  ++frame;
}

void CStrategy_Telop::DrawOverlay() {
  DrawStringToHandle(static_cast<int>(position.x), static_cast<int>(position.y), text, GetColor(255, 255, 255),
                     fontAntialiasEdge30);
}

void CStrategy_StageStart::HandOver() { owner->GetStage().ResumeBrowsing(); }

void CStrategy_GameOver::HandOver() {
  StopMusic();
  if (titleSceneMaker) SetNextScene(titleSceneMaker());
}

// ---- victory -----------------------------------------------------------------

CStrategy_StageCleared::CStrategy_StageCleared(CStageStrategy_Announce& owner_)
    : CStageStrategy_Announce::CStrategy(owner_) {
  sub.Set(std::make_unique<CStrategy_ShowTelop>(owner_, *this));
}

CStrategy_StageCleared::~CStrategy_StageCleared() = default;

void CStrategy_StageCleared::Update() {
  sub.ReleaseRetired();
  sub->Update();
}

void CStrategy_StageCleared::SetSubStep(std::unique_ptr<CStageStrategy_Announce::CStrategy> next) {
  sub.Set(std::move(next));
}

CStrategy_ShowTelop::CStrategy_ShowTelop(CStageStrategy_Announce& owner_, CStrategy_StageCleared& cleared_)
    : CStrategy_Telop(owner_, "ステージクリア"), cleared(&cleared_) {
  if (soundManager) {
    soundManager->StopBgm();
    soundManager->PlayBgm(BGM_DS_JI05M);
  }
}

void CStrategy_ShowTelop::HandOver() {
  cleared->SetSubStep(std::make_unique<CStrategy_ShowSkillPointResult>(*owner, *cleared));
}

CStrategy_ShowSkillPointResult::CStrategy_ShowSkillPointResult(CStageStrategy_Announce& owner_,
                                                               CStrategy_StageCleared& cleared_)
    : CStageStrategy_Announce::CStrategy(owner_), cleared(&cleared_) {
  dialog = OpenCentred(gui, CreateSkillPointResultDialog(owner->GetStage()));
}

CStrategy_ShowSkillPointResult::~CStrategy_ShowSkillPointResult() = default;

void CStrategy_ShowSkillPointResult::DrawOverlay() {
  gui.Draw();
  owner->GetStage().DrawKeyHelp(kContinueHelp);
}

void CStrategy_ShowSkillPointResult::ProcessInput() {
  if (keyManager) gui.ProcessInput(*keyManager);
  if (!DecidePushed() || !saveData) return;
  CStage& stage = owner->GetStage();
  const int points = stage.state.battleSkillPoint;
  for (CUnit* unit : stage.state.units) {
    unit->skillPoint = Saturate(std::int64_t{unit->skillPoint} + Gain(*unit, points));
  }
  for (const auto& member : saveData->party) member->ResetForBattle();
  saveData->money = Saturate(std::int64_t{saveData->money} + GetStageInfo(stage.stageNo).reward);
  auto& counts = saveData->clearCounts;
  if (counts.size() <= static_cast<std::size_t>(stage.stageNo)) counts.resize(stage.stageNo + 1, 0);
  const bool before = AllRegularMapsCleared(counts);
  counts[stage.stageNo] = Saturate(std::int64_t{counts[stage.stageNo]} + 1);
  const bool after = AllRegularMapsCleared(counts);
  if (!before && after) {
    const bool noRetry = std::all_of(counts.begin(), counts.begin() + 8, [](std::int32_t c) { return c == 1; });
    cleared->SetSubStep(std::make_unique<CStrategy_AllCleared>(*owner, noRetry));
  } else {
    GoToCamp();
  }
}

CStrategy_AllCleared::CStrategy_AllCleared(CStageStrategy_Announce& owner_, bool noRetry_)
    : CStageStrategy_Announce::CStrategy(owner_), noRetry(noRetry_) {
  if (noRetry) {
    if (saveData) saveData->bonusMapOpened = true;
    dialog = OpenCentred(gui, CreateMessageDialog("素晴らしい！！",
                                                  "全てのマップのクリアおめでとうございます！全てのマップをリトライせず"
                                                  "にクリアしたのでおまけマップが開放されました。",
                                                  400, 100));
  } else {
    dialog = OpenCentred(gui, CreateMessageDialog("惜しい！",
                                                  "全てのマップのクリアおめでとうございます！次は全てのマップをリトラ"
                                                  "イせずにクリアすることに挑戦してみて下さい！。",
                                                  400, 100));
  }
}

CStrategy_AllCleared::~CStrategy_AllCleared() = default;

void CStrategy_AllCleared::DrawOverlay() {
  gui.Draw();
  owner->GetStage().DrawKeyHelp(kContinueHelp);
}

void CStrategy_AllCleared::ProcessInput() {
  if (keyManager) gui.ProcessInput(*keyManager);
  if (DecidePushed()) GoToCamp();
}

// ---- the result dialog ---------------------------------------------------------

std::unique_ptr<CDialog> CreateSkillPointResultDialog(const CStage& stage) {
  auto dialog = std::make_unique<CDialog>(360, 240);
  SetGameTitle(*dialog, "獲得スキルポイント クリア報酬");
  const int points = stage.state.battleSkillPoint;
  char text[64];
  auto row = [&](int i) {
    auto container = std::make_unique<CPaneContainer>(std::to_string(i), SPoint(10, 32 * i), 320, 32);
    return container;
  };
  auto label = [&](CPaneContainer& c, const std::string& name, int x, const std::string& content) {
    c.AddChild(std::make_unique<CPaneTextLabel>(name, SPoint(x, 4), fontNormal16, content));
  };
  int i = 0;
  for (const CUnit* unit : stage.state.units) {
    const std::string n = std::to_string(i);
    auto c = row(i);
    // The first frame facing left, its top-left corner at the row's.
    SDrawData icon(GetUnitSpriteHandle(unit->spriteIndex, EDirection4::LEFT, 0));
    icon.SetImageSize(32, 32);
    icon.width = 32;
    icon.height = 32;
    c->AddChild(std::make_unique<CPaneImage>("Icon" + n, SPoint(0, 0), icon));
    label(*c, "LabelName" + n, 32, unit->name);
    std::snprintf(text, sizeof text, "%3d", unit->skillPoint);
    label(*c, "LabelSkillPoint" + n, 150, text);
    const int gain = Gain(*unit, points);
    std::snprintf(text, sizeof text, "+ %3d", gain);
    label(*c, "LabelAppendSkillPoint" + n, 190, text);
    std::snprintf(text, sizeof text, "= %3dpt", Saturate(std::int64_t{unit->skillPoint} + gain));
    label(*c, "LabelNewSkillPoint" + n, 250, text);
    dialog->AddPane(std::move(c));
    ++i;
  }
  const std::string n = std::to_string(i);
  const int money = saveData ? saveData->money : 0;
  const int reward = stage.stageNo >= 0 ? GetStageInfo(stage.stageNo).reward : 0;
  auto c = row(i);
  c->AddChild(std::make_unique<CPaneImage>("Icon" + n, SPoint(0, 0), ImageDrawData("item/coins2.png")));
  label(*c, "LabelName" + n, 32, "クリア報酬");
  std::snprintf(text, sizeof text, "%3d", money);
  label(*c, "LabelMoney" + n, 150, text);
  std::snprintf(text, sizeof text, "+ %3d", reward);
  label(*c, "LabelAppendMoney" + n, 190, text);
  std::snprintf(text, sizeof text, "= %4d円", Saturate(std::int64_t{money} + reward));
  label(*c, "LabelNewMoney" + n, 250, text);
  dialog->AddPane(std::move(c));
  return dialog;
}

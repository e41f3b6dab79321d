#include "scenario/event_strategy.h"

#include <cstdio>
#include <filesystem>
#include <utility>

#include "assets/sound_manager.h"
#include "battle/cursor.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "runtime/scene.h"
#include "ui/dialog.h"
#include "ui/message_dialog.h"

namespace {

bool Pushed(EGameKey key) { return keyManager && keyManager->IsPush(key, true); }

constexpr int kNoticeWidth = 480;
constexpr int kNoticeHeight = 160;

}  // namespace

std::unique_ptr<CDialog> CreateEventLoadFailureDialog(const CEventScriptError& error) {
  const std::string file = std::filesystem::path(error.GetPath()).filename().string();
  return CreateMessageDialog("イベント読み込み失敗", "「" + file + "」を読み込めませんでした。" + error.GetReason(),
                             kNoticeWidth, kNoticeHeight);
}

CStageStrategy_Event::CStageStrategy_Event(CStage& stage_) : CStageStrategy(stage_) {
  stage->cursor->visible = false;
  stage->showCheapStatus = false;
  stage->overlay = false;
}

CStageStrategy_Event::~CStageStrategy_Event() = default;

void CStageStrategy_Event::Load(const std::string& path) {
  SEventScript script = LoadEventScript(path, *stage, &sheets);
  DropBundlers();
  currentPath = path;
  bundlers = std::move(script.bundlers);
  nextPath = std::move(script.nextScriptPath);
}

void CStageStrategy_Event::DropBundlers() {
  if (!bundlers.empty()) finishedEvents += bundlers.front()->GetFinishedEventCount();
  bundlers.clear();
}

void CStageStrategy_Event::Reload() {
  // The events go before the units they hold.
  DropBundlers();
  stage->RemoveAllUnits();
  nextPath.clear();
  loadFault.clear();
  if (notice) notice->Close();
  notice = nullptr;
  try {
    Load(currentPath);
  } catch (const CEventScriptError& e) {
    loadFault = e.what();
    std::fprintf(stderr, "%s\n", e.what());
    auto box = CreateEventLoadFailureDialog(e);
    const SPoint at(320 - box->width / 2, 240 - box->height / 2);
    notice = notices.OpenDialog(at, std::move(box));
  }
}

void CStageStrategy_Event::Update() {
  notices.Update();
  if (!bundlers.empty()) {
    bundlers.front()->Update();
    if (bundlers.front()->IsEnd()) {
      finishedEvents += bundlers.front()->GetFinishedEventCount();
      ++finishedBundlers;
      bundlers.erase(bundlers.begin());
    }
  }
  if (bundlers.empty() && !nextPath.empty()) {
    currentPath = std::exchange(nextPath, std::string());
    Reload();
  }
}

void CStageStrategy_Event::ProcessInput() {
  if (!bundlers.empty()) bundlers.front()->ProcessInput();
  if (notice && Pushed(EGameKey::DECIDE)) {
    notice->Close();
    notice = nullptr;
  }
  if (Pushed(EGameKey::F1)) {
    Reload();
  } else if (Pushed(EGameKey::ESCAPE)) {
    if (soundManager) soundManager->StopBgm();
    if (titleSceneMaker) SetNextScene(titleSceneMaker());
  }
}

void CStageStrategy_Event::DrawOverlay() {
  if (!bundlers.empty()) bundlers.front()->Draw();
  notices.Draw();
}

int CStageStrategy_Event::GetFinishedEventCount() const {
  return finishedEvents + (bundlers.empty() ? 0 : bundlers.front()->GetFinishedEventCount());
}

bool CStageStrategy_Event::IsTalkWaiting() const {
  return !bundlers.empty() && bundlers.front()->IsWaitingForDecide();
}

std::unique_ptr<CStage> CreateEventStage(const std::string& path) {
  return std::make_unique<CStage>([&path](CStage& stage) -> std::unique_ptr<CStageStrategy> {
    auto player = std::make_unique<CStageStrategy_Event>(stage);
    player->Load(path);
    return player;
  });
}

#include "battle/stage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "assets/sound_manager.h"
#include "battle/announce.h"
#include "battle/cursor.h"
#include "battle/stage_strategies.h"
#include "battle/status_window.h"
#include "battle/unit_action.h"
#include "battle/unit_ai.h"
#include "battle/unit_order_window.h"
#include "combat/attack_area.h"
#include "core/saturating.h"
#include "field/enemy.h"
#include "field/geographical_features.h"
#include "field/unit.h"
#include "runtime/fps_timer.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "ui/key_help.h"

// ---- the battle scene -----------------------------------------------------------

CStage::CStage() { Init(); }

CStage::CStage(int stageNo_, const std::vector<CUnit*>& sortie) {
  stageNo = stageNo_;
  Init();
  zoneInfo = GetStageData(stageNo);
  SetUp(sortie);
  SetStrategy(std::make_unique<CStageStrategy_Announce>(*this, CStageStrategy_Announce::STAGE_START));
  FocusOnActiveUnit();
  PlayStageMusic();
}

CStage::CStage(const StrategyMaker& makePlayer) {
  Init();
  map = std::make_unique<CGeographicalFeatures>(*this, GetColor(0, 0, 0), 320.0, 240.0, 256, 32,
                                                "dat/image/mapchip/mapchip.png");
  SetStrategy(makePlayer(*this));
}

CStage::~CStage() {
  strategy.Clear();
  unitActors.clear();
  // The party lives on in the save data: it leaves the battle without its actor.
  for (CUnit* u : party) {
    u->actor.reset();
    u->ai.reset();
    u->stage = nullptr;
  }
  monsters.clear();
}

void CStage::Init() {
  if (soundManager) soundManager->StopAllSounds();
  drawQueue = CDrawDataQueue();
  hitStop = CHitStopManager();
  cursor = std::make_unique<CCursor>(*this);
  orderWindow = std::make_unique<CUnitOrderWindow>(*this);
  frameCount = 0;
}

void CStage::SetUp(const std::vector<CUnit*>& sortie) {
  if (!CUnit::actorMaker) InstallUnitActorMaker();
  if (!CUnit::aiMaker) InstallUnitAIMaker();
  ClearActors();
  const SStageInfo& info = GetStageInfo(stageNo);
  map = std::make_unique<CGeographicalFeatures>(*this, GetColor(info.gridLineR, info.gridLineG, info.gridLineB), 320.0,
                                                240.0, 256, 32, zoneInfo.mapchipPath);
  map->LoadMapCsv(zoneInfo.csvPath);

  for (size_t i = 0; i < sortie.size() && i < zoneInfo.starts.size(); ++i) {
    CUnit& unit = *sortie[i];
    unit.grid = zoneInfo.starts[i].grid;
    unit.CreateActor(*this);
    unit.SetDirection(zoneInfo.starts[i].direction);
    AddUnitActor(dynamic_cast<CEnemy*>(unit.actor.get()));
    state.units.push_back(&unit);
    party.push_back(&unit);
  }
  for (const CEnemyInfo& e : zoneInfo.enemies) {
    auto unit = std::make_unique<CUnit>(e.charactor, 1, e.grid);
    unit->rank = e.rank;
    unit->InitByCharactor();
    if (e.weapon != 0) unit->weapon = static_cast<EWeaponType>(e.weapon);
    unit->CreateActor(*this, e.searchRange);
    unit->SetDirection(EDirection4::DOWN);
    AddUnitActor(dynamic_cast<CEnemy*>(unit->actor.get()));
    state.units.push_back(unit.get());
    monsters.push_back(std::move(unit));
  }
  state.SortByWt();
  state.AdvanceTurn();
  map->Update();
}

void CStage::PlayStageMusic() {
  if (!soundManager) return;
  if (stageNo <= 2) {
    soundManager->PlayBgm(BGM_BGML017);
  } else if (stageNo <= 5) {
    soundManager->PlayBgm(BGM_TAMSU08);
  } else {
    soundManager->PlayBgm(BGM_BGML054);
  }
}

void CStage::SetStrategy(std::unique_ptr<CStageStrategy> next) {
  strategy.Set(std::move(next));
}

std::unique_ptr<CStageStrategy> CStage::ExchangeStrategy(std::unique_ptr<CStageStrategy> next) {
  return strategy.Exchange(std::move(next));
}

void CStage::StartPoisonDamage(CUnit& unit, int damage) {
  auto action = std::make_unique<CStageStrategy_UnitAction>(*this);
  action->AddActionInfo(
      std::make_unique<CUnitActionInfo_Damaged>(*action, unit, nullptr, damage, std::nullopt, false));
  SetStrategy(std::move(action));
}

void CStage::ResumeBrowsing() {
  SetStrategy(std::make_unique<CStageStrategy_FreeScroll>(*this));
  FocusOnActiveUnit();
}

void CStage::ProcessInput() {
  if (strategy) strategy->ProcessInput();
}

void CStage::Update() {
  strategy.ReleaseRetired();
  if (strategy) strategy->Update();
  if (cheapStatusWindow) cheapStatusWindow->Update();
  hitStop.Update();
  if (!hitStop.IsActive()) {
    if (map) map->Update();
    for (CEnemy* actor : unitActors) actor->Move();
    cursor->Move();
    orderWindow->Update();
    // By index: a bullet or effect may add others while it moves; those
    // start moving in the next frame.
    for (std::size_t i = 0, n = bullets.size(); i < n; ++i) bullets[i]->Move();
  }
  for (std::size_t i = 0, n = effects.size(); i < n; ++i) effects[i]->Move();

  state.RemoveOffStage();
  std::erase_if(unitActors, [](const CEnemy* a) { return !a->IsAlive(); });
  std::erase_if(bullets, [](const auto& a) { return !a->IsAlive(); });
  std::erase_if(effects, [](const auto& a) { return !a->IsAlive(); });
  ++frameCount;
}

void CStage::Draw() {
  if (frameCount % 60 == 0 && fpsTimer) {
    char title[128];
    std::snprintf(title, sizeof title, "%s FPS:%d", kGameTitle, static_cast<int>(fpsTimer->GetFps()));
    SetMainWindowText(title);
  }
  if (map) {
    map->Draw();
    if (overlay) map->DrawGridLines();
  }
  for (CEnemy* actor : unitActors) {
    actor->Draw();
    if (overlay) actor->DrawHpBar();
  }
  for (auto& bullet : bullets) bullet->Draw();
  for (auto& effect : effects) effect->Draw();
  if (strategy) strategy->Draw();
  drawQueue.Flush();
  cursor->Draw();
  orderWindow->Draw();
  if (cheapStatusWindow && showCheapStatus) cheapStatusWindow->Draw();
  if (strategy) strategy->DrawOverlay();
}

void CStage::FocusOnActiveUnit() {
  if (!state.units.empty()) {
    cursor->SetGrid(state.units.front()->grid);
    FollowCursor();
  }
  UpdateCheapStatusWindow();
}

void CStage::FollowCursor() {
  if (!map) return;
  const SPointD screen = cursor->GetScreenPosition();
  const SPointD world = cursor->position;
  SPointD cam = map->camera;
  if (screen.y < 96) {
    cam.y = std::max(world.y + 240 - 96 - 16, map->scrollLimitTop + 240);
  } else if (screen.y > 384) {
    cam.y = std::min(world.y - 240 + 112, map->scrollLimitBottom - 240);
  }
  if (screen.x < 128) {
    cam.x = std::max(world.x + 320 - 128 - 16, map->scrollLimitLeft + 320);
  } else if (screen.x > 512) {
    cam.x = std::min(world.x - 320 + 144, map->scrollLimitRight - 320);
  }
  map->camera = cam;
}

void CStage::UpdateCheapStatusWindow() {
  const std::vector<CUnit*> here = cursor->visible ? GetUnitsAt(cursor->GetGrid()) : std::vector<CUnit*>{};
  if (here.empty()) {
    cheapStatusWindow.reset();
    return;
  }
  // Units sharing a cell only pass through it; the box keeps what it shows.
  if (here.size() > 1) return;
  cheapStatusWindow = std::make_unique<CCheapStatusWindow>(*here.front(), SPoint(0, 0));
  CDialog* box = cheapStatusWindow->GetDialog();
  const int x = cursor->GetScreenPosition().x < 320 ? 640 - box->width : 0;
  box->position = {x, 480 - box->height - (overlay ? 36 : 0)};
}

void CStage::DrawKeyHelp(const std::string& text, int top) const {
  if (overlay) ::DrawKeyHelp(text, top);
}

CUnit* CStage::KeepUnit(std::unique_ptr<CUnit> unit) {
  monsters.push_back(std::move(unit));
  return monsters.back().get();
}

void CStage::RemoveAllUnits() {
  unitActors.clear();
  state.units.clear();
  cheapStatusWindow.reset();
  monsters.clear();
}

void PrintStageSummaries() {
  for (int stage = 0; stage < STAGE_COUNT; ++stage) {
    const CZoneInfo zone = GetStageData(stage);
    const SStageInfo& info = GetStageInfo(stage);
    int skillPoints = 0;
    for (const CEnemyInfo& e : zone.enemies) {
      CUnit enemy(e.charactor, 1, e.grid);
      enemy.rank = e.rank;
      enemy.InitByCharactor();
      skillPoints += enemy.skillPoint;
    }
    std::printf("%02d,%d,%d,%d,%d\n", stage, static_cast<int>(zone.enemies.size()), info.maxUnits, info.reward,
                skillPoints);
  }
  std::fflush(stdout);
}

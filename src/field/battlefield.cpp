#include "field/battlefield.h"

#include <algorithm>
#include <cstdint>

#include "core/map_grid.h"
#include "core/saturating.h"
#include "field/enemy.h"
#include "field/geographical_features.h"
#include "field/unit.h"
#include "gfx/stage_actor.h"

// ---- battle state -------------------------------------------------------------

CUnit* CStageState::FindById(int id) const {
  for (CUnit* u : units) {
    if (u->id == id) return u;
  }
  return nullptr;
}

CUnit* CStageState::FindByKey(const std::string& key) const {
  for (CUnit* u : units) {
    if (u->key == key) return u;
  }
  return nullptr;
}

std::vector<CUnit*> CStageState::GetUnitsAt(SPoint grid) const {
  std::vector<CUnit*> found;
  for (CUnit* u : units) {
    if (u->grid == grid) found.push_back(u);
  }
  return found;
}

void CStageState::SortByWt() { ::SortByWt(units); }

void CStageState::AdvanceTurn() { ::AdvanceTurn(units, turnCount); }

int CStageState::PredictOrderIndex(int addedWait) const { return ::PredictOrderIndex(units, addedWait); }

void CStageState::RemoveOffStage() {
  for (CUnit* u : units) {
    if (!u->onStage && u->actor) u->actor->Kill();
  }
  const bool activeLeaves = !units.empty() && !units.front()->onStage;
  std::erase_if(units, [](const CUnit* u) { return !u->onStage; });
  // A unit that falls in its own turn (its own fire wall) takes the turn
  // with it: the next one starts as after an ordinary turn end, counters
  // advanced and the turn counted, so that nobody acts twice or is skipped.
  if (activeLeaves && !units.empty()) {
    turnCount = Saturate(std::int64_t{turnCount} + 1);
    const std::int64_t elapsed = units.front()->wtCount;
    for (CUnit* u : units) u->wtCount = Saturate(u->wtCount - elapsed);
  }
}

int CStageState::CountTeam(int team) const {
  return static_cast<int>(std::count_if(units.begin(), units.end(), [team](const CUnit* u) { return u->team == team; }));
}

int CStageState::CountLivingTeam(int team) const {
  return static_cast<int>(
      std::count_if(units.begin(), units.end(), [team](const CUnit* u) { return u->team == team && !u->IsDead(); }));
}

// ---- the battlefield -------------------------------------------------------------

CBattlefield::CBattlefield() = default;

// Out of line: the map and the actors are complete types here.
CBattlefield::~CBattlefield() = default;

// The camera belongs to the map (it scrolls the map's picture); a battle
// without one keeps its own.
SPointD CBattlefield::GetCameraPosition() const {
  const CGeographicalFeatures* m = GetMap();
  return m ? m->camera : camera;
}

void CBattlefield::SetCameraPosition(SPointD position) {
  if (CGeographicalFeatures* m = GetMap()) {
    m->camera = position;
  } else {
    camera = position;
  }
}

SPointD CBattlefield::GridToScreen(SPoint grid) const {
  return GridToPixel(grid) - GetCameraPosition() + SPointD(320.0, 240.0);
}

bool CBattlefield::IsInMap(SPoint grid) const { return map && map->IsInMap(grid); }

void CBattlefield::AddEffect(std::unique_ptr<CStageActor> effect) { effects.push_back(std::move(effect)); }

void CBattlefield::AddUnitActor(CEnemy* actor) {
  if (actor) unitActors.push_back(actor);
}

void CBattlefield::AddBullet(std::unique_ptr<CStageActor> bullet) { bullets.push_back(std::move(bullet)); }

void CBattlefield::ClearActors() {
  effects.clear();
  unitActors.clear();
  bullets.clear();
}

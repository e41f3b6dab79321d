#include "field/unit.h"

#include <algorithm>
#include <cstdint>

#include "core/map_grid.h"
#include "core/saturating.h"
#include "field/unit_tables.h"
#include "gfx/stage_actor.h"

namespace {

// Serial numbers for the run; loading a save keeps the stored ids instead.
int nextUnitId = 0;

// FAST wins over SLOW; the adding rule keeps them apart anyway.
int ApplySpeedEffects(const CUnit& unit, int w) {
  if (unit.HasExtState(EExtState::FAST)) return TruncSaturate(w - w / 3.0);
  if (unit.HasExtState(EExtState::SLOW)) return TruncSaturate(w + w / 3.0);
  return w;
}

}  // namespace

CUnit::ActorMaker CUnit::actorMaker;
CUnit::AIMaker CUnit::aiMaker;

CUnit::CUnit() = default;

CUnit::CUnit(ECharactor charactor_, int team_, SPoint grid_)
    : id(nextUnitId++), charactor(charactor_), grid(grid_), team(team_) {}

CUnit::~CUnit() = default;

void CUnit::SetDirection(EDirection4 d) {
  Direction4ToAngle(d);  // throws for a value that is no facing, before anything changes
  direction = d;
  if (actor) actor->SetDirection(d);
}

bool CUnit::IsDead() const { return hp == 0; }

int CUnit::GetMove() const {
  if (HasExtState(EExtState::MOVE_UP)) return Saturate(std::int64_t{move} + move / 2);
  if (HasExtState(EExtState::MOVE_DOWN)) return Saturate(std::int64_t{move} - move / 2);
  return move;
}

int CUnit::GetDex() const {
  return HasExtState(EExtState::CONCENTRATE) ? Saturate(std::int64_t{dex} + 25) : dex;
}

void CUnit::SetDex(int value) { dex = value; }

int CUnit::GetWtAfterTurn() const {
  // Standing still and doing nothing costs half of WT, one of the two three
  // quarters, both the whole WT.
  std::int64_t w = wt;
  const std::int64_t quarter = w / 4;
  if (!moved) w -= quarter;
  if (!acted) w -= quarter;
  return ApplySpeedEffects(*this, Saturate(w));
}

int CUnit::GetWt() const { return ApplySpeedEffects(*this, wt); }

void CUnit::InitByCharactor() {
  const SClassInfo& info = GetClassInfo(charactor);
  name = info.unitName;
  spriteIndex = info.spriteIndex;
  weapon = info.weapon;
  flying = IsFlyingCharactor(charactor);

  auto setParams = [this](const SStatusArray& p) {
    using enum EStatusType;
    auto at = [&p](EStatusType s) { return p[static_cast<int>(s)]; };
    hp = maxHp = at(HP);
    mp = maxMp = at(MP);
    str = at(STR);
    vit = at(VIT);
    dex = at(DEX);
    agi = at(AGI);
    intelligence = at(INT);
    wt = at(WT);
    move = at(MOVE);
  };

  if (IsPlayerClass(charactor)) {
    key = info.key;
    setParams(classParamTable[static_cast<int>(charactor)].base);
  } else if (const SEnemyStat* stat = GetEnemyStat(charactor, rank)) {
    setParams(stat->params);
    skillPoint = stat->skillPoint;
    if (stat->skill) skills.push_back(*stat->skill);
  } else {
    // A rank the kind has no set for leaves every parameter at its default.
  }

  wtCount = wt;
  for (const SClassSkill& s : info.skills) {
    if (s.learned) skills.push_back(s.skill);
  }
}

void CUnit::CreateActor(CBattlefield& stage_, int aiSearchRange) {
  stage = &stage_;
  if (actorMaker) actor = actorMaker(*this, stage_);
  const SUnitAIInfo& aiInfo = GetUnitAIInfo(charactor);
  if (aiInfo.kind != EUnitAIKind::NONE && aiMaker) {
    ai = aiMaker(*this, stage_, aiInfo.kind, aiInfo.searchType, aiSearchRange);
  }
  wtCount = wt;
}

void CUnit::OnTurnEnd() {
  for (CUnitExtState& s : extStates) --s.turns;
  std::erase_if(extStates, [](const CUnitExtState& s) { return s.turns <= 0; });

  if (mpRecovered < maxMp) {
    const int r = std::max(maxMp / 10, 1);
    mp = Saturate(std::int64_t{mp} + r);
    mpRecovered = Saturate(std::int64_t{mpRecovered} + r);
  }
  mp = std::min(mp, maxMp);
}

void CUnit::ResetForBattle() {
  moved = false;
  acted = false;
  hp = maxHp;
  mp = maxMp;
  mpRecovered = 0;
  wtCount = 0;
  moveHistory.clear();
  extStates.clear();
}

void CUnit::ClearExtStates() { extStates.clear(); }

void CUnit::RemoveExtState(EExtState type) {
  std::erase_if(extStates, [type](const CUnitExtState& s) { return s.type == type; });
}

bool CUnit::HasExtState(EExtState type) const {
  return std::any_of(extStates.begin(), extStates.end(), [type](const CUnitExtState& s) { return s.type == type; });
}

void CUnit::AddExtState(CUnitExtState state) {
  switch (state.type) {
    case EExtState::MOVE_UP: RemoveExtState(EExtState::MOVE_DOWN); break;
    case EExtState::MOVE_DOWN: RemoveExtState(EExtState::MOVE_UP); break;
    case EExtState::FAST: RemoveExtState(EExtState::SLOW); break;
    case EExtState::SLOW: RemoveExtState(EExtState::FAST); break;
    default: break;
  }
  extStates.push_back(state);
  if (extStates.size() > MAX_EXT_STATES) {
    extStates.erase(extStates.begin(), extStates.end() - MAX_EXT_STATES);
  }
}

SPointD UnitMapPosition(const CUnit& unit) { return unit.actor ? unit.actor->position : GridToPixel(unit.grid); }

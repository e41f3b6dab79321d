#include "battle/unit_ai.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "combat/attack_area.h"
#include "combat/formulas.h"
#include "combat/skill_table.h"
#include "combat/weapon_table.h"
#include "core/game_sort.h"
#include "field/battlefield.h"
#include "field/geographical_features.h"
#include "field/unit.h"

namespace {

bool IsHealingSkill(ESkill s) { return s == ESkill::HEAL || s == ESkill::LONG_HEAL || s == ESkill::AREA_HEAL; }

int Wound(const CUnit& u) { return u.maxHp - u.hp; }

void SortByMostWounded(std::vector<CInfo>& infos) {
  GameSort(infos.begin(), infos.end(), [](const CInfo& a, const CInfo& b) { return Wound(*a.target) > Wound(*b.target); });
}

CThinkResult Standby(const CUnit& unit) {
  CThinkResult r;
  r.type = CThinkResult::TYPE_STANDBY;
  r.standby = CThinkResult_StandbyInfo{unit.direction};
  return r;
}

}  // namespace

CThinkResult CUnitAIBase::Think() { return Standby(*unit); }

std::vector<SAttackPosition> GetAttackPositions(std::span<const SPoint> shape, int minRange, int maxRange,
                                                const CUnit& target, const CBattlefield& stage) {
  const bool rotate = minRange == maxRange;
  std::vector<SAttackPosition> positions;
  for (const SPoint& p : GetGridsInRange(target, stage, minRange, maxRange)) {
    const EDirection4 d = AngleToDirection4(GetAngle(SPointD(target.grid), SPointD(p)));
    for (const SPoint& q : GetAttackArea(rotate, shape, p, target.grid, stage)) {
      const bool known = std::any_of(positions.begin(), positions.end(),
                                     [q](const SAttackPosition& a) { return a.stand == q; });
      if (!known) positions.push_back({q, d, p - target.grid});
    }
  }
  return positions;
}

// ---- shared planning -----------------------------------------------------------

CUnitAIPlanning::CUnitAIPlanning(CBattlefield& stage_, CUnit& unit_, int searchRange_)
    : CUnitAIBase(stage_, unit_, searchRange_) {}

void CUnitAIPlanning::FinishTurn() {
  moveRequest.reset();
  attackRequest.reset();
  CUnitAIBase::FinishTurn();
}

CThinkResult CUnitAIPlanning::Think() {
  if (!CanPlan()) return Standby(*unit);
  const CTraverseInfo moveRange =
      GetTraverseInfo(*stage, unit->grid, unit->GetMove(), unit->flying, true, unit->team);
  const CTraverseInfo searchBlocked = GetTraverseInfo(*stage, unit->grid, searchRange, unit->flying, true, unit->team);
  const CTraverseInfo searchFree = GetTraverseInfo(*stage, unit->grid, searchRange, unit->flying, false, 0);
  CThinkResult result;
  if (!unit->acted && PlanAttack(moveRange, result)) return result;
  if (!unit->moved && PlanMove(searchBlocked, searchFree, result)) return result;
  return Standby(*unit);
}

std::vector<CUnit*> CUnitAIPlanning::Targets() const {
  // The other side: the party for an enemy (and the enemies for a party
  // unit that the headless runner lets think).
  std::vector<CUnit*> targets;
  for (CUnit* u : stage->state.units) {
    if (u->team != unit->team && !u->IsDead()) targets.push_back(u);
  }
  return targets;
}

std::optional<CInfo> CUnitAIPlanning::Candidates(CUnit& target, const CTraverseInfo& range) const {
  const CGeographicalFeatures* map = stage->GetMap();
  if (!map) return std::nullopt;
  std::vector<SAttackPosition> positions = Positions(target);
  std::erase_if(positions, [&](const SAttackPosition& p) {
    const std::vector<CUnit*> here = stage->GetUnitsAt(p.stand);
    if (!here.empty() && here.front()->id != unit->id) return true;
    const EMapObjectType ground = map->GetTerrain(p.stand);
    if (ground == EMapObjectType::BLOCKED || (ground == EMapObjectType::FLY_ONLY && !unit->flying)) return true;
    // A wall between the cell and the target does not count: an arrow shot
    // into it stops there on its own.
    const CGridObject* aim = map->GetGrid(p.stand - p.offset);
    return !aim || aim->type == EMapObjectType::BLOCKED;
  });
  CInfo info;
  info.target = &target;
  for (const CGridInfo& g : range.grids) {
    for (const SAttackPosition& p : positions) {
      if (g.grid != p.stand) continue;
      std::vector<EDirection4> route = GetRouteByTraverseInfo(unit->grid, range, p.stand);
      const int cost = GetRouteCost(route, unit->grid, unit->flying, *stage);
      info.inners.push_back({p.stand, OppositeDirection4(p.direction), SPoint(0, 0) - p.offset, std::move(route), cost});
    }
  }
  if (info.inners.empty()) return std::nullopt;
  GameSort(info.inners.begin(), info.inners.end(),
           [](const CInnerInfo& a, const CInnerInfo& b) { return a.routeCost < b.routeCost; });
  return info;
}

std::vector<CInfo> CUnitAIPlanning::CandidatesOfTargets(const CTraverseInfo& range) const {
  std::vector<CInfo> infos;
  for (CUnit* t : Targets()) {
    if (auto info = Candidates(*t, range)) infos.push_back(std::move(*info));
  }
  return infos;
}

void CUnitAIPlanning::SortByRouteCost(std::vector<CInfo>& infos) {
  GameSort(infos.begin(), infos.end(),
           [](const CInfo& a, const CInfo& b) { return a.inners.front().routeCost < b.inners.front().routeCost; });
}

bool CUnitAIPlanning::Commit(const CInfo&, const CInnerInfo& c, CThinkResult& result) {
  result.type = CThinkResult::TYPE_ATTACK;
  result.attack = CThinkResult_AttackInfo{false, ESkill{}, unit->grid + c.aimOffset};
  return true;
}

std::optional<bool> CUnitAIPlanning::FollowAttackRequest(const std::vector<CInfo>& infos, CThinkResult& result) {
  if (!attackRequest) return std::nullopt;
  const auto it = std::find_if(infos.begin(), infos.end(),
                               [this](const CInfo& i) { return i.target->id == attackRequest->targetId; });
  if (it == infos.end() || it->inners.front().routeCost != 0) return std::nullopt;
  return Commit(*it, it->inners.front(), result);
}

bool CUnitAIPlanning::AttackScored(std::vector<CInfo>& infos, ESearchType searchType, CThinkResult& result) {
  if (infos.empty()) return false;
  if (auto followed = FollowAttackRequest(infos, result)) return *followed;
  if (searchType == ESearchType::NEAREST) {
    SortByRouteCost(infos);
  } else {
    GameSort(infos.begin(), infos.end(), [](const CInfo& a, const CInfo& b) { return a.score < b.score; });
  }
  return ChooseOrApproach(infos, result);
}

bool CUnitAIPlanning::ChooseOrApproach(std::vector<CInfo>& infos, CThinkResult& result) {
  const CInfo& best = infos.front();
  const CInnerInfo& c = best.inners.front();
  if (c.routeCost == 0) return Commit(best, c, result);
  moveRequest = CMoveRequest{c.standGrid};
  attackRequest = CAttackRequest{best.target->id};
  return false;
}

bool CUnitAIPlanning::PlanMove(const CTraverseInfo& searchBlocked, const CTraverseInfo& searchFree,
                               CThinkResult& result) {
  if (moveRequest) {
    result.type = CThinkResult::TYPE_MOVE;
    result.move = CThinkResult_MoveInfo{moveRequest->destination};
    return true;
  }
  std::vector<CInfo> infos;
  for (CUnit* t : Targets()) {
    if (!searchFree.Find(t->grid)) continue;
    if (auto info = Candidates(*t, searchBlocked)) infos.push_back(std::move(*info));
  }
  SortByRouteCost(infos);
  return MoveTowardsFirst(infos, result);
}

bool CUnitAIPlanning::MoveTowardsFirst(const std::vector<CInfo>& infos, CThinkResult& result) const {
  if (infos.empty()) return false;
  const CInnerInfo& c = infos.front().inners.front();
  result.type = CThinkResult::TYPE_MOVE;
  result.move = CThinkResult_MoveInfo{TrimRouteToMove(c.route, unit->grid, unit->GetMove(), unit->flying, *stage)};
  return true;
}

// ---- by weapon -----------------------------------------------------------------

CUnitAI_AttackByWeapon::CUnitAI_AttackByWeapon(CBattlefield& stage_, CUnit& unit_, int searchRange_,
                                               ESearchType searchType_)
    : CUnitAIPlanning(stage_, unit_, searchRange_), searchType(searchType_) {}

std::vector<SAttackPosition> CUnitAI_AttackByWeapon::Positions(const CUnit& target) const {
  const SWeaponInfo& w = GetWeaponInfo(unit->weapon);
  return GetAttackPositions(w.area, w.minRange, w.maxRange, target, *stage);
}

bool CUnitAI_AttackByWeapon::PlanAttack(const CTraverseInfo& moveRange, CThinkResult& result) {
  std::vector<CInfo> infos = CandidatesOfTargets(moveRange);
  for (CInfo& i : infos) {
    const CUnit& t = *i.target;
    // The hit rate multiplies: with equal damage the harder target scores lower.
    i.score = t.HasExtState(EExtState::PROVOCATION)
                  ? 0.0
                  : static_cast<double>(t.hp) / GetWeaponDamage(*unit, t) * GetWeaponHitRate(*unit, t) * 0.01;
  }
  return AttackScored(infos, searchType, result);
}

// ---- by skill ------------------------------------------------------------------

CUnitAIBySkill::CUnitAIBySkill(CBattlefield& stage_, CUnit& unit_, int searchRange_)
    : CUnitAIPlanning(stage_, unit_, searchRange_) {
  if (!unit_.skills.empty()) skill = unit_.skills.front();
}

bool CUnitAIBySkill::CanPlan() const { return !unit->skills.empty(); }

std::vector<SAttackPosition> CUnitAIBySkill::Positions(const CUnit& target) const {
  const SSkillInfo& s = GetSkillInfo(unit->skills.front());
  return GetAttackPositions(s.area, s.minRange, s.maxRange, target, *stage);
}

bool CUnitAIBySkill::Commit(const CInfo&, const CInnerInfo& c, CThinkResult& result) {
  const ESkill first = unit->skills.front();
  const int cost = GetSkillInfo(first).mp;
  if (unit->mp < cost) return false;
  unit->mp -= cost;
  result.type = CThinkResult::TYPE_ATTACK;
  result.attack = CThinkResult_AttackInfo{true, first, unit->grid + c.aimOffset};
  return true;
}

CUnitAI_AttackBySkill::CUnitAI_AttackBySkill(CBattlefield& stage_, CUnit& unit_, int searchRange_, ESearchType searchType_)
    : CUnitAIBySkill(stage_, unit_, searchRange_), searchType(searchType_) {}

bool CUnitAI_AttackBySkill::PlanAttack(const CTraverseInfo& moveRange, CThinkResult& result) {
  const ESkill first = unit->skills.front();
  std::vector<CInfo> infos = CandidatesOfTargets(moveRange);
  for (CInfo& i : infos) {
    const CUnit& t = *i.target;
    const int value = GetSkillValue(first, *unit, t);
    i.score = t.HasExtState(EExtState::PROVOCATION) ? 0.0
              : value == 0                           ? std::numeric_limits<double>::infinity()
                                                     : static_cast<double>(t.hp) / value;
  }
  SortByRouteCost(infos);
  if (first == ESkill::POISON || first == ESkill::POISON_CLOUD) {
    std::erase_if(infos, [](const CInfo& i) { return i.target->HasExtState(EExtState::POISON); });
  }
  return AttackScored(infos, searchType, result);
}

// ---- support -------------------------------------------------------------------

CUnitAI_SupportBySkill::CUnitAI_SupportBySkill(CBattlefield& stage_, CUnit& unit_, int searchRange_)
    : CUnitAIBySkill(stage_, unit_, searchRange_) {}

std::vector<CUnit*> CUnitAI_SupportBySkill::Targets() const {
  std::vector<CUnit*> allies;  // itself included
  for (CUnit* u : stage->state.units) {
    if (u->team == unit->team && !u->IsDead()) allies.push_back(u);
  }
  return allies;
}

bool CUnitAI_SupportBySkill::PlanAttack(const CTraverseInfo& moveRange, CThinkResult& result) {
  const ESkill first = unit->skills.front();
  std::vector<CInfo> infos = CandidatesOfTargets(moveRange);
  SortByRouteCost(infos);
  if (infos.empty()) return false;
  if (auto followed = FollowAttackRequest(infos, result)) return *followed;
  if (IsHealingSkill(first)) {
    SortByMostWounded(infos);
    if (Wound(*infos.front().target) <= 0) return false;
  }
  if (first == ESkill::WT_DOWN) {
    GameSort(infos.begin(), infos.end(), [](const CInfo& a, const CInfo& b) {
      return !a.target->HasExtState(EExtState::FAST) && b.target->HasExtState(EExtState::FAST);
    });
    if (infos.front().target->HasExtState(EExtState::FAST)) return false;
  }
  return ChooseOrApproach(infos, result);
}

bool CUnitAI_SupportBySkill::PlanMove(const CTraverseInfo& searchBlocked, const CTraverseInfo& searchFree,
                                      CThinkResult& result) {
  if (moveRequest) return CUnitAIPlanning::PlanMove(searchBlocked, searchFree, result);
  std::vector<CInfo> infos;
  for (CUnit* t : Targets()) {
    if (!searchFree.Find(t->grid)) continue;
    if (auto info = Candidates(*t, searchBlocked)) infos.push_back(std::move(*info));
  }
  if (IsHealingSkill(unit->skills.front())) {
    SortByMostWounded(infos);
    if (infos.empty() || Wound(*infos.front().target) <= 0) return false;
  }
  return MoveTowardsFirst(infos, result);
}

// ---- making them ---------------------------------------------------------------

std::unique_ptr<CUnitAIBase> MakeUnitAI(CUnit& unit, CBattlefield& stage, EUnitAIKind kind, ESearchType searchType,
                                        int searchRange) {
  switch (kind) {
    case EUnitAIKind::ATTACK_BY_WEAPON:
      return std::make_unique<CUnitAI_AttackByWeapon>(stage, unit, searchRange, searchType);
    case EUnitAIKind::ATTACK_BY_SKILL:
      return std::make_unique<CUnitAI_AttackBySkill>(stage, unit, searchRange, searchType);
    case EUnitAIKind::SUPPORT_BY_SKILL: return std::make_unique<CUnitAI_SupportBySkill>(stage, unit, searchRange);
    case EUnitAIKind::NONE: break;
  }
  return nullptr;
}

void InstallUnitAIMaker() { CUnit::aiMaker = MakeUnitAI; }

// How enemies think. Every call plans afresh: for each possible target the
// cells from which the unit's weapon or skill would strike it, kept when
// the unit can reach them, and a choice by route cost or by a score. A turn
// is several calls (move, attack, stand by); a move and an attack request
// carry the plan from one call to the next until the turn ends.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "core/direction.h"
#include "core/geometry.h"
#include "field/attack_types.h"
#include "field/traverse.h"
#include "field/unit_ai_base.h"

class CBattlefield;
class CUnit;

// A cell to stand on to strike a target: aiming at `stand` − `offset`
// from there strikes it. `direction` points from the target towards the
// cell the position was derived from.
struct SAttackPosition {
  SPoint stand;
  EDirection4 direction = EDirection4::DOWN;
  SPoint offset;
};

// One reachable cell to strike a target from.
struct CInnerInfo {
  SPoint standGrid;
  EDirection4 facing = EDirection4::DOWN;
  SPoint aimOffset;  // the aim cell is standGrid + aimOffset
  std::vector<EDirection4> route;
  int routeCost = 0;
};

// One target with the cells to strike it from, cheapest first.
struct CInfo {
  CUnit* target = nullptr;
  std::vector<CInnerInfo> inners;
  double score = 0.0;
};

struct CMoveRequest {
  SPoint destination;
};
struct CAttackRequest {
  int targetId = -1;
};

// The cells from which an attack of `shape` and range minRange..maxRange
// strikes `target`: each once, with the first aimed cell that gave it.
std::vector<SAttackPosition> GetAttackPositions(std::span<const SPoint> shape, int minRange, int maxRange,
                                                const CUnit& target, const CBattlefield& stage);

// What the three kinds share: the order of planning and the reverse search.
class CUnitAIPlanning : public CUnitAIBase {
 public:
  CThinkResult Think() override;
  void FinishTurn() override;

  std::optional<CMoveRequest> moveRequest;
  std::optional<CAttackRequest> attackRequest;

 protected:
  CUnitAIPlanning(CBattlefield& stage, CUnit& unit, int searchRange);

  virtual bool PlanAttack(const CTraverseInfo& moveRange, CThinkResult& result) = 0;
  virtual bool PlanMove(const CTraverseInfo& searchBlocked, const CTraverseInfo& searchFree, CThinkResult& result);
  // Foes for the attacking kinds, allies for the support kind; in turn order.
  virtual std::vector<CUnit*> Targets() const;
  // The unit's weapon or first skill: the positions it strikes `target` from.
  virtual std::vector<SAttackPosition> Positions(const CUnit& target) const = 0;
  // Whether the unit can think at all (a skill kind needs a skill).
  virtual bool CanPlan() const { return true; }
  // The attack on `c` of `info`; the skill kinds refuse it without the MP.
  virtual bool Commit(const CInfo& info, const CInnerInfo& c, CThinkResult& result);

  // The target's cells to strike it from that `range` reaches; none when
  // there are none.
  std::optional<CInfo> Candidates(CUnit& target, const CTraverseInfo& range) const;
  std::vector<CInfo> CandidatesOfTargets(const CTraverseInfo& range) const;
  // The attacking kinds' choice among scored targets: the request's target
  // when it can be struck from here, else the nearest or the weakest.
  bool AttackScored(std::vector<CInfo>& infos, ESearchType searchType, CThinkResult& result);
  // Strike the first target's first cell if it costs nothing to reach, or
  // remember it as the plan and move there.
  bool ChooseOrApproach(std::vector<CInfo>& infos, CThinkResult& result);
  // The request's target when it can be struck from here.
  std::optional<bool> FollowAttackRequest(const std::vector<CInfo>& infos, CThinkResult& result);
  bool MoveTowardsFirst(const std::vector<CInfo>& infos, CThinkResult& result) const;
  static void SortByRouteCost(std::vector<CInfo>& infos);
};

class CUnitAI_AttackByWeapon : public CUnitAIPlanning {
 public:
  CUnitAI_AttackByWeapon(CBattlefield& stage, CUnit& unit, int searchRange, ESearchType searchType);
  ESearchType searchType;

 protected:
  bool PlanAttack(const CTraverseInfo& moveRange, CThinkResult& result) override;
  std::vector<SAttackPosition> Positions(const CUnit& target) const override;
};

// The two kinds that plan with the unit's first skill, whose MP is taken
// as soon as an attack with it is planned.
class CUnitAIBySkill : public CUnitAIPlanning {
 public:
  ESkill skill{};  // the unit's first skill

 protected:
  CUnitAIBySkill(CBattlefield& stage, CUnit& unit, int searchRange);
  std::vector<SAttackPosition> Positions(const CUnit& target) const override;
  // Only damaged data places a skill kind without a skill: it stands by.
  bool CanPlan() const override;
  bool Commit(const CInfo& info, const CInnerInfo& c, CThinkResult& result) override;
};

class CUnitAI_AttackBySkill : public CUnitAIBySkill {
 public:
  CUnitAI_AttackBySkill(CBattlefield& stage, CUnit& unit, int searchRange, ESearchType searchType);
  ESearchType searchType;

 protected:
  bool PlanAttack(const CTraverseInfo& moveRange, CThinkResult& result) override;
};

class CUnitAI_SupportBySkill : public CUnitAIBySkill {
 public:
  CUnitAI_SupportBySkill(CBattlefield& stage, CUnit& unit, int searchRange);

 protected:
  bool PlanAttack(const CTraverseInfo& moveRange, CThinkResult& result) override;
  bool PlanMove(const CTraverseInfo& searchBlocked, const CTraverseInfo& searchFree, CThinkResult& result) override;
  std::vector<CUnit*> Targets() const override;
};

// The AI of `kind` for `unit`, noticing targets within `searchRange`.
std::unique_ptr<CUnitAIBase> MakeUnitAI(CUnit& unit, CBattlefield& stage, EUnitAIKind kind, ESearchType searchType,
                                        int searchRange);

// Makes every enemy that joins a battle think with the AI of its kind.
void InstallUnitAIMaker();

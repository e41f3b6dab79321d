#include "party_ai.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <optional>
#include <queue>
#include <span>
#include <vector>

#include "battle/unit_ai.h"
#include "combat/attack_area.h"
#include "combat/formulas.h"
#include "combat/skill_table.h"
#include "combat/weapon_table.h"
#include "core/map_grid.h"
#include "field/battlefield.h"
#include "field/charactor.h"
#include "field/geographical_features.h"
#include "field/traverse.h"
#include "field/unit.h"
#include "line_of_fire.h"

namespace {

// ---- what a strike does -------------------------------------------------------

// The shape and reach of the weapon or a skill.
struct SReach {
  std::span<const SPoint> area;
  int minRange = 1;
  int maxRange = 1;
  bool rotate = false;  // range exactly 1: the shape turns towards the aim
  bool shot = false;    // an arrow or a bolt, stopped by walls
};

SReach WeaponReach(const CUnit& u) {
  const SWeaponInfo& w = GetWeaponInfo(u.weapon);
  return {w.area, w.minRange, w.maxRange, w.minRange == w.maxRange, IsShot(w.act)};
}

SReach SkillReach(ESkill s) {
  const SSkillInfo& i = GetSkillInfo(s);
  return {i.area, i.minRange, i.maxRange, i.minRange == i.maxRange, IsShot(i.act)};
}

bool IsHarmful(ESkill s) {
  const EAttackActCategory cat = GetSkillCategory(s);
  return cat == EAttackActCategory::PHYSICAL || cat == EAttackActCategory::MAGIC;
}

int Manhattan(SPoint a, SPoint b) { return std::abs(a.x - b.x) + std::abs(a.y - b.y); }

// The chance in percent that `attacker`'s blow lands on `target` (struck
// from the front: the back's bonus is a gift, not a plan).
int HitRate(const CUnit& attacker, const CUnit& target) {
  return std::clamp(attacker.GetDex() + 80 - target.agi, 0, 100);
}

// Whether an arrow or a fire bolt from `from` lands on `to`.
bool ClearShot(const CBattlefield& stage, SPoint from, SPoint to) {
  const CGeographicalFeatures* map = stage.GetMap();
  if (!map) return false;
  return IsLineOfFireClear(from, to, [map](SPoint q) -> std::optional<EMapObjectType> {
    const CGridObject* cell = map->GetGrid(q);
    if (!cell) return std::nullopt;
    return cell->type;
  });
}

// The cells rangeMin..rangeMax steps from `origin` that are on the map and no wall.
std::vector<SPoint> CellsInRange(const CBattlefield& stage, SPoint origin, int rangeMin, int rangeMax) {
  std::vector<SPoint> cells;
  const CGeographicalFeatures* map = stage.GetMap();
  for (int dy = -rangeMax; dy <= rangeMax; ++dy) {
    for (int dx = -rangeMax; dx <= rangeMax; ++dx) {
      const int d = std::abs(dx) + std::abs(dy);
      const SPoint c = origin + SPoint(dx, dy);
      if (d < rangeMin || d > rangeMax || !map->IsInMap(c) || map->GetTerrain(c) == EMapObjectType::BLOCKED) continue;
      cells.push_back(c);
    }
  }
  return cells;
}

// ---- the foes' reach ----------------------------------------------------------

// One foe and the cells it can strike before the party moves again.
struct SFoe {
  CUnit* unit = nullptr;
  std::vector<char> reach;  // per map cell
  bool harmless = false;    // heals its friends, or has no MP for its spell
  bool comes = false;       // walks up to a party member it notices
  std::optional<ESkill> spell;
};

class CBattleView {
 public:
  CBattleView(const CBattlefield& stage_, const CUnit& self_) : stage(stage_), self(self_) {
    const CGeographicalFeatures* map = stage.GetMap();
    width = map->width;
    height = map->height;
    for (CUnit* u : stage.state.units) {
      if (u->IsDead()) continue;
      if (u->team == self.team) {
        allies.push_back(u);
      } else {
        foes.push_back(MakeFoe(*u));
      }
    }
    std::vector<char> foeCells(static_cast<std::size_t>(width) * height, 0);
    for (const SFoe& f : foes) foeCells[Index(f.unit->grid)] = 1;
    foeDistance = WalkingDistanceFrom(foeCells);
    ComputeDrawingOut();
    ComputeDeadEnds();
  }

  int Index(SPoint p) const { return p.y * width + p.x; }
  bool Inside(SPoint p) const { return p.x >= 0 && p.y >= 0 && p.x < width && p.y < height; }

  // The blow a foe is expected to deal `target` when it reaches it.
  double ExpectedDamage(const SFoe& f, const CUnit& target) const {
    if (f.harmless) return 0.0;
    if (f.spell) {
      const EAttackActCategory cat = GetSkillCategory(*f.spell);
      if (cat == EAttackActCategory::MAGIC) return GetSkillValue(*f.spell, *f.unit, target);
      if (cat == EAttackActCategory::STATUS) return 3.0;  // poison and the like wear one down
      if (cat == EAttackActCategory::PHYSICAL) {
        return GetSkillValue(*f.spell, *f.unit, target) * HitRate(*f.unit, target) * 0.01;
      }
      return 0.0;
    }
    return GetWeaponDamage(*f.unit, target) * HitRate(*f.unit, target) * 0.01;
  }

  // The damage `target` standing on `cell` may take before its next turn
  // from every foe but `spared` (the one about to fall).
  double Danger(SPoint cell, const CUnit& target, const CUnit* spared = nullptr) const {
    double sum = 0.0;
    for (const SFoe& f : foes) {
      if (f.unit != spared && f.reach[Index(cell)]) sum += ExpectedDamage(f, target);
    }
    return sum;
  }

  // The chance that `target` on `cell` falls before its next turn, every
  // foe that reaches it striking once (a foe it spares or that falls
  // first makes it smaller).
  double FallChance(SPoint cell, const CUnit& target, const CUnit* spared = nullptr) const {
    const int hp = std::max(1, target.hp);
    std::vector<double> chance(static_cast<std::size_t>(hp) + 1, 0.0);  // by damage taken, hp and more last
    chance[0] = 1.0;
    for (const SFoe& f : foes) {
      if (f.unit == spared || f.harmless || !f.reach[Index(cell)]) continue;
      int damage = 0;
      double p = 1.0;
      if (f.spell && GetSkillCategory(*f.spell) == EAttackActCategory::MAGIC) {
        damage = GetSkillValue(*f.spell, *f.unit, target);
      } else if (f.spell && GetSkillCategory(*f.spell) == EAttackActCategory::PHYSICAL) {
        damage = GetSkillValue(*f.spell, *f.unit, target);
        p = HitRate(*f.unit, target) * 0.01;
      } else if (!f.spell) {
        damage = GetWeaponDamage(*f.unit, target);
        p = HitRate(*f.unit, target) * 0.01;
      }
      damage += std::max(1, damage / 10);  // the blow's spread, the bad end of it
      if (damage <= 0 || p <= 0.0) continue;
      std::vector<double> next(chance.size(), 0.0);
      for (int s = 0; s <= hp; ++s) {
        if (chance[s] == 0.0) continue;
        next[s] += chance[s] * (1.0 - p);
        next[std::min(hp, s + damage)] += chance[s] * p;
      }
      chance = std::move(next);
    }
    return chance[hp];
  }

  int FoesReaching(SPoint cell) const {
    int n = 0;
    for (const SFoe& f : foes) n += f.reach[Index(cell)] && !f.harmless ? 1 : 0;
    return n;
  }

  // The member's walking steps from the nearest foe (WalkingDistanceFrom).
  int FoeDistance(SPoint cell) const { return foeDistance[Index(cell)]; }

  // The member's walking steps to the nearest cell where some foe takes
  // notice of it: within a guard's search range or its strike, or where the
  // member can strike a foe itself.
  int NoticeDistance(SPoint cell) const { return noticeDistance[Index(cell)]; }
  // Walking steps to the nearest cell the member can strike a foe from.
  int StrikeDistance(SPoint cell) const { return strikeDistance[Index(cell)]; }
  // Walking steps to the nearest cell some foe strikes before the member's next turn.
  int StruckDistance(SPoint cell) const { return struckDistance[Index(cell)]; }
  // Whether another member could strike a foe from `cell`.
  bool OthersStrikeFrom(SPoint cell) const { return othersStrikeFrom[Index(cell)]; }

  static constexpr int kFar = 1000;  // no way there

  // Steps into a dead end that no foe holds, behind a single cell a fallen
  // friend would wall up for good (the foes cannot walk over the fallen):
  // 0 outside one.
  int DeadEndDepth(SPoint cell) const { return deadEndDepth[Index(cell)]; }

  // Who stands on `cell` once the unit itself has moved to `at`.
  const CUnit* Occupant(SPoint cell, SPoint at) const {
    if (cell == at) return &self;
    for (const CUnit* u : stage.state.units) {
      if (u != &self && u->grid == cell) return u;
    }
    return nullptr;
  }

  const CBattlefield& stage;
  const CUnit& self;
  int width = 0;
  int height = 0;
  std::vector<CUnit*> allies;  // the unit itself among them
  std::vector<SFoe> foes;

 private:
  SFoe MakeFoe(CUnit& u) {
    SFoe f;
    f.unit = &u;
    f.reach.assign(static_cast<std::size_t>(width) * height, 0);
    SReach r = WeaponReach(u);
    // A guard that heals its friends never comes for the party.
    f.comes = u.ai && !dynamic_cast<const CUnitAI_SupportBySkill*>(u.ai.get());
    if (u.ai && !u.skills.empty()) {
      if (dynamic_cast<const CUnitAI_SupportBySkill*>(u.ai.get())) f.harmless = true;
      if (dynamic_cast<const CUnitAI_AttackBySkill*>(u.ai.get())) {
        f.spell = u.skills.front();
        r = SkillReach(*f.spell);
        if (u.mp < GetSkillInfo(*f.spell).mp) f.harmless = true;
      }
    }
    if (f.harmless) return f;
    const CTraverseInfo walk = GetTraverseInfo(stage, u.grid, u.GetMove(), u.flying, true, u.team);
    // A shooter takes the nearest cell it can aim from and shoots without
    // looking: an arrow that meets a wall on the way hurts nobody. So a cell
    // counts as reached when a nearest cell to shoot it from has a clear shot.
    const std::size_t cells = f.reach.size();
    std::vector<int> nearest(cells, std::numeric_limits<int>::max());
    for (const CGridInfo& g : walk.grids) {
      const int cost = u.GetMove() - g.rest;
      for (const SPoint& aim : CellsInRange(stage, g.grid, r.minRange, r.maxRange)) {
        for (const SPoint& hit : GetAttackArea(r.rotate, r.area, aim, g.grid, stage)) {
          if (!Inside(hit)) continue;
          const std::size_t i = Index(hit);
          if (!r.shot) {
            f.reach[i] = 1;
            continue;
          }
          if (cost > nearest[i]) continue;
          if (cost < nearest[i]) f.reach[i] = 0;
          nearest[i] = cost;
          if (ClearShot(stage, g.grid, hit)) f.reach[i] = 1;
        }
      }
    }
    return f;
  }

  // Walking steps (the member's own) from every cell to the nearest marked
  // one, around the foes where they stand now, through the friends.
  std::vector<int> WalkingDistanceFrom(const std::vector<char>& marked) const {
    std::vector<char> foeThere(marked.size(), 0);
    for (const SFoe& f : foes) foeThere[Index(f.unit->grid)] = 1;
    std::vector<int> distance(marked.size(), kFar);
    using Item = std::pair<int, int>;  // distance, cell index
    std::priority_queue<Item, std::vector<Item>, std::greater<>> open;
    for (std::size_t i = 0; i < marked.size(); ++i) {
      if (!marked[i]) continue;
      distance[i] = 0;
      open.push({0, static_cast<int>(i)});
    }
    const CGeographicalFeatures* map = stage.GetMap();
    while (!open.empty()) {
      const auto [d, i] = open.top();
      open.pop();
      if (d > distance[i]) continue;
      const SPoint p(i % width, i / width);
      for (const SPoint step : {SPoint(1, 0), SPoint(-1, 0), SPoint(0, 1), SPoint(0, -1)}) {
        const SPoint q = p + step;
        if (!Inside(q) || foeThere[Index(q)]) continue;
        const EMapObjectType t = map->GetTerrain(q);
        if (!IsEnterable(t, self.flying)) continue;
        const int nd = d + TerrainCost(t, self.flying);
        if (nd < distance[Index(q)]) {
          distance[Index(q)] = nd;
          open.push({nd, Index(q)});
        }
      }
    }
    return distance;
  }

  // The cells `member` can stand on to strike some foe, with an arrow or a
  // bolt only where it gets through.
  std::vector<char> StrikeCells(const CUnit& member) const {
    const CGeographicalFeatures* map = stage.GetMap();
    std::vector<char> cells(static_cast<std::size_t>(width) * height, 0);
    std::vector<SReach> reaches{WeaponReach(member)};
    for (const ESkill s : member.skills) {
      if (member.mp >= GetSkillInfo(s).mp && IsHarmful(s)) reaches.push_back(SkillReach(s));
    }
    for (const SFoe& f : foes) {
      for (const SReach& r : reaches) {
        for (const SAttackPosition& p : GetAttackPositions(r.area, r.minRange, r.maxRange, *f.unit, stage)) {
          if (!Inside(p.stand) || !IsEnterable(map->GetTerrain(p.stand), member.flying)) continue;
          if (r.shot && !ClearShot(stage, p.stand, p.stand - p.offset)) continue;
          cells[Index(p.stand)] = 1;
        }
      }
    }
    return cells;
  }

  // Where the foes take notice of the member, where it strikes them from
  // and where they strike it: the cells a party has to walk into when the
  // foes do not come. And where the others strike from, to keep clear of.
  void ComputeDrawingOut() {
    const CGeographicalFeatures* map = stage.GetMap();
    const std::size_t cells = static_cast<std::size_t>(width) * height;
    std::vector<char> strikeCells = StrikeCells(self);
    std::vector<char> struckCells(cells, 0);
    for (const SFoe& f : foes) {
      for (std::size_t i = 0; i < cells; ++i) struckCells[i] |= f.reach[i];
    }
    std::vector<char> noticeCells = strikeCells;
    for (const SFoe& f : foes) {
      if (!f.comes) continue;
      for (std::size_t i = 0; i < cells; ++i) noticeCells[i] |= f.reach[i];
      // The guard's search range, counted over the terrain as it walks,
      // whoever stands in the way.
      for (const CGridInfo& g :
           GetTraverseInfo(stage, f.unit->grid, f.unit->ai->searchRange, f.unit->flying, false, 0).grids) {
        noticeCells[Index(g.grid)] = 1;
      }
    }
    // Only cells the member can stand on count: no water for a walker, no
    // cell a foe or a fallen friend takes (the living ones make way).
    for (std::size_t i = 0; i < cells; ++i) {
      const SPoint p(static_cast<int>(i) % width, static_cast<int>(i) / width);
      if (IsEnterable(map->GetTerrain(p), self.flying)) continue;
      noticeCells[i] = 0;
      struckCells[i] = 0;
    }
    for (const CUnit* u : stage.state.units) {
      if (u == &self || !Inside(u->grid) || (u->team == self.team && !u->IsDead())) continue;
      strikeCells[Index(u->grid)] = 0;
      noticeCells[Index(u->grid)] = 0;
      struckCells[Index(u->grid)] = 0;
    }
    strikeDistance = WalkingDistanceFrom(strikeCells);
    noticeDistance = WalkingDistanceFrom(noticeCells);
    struckDistance = WalkingDistanceFrom(struckCells);
    othersStrikeFrom.assign(cells, 0);
    for (const CUnit* a : allies) {
      if (a == &self) continue;
      const std::vector<char> theirs = StrikeCells(*a);
      for (std::size_t i = 0; i < cells; ++i) othersStrikeFrom[i] |= theirs[i];
    }
  }

  // The dead ends seen from the foes: the cells cut off from them by a
  // single cell, a cut vertex of the walkable cells (the fallen count as
  // walls), without a foe behind it.
  void ComputeDeadEnds() {
    const std::size_t cells = static_cast<std::size_t>(width) * height;
    deadEndDepth.assign(cells, 0);
    const CGeographicalFeatures* map = stage.GetMap();
    std::vector<char> open(cells, 0);
    for (std::size_t i = 0; i < cells; ++i) {
      open[i] = IsEnterable(map->GetTerrain(SPoint(static_cast<int>(i) % width, static_cast<int>(i) / width)), false);
    }
    for (const CUnit* u : stage.state.units) {
      if (u->IsDead() && Inside(u->grid)) open[Index(u->grid)] = 0;
    }
    int root = -1;
    for (const SFoe& f : foes) {
      if (open[Index(f.unit->grid)]) {
        root = Index(f.unit->grid);
        break;
      }
    }
    if (root < 0) return;
    // A depth-first walk from a foe (Tarjan's cut vertices), kept on an
    // explicit stack: cells numbered in the order first reached.
    std::vector<int> number(cells, -1), low(cells, 0), last(cells, 0), parent(cells, -1), order;
    std::vector<std::pair<int, int>> stack{{root, 0}};  // cell, next step to try
    number[root] = low[root] = 0;
    order.push_back(root);
    std::vector<std::pair<int, int>> cutOff;  // ranges of numbers behind a cut vertex
    const SPoint steps[] = {SPoint(1, 0), SPoint(-1, 0), SPoint(0, 1), SPoint(0, -1)};
    while (!stack.empty()) {
      auto& [v, k] = stack.back();
      if (k < 4) {
        const SPoint q = SPoint(v % width, v / width) + steps[k++];
        if (!Inside(q) || !open[Index(q)]) continue;
        const int w = Index(q);
        if (number[w] < 0) {
          parent[w] = v;
          number[w] = low[w] = static_cast<int>(order.size());
          order.push_back(w);
          stack.push_back({w, 0});
        } else if (w != parent[v]) {
          low[v] = std::min(low[v], number[w]);
        }
        continue;
      }
      const int done = v;
      stack.pop_back();
      last[done] = static_cast<int>(order.size()) - 1;
      const int up = parent[done];
      if (up < 0) continue;
      low[up] = std::min(low[up], low[done]);
      if (up != root && low[done] >= number[up]) cutOff.push_back({number[done], last[done]});
    }
    std::vector<int> foesBefore(order.size() + 1, 0);  // foes among the first n cells reached
    std::vector<char> foeHere(cells, 0);
    for (const SFoe& f : foes) foeHere[Index(f.unit->grid)] = 1;
    for (std::size_t n = 0; n < order.size(); ++n) foesBefore[n + 1] = foesBefore[n] + foeHere[order[n]];
    std::vector<int> mark(order.size() + 1, 0);
    for (const auto& [first, end] : cutOff) {
      if (foesBefore[end + 1] - foesBefore[first] > 0) continue;
      ++mark[first];
      --mark[end + 1];
    }
    std::vector<char> outside(cells, 0);
    int depth = 0;
    for (std::size_t n = 0; n < order.size(); ++n) {
      depth += mark[n];
      if (depth == 0) outside[order[n]] = 1;
    }
    if (std::all_of(order.begin(), order.end(), [&outside](int v) { return outside[v] != 0; })) return;
    const std::vector<int> out = WalkingDistanceFrom(outside);
    for (const int v : order) {
      if (!outside[v]) deadEndDepth[v] = std::clamp(out[v], 1, kFar);
    }
  }

  std::vector<int> foeDistance;
  std::vector<int> deadEndDepth;
  std::vector<int> noticeDistance;
  std::vector<int> strikeDistance;
  std::vector<int> struckDistance;
  std::vector<char> othersStrikeFrom;
};

// ---- the member's thinking -----------------------------------------------------

struct SAction {
  bool isSkill = false;
  ESkill skill{};
  SPoint aim;
  double value = 0.0;
  const CUnit* felled = nullptr;  // a foe the strike most likely fells
  bool movesOn = false;           // brings the end of the fight nearer, not a mere scratch
};

bool IsHealing(ESkill s) { return s == ESkill::HEAL || s == ESkill::LONG_HEAL || s == ESkill::AREA_HEAL; }
bool IsHealer(const CUnit& u) { return std::any_of(u.skills.begin(), u.skills.end(), IsHealing); }

// Every party member thinks alike: for each cell it can walk to, the best
// strike or spell from there, less what the foes can do to it there. The
// best pair wins; a strike from where it stands may also be followed by a
// step back out of reach.
class CPartyAI_Tactics : public CUnitAIBase {
 public:
  CPartyAI_Tactics(CBattlefield& stage, CUnit& unit) : CUnitAIBase(stage, unit, 99) {}

  CThinkResult Think() override {
    const CBattleView view = LookAround();
    if (view.foes.empty()) return Standby(view);
    if (unit->moved && !unit->acted && pending) {
      const SAction a = *pending;
      pending.reset();
      return Strike(a);
    }
    if (unit->acted && unit->moved) return Standby(view);

    std::vector<SPoint> cells{unit->grid};
    if (!unit->moved) {
      const CTraverseInfo walk = GetTraverseInfo(*stage, unit->grid, unit->GetMove(), unit->flying, true, unit->team);
      for (const CGridInfo& g : walk.grids) {
        if (g.grid != unit->grid && stage->GetUnitsAt(g.grid).empty()) cells.push_back(g.grid);
      }
    }

    double bestScore = -std::numeric_limits<double>::infinity();
    SPoint bestCell = unit->grid;
    std::optional<SAction> bestAction;
    for (const SPoint& c : cells) {
      const double stay = c == unit->grid ? kStayBonus : 0.0;
      std::optional<SAction> act;
      if (!unit->acted) act = BestAction(view, c);
      const double place = PlaceScore(view, c, act ? act->felled : nullptr) + stay;
      const double score = place + (act ? act->value : 0.0);
      if (score > bestScore) {
        bestScore = score;
        bestCell = c;
        bestAction = act;
      }
    }
    // Strike from here, then walk to the safest cell.
    if (!unit->acted && !unit->moved) {
      if (const std::optional<SAction> here = BestAction(view, unit->grid)) {
        double bestPlace = -std::numeric_limits<double>::infinity();
        for (const SPoint& c : cells) bestPlace = std::max(bestPlace, PlaceScore(view, c, here->felled));
        if (here->value + bestPlace - kStepAfterCost > bestScore) {
          bestScore = here->value + bestPlace - kStepAfterCost;
          bestCell = unit->grid;
          bestAction = here;
        }
      }
    }
    if (bestCell != unit->grid) {
      pending = bestAction;
      CThinkResult r;
      r.type = CThinkResult::TYPE_MOVE;
      r.move = CThinkResult_MoveInfo{bestCell};
      return r;
    }
    if (bestAction) return Strike(*bestAction);
    return Standby(view);
  }

  void FinishTurn() override {
    idleTurns = struck ? 0 : idleTurns + 1;
    struck = false;
    pending.reset();
    CUnitAIBase::FinishTurn();
  }

 private:
  // Standing still costs a quarter less wait: the next turn comes sooner.
  static constexpr double kStayBonus = 2.0;
  static constexpr double kApproach = 0.1;
  static constexpr int kPatientTurns = 2;
  static constexpr int kStalledTurns = 6;
  static constexpr int kDesperateTurns = 12;
  static constexpr double kApproachWhenIdle = 0.4;
  static constexpr double kApproachWhenStalled = 2.5;
  static constexpr int kFarSteps = 60;  // further counts no more
  static constexpr int kLead = 3;
  static constexpr int kHealerBehind = 1;
  static constexpr double kTogether = 0.5;
  static constexpr double kDangerWeight = 0.5;
  static constexpr double kWoundedDangerWeight = 1.5;
  static constexpr double kDeathRisk = 40.0;
  static constexpr double kKillBase = 10.0;
  static constexpr double kKillPerWorth = 4.0;
  static constexpr double kStepAfterCost = 0.5;
  static constexpr double kWorthATurn = 4.0;
  static constexpr double kBlowsAtMost = 15.0;  // a foe that takes more such blows is only scratched
  static constexpr double kDeadEnd = 3.0;
  static constexpr double kDeadEndPerStep = 1.0;
  static constexpr double kMakeWay = 5.0;

  // The foes' walks are reckoned with the member lifted off its cell: it
  // is about to leave it, and a foe it blocks there is not held back by it
  // anywhere else.
  CBattleView LookAround() {
    const SPoint at = unit->grid;
    unit->grid = SPoint(-1000, -1000);
    CBattleView view(*stage, *unit);
    unit->grid = at;
    return view;
  }

  CThinkResult Strike(const SAction& a) {
    // Scratching a foe that shrugs it off is no progress: the fight still
    // stands still.
    struck = a.movesOn;
    CThinkResult r;
    r.type = CThinkResult::TYPE_ATTACK;
    r.attack = CThinkResult_AttackInfo{a.isSkill, a.isSkill ? a.skill : ESkill{}, a.aim};
    // Paid on deciding, as the enemies' AI does: the command menu of the
    // campaign gives it back before it charges the cast.
    if (a.isSkill) unit->mp -= GetSkillInfo(a.skill).mp;
    return r;
  }

  // Facing the nearest foe: a blow from behind lands more often.
  CThinkResult Standby(const CBattleView& view) const {
    CThinkResult r;
    r.type = CThinkResult::TYPE_STANDBY;
    EDirection4 facing = unit->direction;
    int nearest = std::numeric_limits<int>::max();
    for (const SFoe& f : view.foes) {
      const SPoint d = f.unit->grid - unit->grid;
      const int m = std::abs(d.x) + std::abs(d.y);
      if (m >= nearest) continue;
      nearest = m;
      if (std::abs(d.x) >= std::abs(d.y)) {
        facing = d.x < 0 ? EDirection4::LEFT : EDirection4::RIGHT;
      } else {
        facing = d.y < 0 ? EDirection4::UP : EDirection4::DOWN;
      }
    }
    r.standby = CThinkResult_StandbyInfo{facing};
    return r;
  }

  // How good it is to end the turn on `c`: out of the foes' reach, near
  // enough to strike next time, beside the others, and a wounded member
  // beside whoever heals.
  double PlaceScore(const CBattleView& view, SPoint c, const CUnit* felled) const {
    const double hp = std::max(1, unit->hp);
    const double health = hp / std::max(1, unit->maxHp);
    const double danger = view.Danger(c, *unit, felled);
    // A fight that has stood still for long is lost anyway: then the
    // member takes its chances, and in the end it walks in regardless.
    const int stalled = PartyIdleTurns(view);
    const double caution = stalled < kStalledTurns ? 1.0 : stalled < kDesperateTurns ? 0.2 : 0.0;
    double score = -danger * (kDangerWeight + kWoundedDangerWeight * (1.0 - health)) * caution;
    score -= view.FallChance(c, *unit, felled) * kDeathRisk * caution;
    // Closer to the foes, so that the party keeps the fight going. The foes
    // mostly come by themselves; when they do not, the party walks in until
    // one of them notices it, the longer nothing happens the more firmly.
    // A stalled party walks on even past the comfort of a healer's side.
    score -= kApproach * std::min(view.FoeDistance(c), kFarSteps);
    if (idleTurns >= kPatientTurns) {
      const double pull =
          stalled >= kStalledTurns ? kApproachWhenStalled : kApproachWhenIdle * std::min(idleTurns - kPatientTurns + 1, 4);
      score -= pull * StepsShortOfTheFoes(view, c, stalled);
    }
    // Near the nearest of the others, so that the party walks as a chain.
    int nearest = std::numeric_limits<int>::max();
    for (const CUnit* a : view.allies) {
      if (a == unit) continue;
      const int d = Manhattan(c, a->grid);
      nearest = std::min(nearest, d);
      if (IsHealer(*a) && health < 0.6 && d > 2) score -= 1.0 * (d - 2);
    }
    if (nearest != std::numeric_limits<int>::max() && nearest > 2) score -= kTogether * (nearest - 2);
    // Not deeper into a dead end: one fallen friend in the neck walls up
    // whoever is behind it, out of reach of every foe and with every foe
    // out of reach. (A member already inside one is not pushed out: it may
    // be the only way to the foes.)
    if (const int deeper = view.DeadEndDepth(c) - view.DeadEndDepth(unit->grid); deeper > 0) {
      score -= kDeadEnd + kDeadEndPerStep * deeper;
    }
    // A member that cannot get at any foe makes way for one that can.
    if (stalled >= kStalledTurns && view.StrikeDistance(unit->grid) >= CBattleView::kFar && view.OthersStrikeFrom(c)) {
      score -= kMakeWay;
    }
    return score;
  }

  // How many steps `c` is short of where the foes take notice of the
  // member. Foes that see the party come; a party that has waited there in
  // vain goes on to where it can strike them, and in the end to where they
  // can strike it. The party walks as a group: no member gains by being
  // more than kLead steps ahead of the foremost of the others who do not
  // heal, and whoever heals keeps a step behind them.
  int StepsShortOfTheFoes(const CBattleView& view, SPoint c, int stalled) const {
    auto notice = [&view](SPoint p) { return view.NoticeDistance(p); };
    auto strike = [&view](SPoint p) { return view.StrikeDistance(p); };
    auto struck = [&view](SPoint p) { return view.StruckDistance(p); };
    std::function<int(SPoint)> steps = notice;
    if (stalled >= kStalledTurns && strike(unit->grid) < CBattleView::kFar) steps = strike;
    if (stalled >= kDesperateTurns && struck(unit->grid) < CBattleView::kFar) steps = struck;
    int front = kFarSteps;
    for (const CUnit* a : view.allies) {
      if (a != unit && !IsHealer(*a)) front = std::min(front, std::min(steps(a->grid), kFarSteps));
    }
    const int own = std::min(steps(c), kFarSteps);
    if (front >= kFarSteps) return own;  // alone, or the others cannot get there
    const int goal = IsHealer(*unit) ? front + kHealerBehind : std::max(0, front - kLead);
    return std::max(0, own - goal);
  }

  // Own turns in a row without a strike of anyone in the party.
  int PartyIdleTurns(const CBattleView& view) const {
    int turns = idleTurns;
    for (const CUnit* a : view.allies) {
      if (const auto* ai = dynamic_cast<const CPartyAI_Tactics*>(a->ai.get())) turns = std::min(turns, ai->idleTurns);
    }
    return turns;
  }

  // The best strike or spell from `at`, with what it is worth; none when
  // nothing there is worth the turn.
  std::optional<SAction> BestAction(const CBattleView& view, SPoint at) const {
    std::optional<SAction> best;
    auto consider = [&](bool isSkill, ESkill skill, const SReach& r) {
      for (const SPoint& aim : CellsInRange(*stage, at, r.minRange, r.maxRange)) {
        const CUnit* felled = nullptr;
        bool movesOn = false;
        const double v = ActionValue(view, at, isSkill, skill, r, aim, felled, movesOn);
        if (v > 0.0 && (!best || v > best->value)) best = SAction{isSkill, skill, aim, v, felled, movesOn};
      }
    };
    consider(false, ESkill{}, WeaponReach(*unit));
    for (const ESkill s : unit->skills) {
      if (unit->mp < GetSkillInfo(s).mp) continue;
      consider(true, s, SkillReach(s));
    }
    return best;
  }

  // What a foe is worth taking off the map: the harm it would still do.
  double FoeWorth(const CBattleView& view, const CUnit& foe) const {
    double worst = 0.0;
    for (const SFoe& f : view.foes) {
      if (f.unit != &foe) continue;
      // One that heals its friends undoes the party's work.
      if (f.harmless) return 3.0;
      for (const CUnit* a : view.allies) worst = std::max(worst, view.ExpectedDamage(f, *a));
    }
    return worst;
  }

  double ActionValue(const CBattleView& view, SPoint at, bool isSkill, ESkill skill, const SReach& r, SPoint aim,
                     const CUnit*& felled, bool& movesOn) const {
    const bool weapon = !isSkill;
    if (r.shot && !ClearShot(*stage, at, aim)) return 0.0;
    const std::vector<SPoint> area = GetAttackArea(r.rotate, r.area, aim, at, *stage);
    const EAttackActCategory cat = weapon ? EAttackActCategory::PHYSICAL : GetSkillCategory(skill);
    const bool halvedSides = weapon && GetWeaponInfo(unit->weapon).act == EAttackActType::LARGE_SWORD;
    double value = 0.0;
    for (std::size_t i = 0; i < area.size(); ++i) {
      const CUnit* u = view.Occupant(area[i], at);
      if (!u) continue;
      const bool foe = u->team != unit->team;
      if (u->IsDead()) {
        if (!foe && isSkill && skill == ESkill::RESURRECTION) value += 30.0;
        continue;
      }
      if (cat == EAttackActCategory::HEAL) {
        const int amount = skill == ESkill::AREA_HEAL ? 20 : -GetSkillValue(skill, *unit, *u);
        const int restored = std::min(amount, u->maxHp - u->hp);
        if (foe) {
          value -= restored;
        } else if (restored > 0) {
          const double wound = 1.0 - static_cast<double>(u->hp) / std::max(1, u->maxHp);
          value += restored * (0.8 + 1.5 * wound);
        }
        continue;
      }
      if (cat == EAttackActCategory::STATUS) {
        value += StatusValue(view, skill, *u, foe);
        continue;
      }
      int damage = weapon ? GetWeaponDamage(*unit, *u) : GetSkillValue(skill, *unit, *u);
      if (halvedSides && (i == 1 || i == 2)) damage /= 2;
      const double p = cat == EAttackActCategory::MAGIC ? 1.0 : HitRate(*unit, *u) * 0.01;
      const int dealt = std::min(damage, u->hp);
      if (foe) {
        const double worth = FoeWorth(view, *u);
        value += p * dealt * (1.0 + worth / 10.0);
        if (p * dealt * kBlowsAtMost >= u->maxHp) movesOn = true;
        if (damage >= u->hp) {
          movesOn = true;
          value += p * (kKillBase + kKillPerWorth * worth);
          if (p >= 0.7) felled = u;
        }
      } else {
        value -= p * dealt * 3.0;
        if (damage >= u->hp) value -= p * 40.0;
      }
    }
    if (value <= 0.0) return 0.0;
    if (isSkill) value -= GetSkillInfo(skill).mp * 0.4;
    // Healing, curing and the like help as much as they are worth.
    if (cat != EAttackActCategory::PHYSICAL && cat != EAttackActCategory::MAGIC && value >= kWorthATurn) movesOn = true;
    return value;
  }

  double StatusValue(const CBattleView& view, ESkill skill, const CUnit& u, bool foe) const {
    switch (skill) {
      case ESkill::CURE: return !foe && u.HasExtState(EExtState::POISON) ? 6.0 : 0.0;
      case ESkill::POISON:
      case ESkill::POISON_CLOUD:
        if (!foe) return -8.0;
        return u.HasExtState(EExtState::POISON) ? 0.0 : std::min(u.hp, 3 * std::max(3, u.maxHp / 8)) * 0.8;
      case ESkill::WT_DOWN:
        if (foe || u.HasExtState(EExtState::FAST)) return foe ? -4.0 : 0.0;
        return view.FoeDistance(u.grid) <= 8 ? 5.0 : 0.0;
      default: return 0.0;
    }
  }

  std::optional<SAction> pending;  // the strike after this turn's walk
  bool struck = false;             // this turn, worth the turn
  int idleTurns = 0;               // own turns in a row without a strike worth the turn
};

}  // namespace

std::unique_ptr<CUnitAIBase> MakePartyAI(CBattlefield& stage, CUnit& unit) {
  return std::make_unique<CPartyAI_Tactics>(stage, unit);
}

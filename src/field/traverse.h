// Where a unit can go this turn, by which steps, and which cells a weapon or
// skill reaches.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/direction.h"
#include "core/geometry.h"
#include "gfx/draw_queue.h"

class CBattlefield;
class CUnit;

// A reached cell and the movement points left on arriving there.
struct CGridInfo {
  SPoint grid;
  int rest = -1;

  CGridInfo() = default;
  CGridInfo(SPoint grid_, int rest_) : grid(grid_), rest(rest_) {}
};

// Every reachable cell once, in the order the cells were first reached.
class CTraverseInfo {
 public:
  virtual ~CTraverseInfo() = default;

  virtual CGridInfo* Find(SPoint grid);
  virtual const CGridInfo* Find(SPoint grid) const;
  // Appends a cell that is not yet listed.
  void Add(CGridInfo info);

  std::vector<CGridInfo> grids;

 private:
  static std::int64_t Key(SPoint p) { return (static_cast<std::int64_t>(p.x) << 32) ^ static_cast<std::uint32_t>(p.y); }
  // Position in `grids` by cell, so that a search on a large map stays fast.
  std::unordered_map<std::int64_t, std::size_t> index;
};

// One candidate step of the walk back along a route.
struct CDirection4AndRestMove {
  EDirection4 direction = EDirection4::UP;
  int rest = -1;

  CDirection4AndRestMove() = default;
  CDirection4AndRestMove(EDirection4 direction_, int rest_) : direction(direction_), rest(rest_) {}
};

// Cell offset of one step in a direction.
SPoint DirectionOffset(EDirection4 d);

// The cells a unit at `origin` with `move` points can reach, with the most
// points it can have left on each. With blockByOthers, a cell where a single
// unit of another team stands cannot be entered. Throws std::runtime_error
// when the stage has no map.
CTraverseInfo GetTraverseInfo(const CBattlefield& stage, SPoint origin, int move, bool flying, bool blockByOthers,
                              int team);

// The steps from origin to goal through cells of `info`. Throws
// std::runtime_error when goal is not a cell of `info`.
std::vector<EDirection4> GetRouteByTraverseInfo(SPoint origin, const CTraverseInfo& info, SPoint goal);

// Movement points a walk along `route` from `start` costs.
int GetRouteCost(const std::vector<EDirection4>& route, SPoint start, bool flying, const CBattlefield& stage);

// Where a unit following `route` from `start` stops this turn: the furthest
// cell it can pay for that no unit stands on, or `start`.
SPoint TrimRouteToMove(const std::vector<EDirection4>& route, SPoint start, int move, bool flying,
                       const CBattlefield& stage);

// The cells rangeMin..rangeMax steps (Manhattan) from the unit that are on
// the map and not walls, nearest first.
std::vector<SPoint> GetGridsInRange(const CUnit& unit, const CBattlefield& stage, int rangeMin, int rangeMax);

// The enemies' danger zone, counted as if no unit stood in the way: the
// cells some enemy can walk to, and beyond them the cells some enemy
// notices targets in (its AI's search range), each once, in enemy order.
struct SDangerZone {
  std::vector<SPoint> move;
  std::vector<SPoint> sight;
};
SDangerZone GetDangerZone(const CBattlefield& stage);

// Highlights of the range displays.
enum class EGridHighlight { MOVE, RANGE, ATTACK, SKILL, SIGHT };

// The image key of a highlight ("ui_parts/move_grid_blue.png" and friends).
const char* GridHighlightImage(EGridHighlight kind);

// Queues one highlight per cell on the stage's draw queue, under the units
// (the layer of the command overlays: ranges at 3, target areas at 4).
void DrawGridHighlights(CBattlefield& stage, const std::vector<SPoint>& cells, EGridHighlight kind,
                        int layer = LAYER_COMMAND_BACK);
void DrawGridHighlights(CBattlefield& stage, const CTraverseInfo& info, EGridHighlight kind);

// An enemy's watch range beyond the cells it walks to (`walked`): the
// sight picture on each watched cell, which alone is a faint speckle on
// grass, under a light purple wash, and a two-tone line along the range's
// outer border (every side of a watched cell that faces a cell neither
// watched nor walked), so that the range shows on every terrain.
void DrawWatchRange(CBattlefield& stage, const std::vector<SPoint>& watched, const std::vector<SPoint>& walked);

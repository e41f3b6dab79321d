#include "field/traverse.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <stdexcept>

#include "core/map_grid.h"
#include "field/battlefield.h"
#include "field/geographical_features.h"
#include "field/terrain.h"
#include "field/unit.h"
#include "gfx/draw_data.h"
#include "gfx/draw_queue.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"

namespace {

const CGeographicalFeatures& MapOf(const CBattlefield& stage) {
  const CGeographicalFeatures* map = stage.GetMap();
  if (!map) throw std::runtime_error("movement search asked on a battle that has no map loaded");
  return *map;
}

// Neighbours are queued in this order; it decides which cells are reached first.
constexpr EDirection4 EXPAND_ORDER[] = {EDirection4::LEFT, EDirection4::RIGHT, EDirection4::UP, EDirection4::DOWN};
// When two neighbours are equally good on the walk back, the earlier one wins.
constexpr EDirection4 ROUTE_PREFERENCE[] = {EDirection4::UP, EDirection4::RIGHT, EDirection4::DOWN,
                                            EDirection4::LEFT};

// The watch range's wash: strong enough to tint grass, weak enough to leave
// the terrain readable.
constexpr int kWatchWashAlpha = 56;

}  // namespace

SPoint DirectionOffset(EDirection4 d) {
  switch (d) {
    case EDirection4::LEFT:
      return {-1, 0};
    case EDirection4::UP:
      return {0, -1};
    case EDirection4::RIGHT:
      return {1, 0};
    case EDirection4::DOWN:
      return {0, 1};
  }
  return {0, 0};
}

CGridInfo* CTraverseInfo::Find(SPoint grid) {
  return const_cast<CGridInfo*>(static_cast<const CTraverseInfo*>(this)->Find(grid));
}

const CGridInfo* CTraverseInfo::Find(SPoint grid) const {
  if (index.size() == grids.size()) {
    const auto it = index.find(Key(grid));
    return it == index.end() ? nullptr : &grids[it->second];
  }
  // Someone filled `grids` by hand: look the slow way.
  const auto it = std::find_if(grids.begin(), grids.end(), [&](const CGridInfo& g) { return g.grid == grid; });
  return it == grids.end() ? nullptr : &*it;
}

void CTraverseInfo::Add(CGridInfo info) {
  if (index.size() == grids.size()) index.emplace(Key(info.grid), grids.size());
  grids.push_back(info);
}

CTraverseInfo GetTraverseInfo(const CBattlefield& stage, SPoint origin, int move, bool flying, bool blockByOthers,
                              int team) {
  const CGeographicalFeatures& map = MapOf(stage);
  CTraverseInfo result;
  std::deque<CGridInfo> queue;
  queue.emplace_back(origin, move);
  bool first = true;
  while (!queue.empty()) {
    CGridInfo entry = queue.front();
    queue.pop_front();
    const SPoint c = entry.grid;
    if (!map.IsInMap(c)) continue;
    const EMapObjectType terrain = map.GetTerrain(c);
    if (!IsEnterable(terrain, flying)) continue;
    if (blockByOthers) {
      // A lone unit of the other side bars the cell; a stack of units does not.
      const std::vector<CUnit*> units = stage.GetUnitsAt(c);
      if (units.size() == 1 && units.front()->team != team) continue;
    }
    int p = entry.rest;
    if (first) {
      first = false;
    } else {
      p -= TerrainCost(terrain, flying);
    }
    if (p < 0) continue;
    CGridInfo* known = result.Find(c);
    if (known) {
      if (known->rest >= p) continue;
      known->rest = p;
    } else {
      result.Add(CGridInfo(c, p));
    }
    for (EDirection4 d : EXPAND_ORDER) queue.emplace_back(c + DirectionOffset(d), p);
  }
  return result;
}

std::vector<EDirection4> GetRouteByTraverseInfo(SPoint origin, const CTraverseInfo& info, SPoint goal) {
  std::vector<EDirection4> route;
  const CGridInfo* at = info.Find(goal);
  if (!at) {
    throw std::runtime_error("no route to cell (" + std::to_string(goal.x) + "," + std::to_string(goal.y) +
                             "): it is not within the unit's reach");
  }
  SPoint p = goal;
  int rest = at->rest;
  while (p != origin) {
    CDirection4AndRestMove best;
    for (EDirection4 d : ROUTE_PREFERENCE) {
      const CGridInfo* n = info.Find(p + DirectionOffset(d));
      const CDirection4AndRestMove candidate(d, n ? n->rest : -1);
      if (candidate.rest > best.rest) best = candidate;
    }
    // Every step back must gain points; anything else means the information
    // was not made from this origin, and walking on would never end.
    if (best.rest <= rest) {
      throw std::runtime_error("no route from (" + std::to_string(origin.x) + "," + std::to_string(origin.y) +
                               ") to (" + std::to_string(goal.x) + "," + std::to_string(goal.y) +
                               "): the reach was worked out from another cell");
    }
    route.push_back(OppositeDirection4(best.direction));
    p += DirectionOffset(best.direction);
    rest = best.rest;
  }
  std::reverse(route.begin(), route.end());
  return route;
}

int GetRouteCost(const std::vector<EDirection4>& route, SPoint start, bool flying, const CBattlefield& stage) {
  const CGeographicalFeatures& map = MapOf(stage);
  int cost = 0;
  SPoint p = start;
  for (EDirection4 d : route) {
    p += DirectionOffset(d);
    cost += TerrainCost(map.GetTerrain(p), flying);
  }
  return cost;
}

SPoint TrimRouteToMove(const std::vector<EDirection4>& route, SPoint start, int move, bool flying,
                       const CBattlefield& stage) {
  const CGeographicalFeatures& map = MapOf(stage);
  std::vector<SPoint> reached;
  int cost = 0;
  SPoint p = start;
  for (EDirection4 d : route) {
    p += DirectionOffset(d);
    cost += TerrainCost(map.GetTerrain(p), flying);
    if (cost > move) break;
    reached.push_back(p);
  }
  // A unit cannot end its move on top of another one: fall back along the route.
  for (auto it = reached.rbegin(); it != reached.rend(); ++it) {
    if (stage.GetUnitsAt(*it).empty()) return *it;
  }
  return start;
}

std::vector<SPoint> GetGridsInRange(const CUnit& unit, const CBattlefield& stage, int rangeMin, int rangeMax) {
  const CGeographicalFeatures& map = MapOf(stage);
  std::vector<SPoint> result;
  for (int d = rangeMin; d <= rangeMax; ++d) {
    for (int i = 0; i <= d; ++i) {
      const int a = d - i;
      const SPoint cells[] = {unit.grid + SPoint(i, a), unit.grid + SPoint(-i, a), unit.grid + SPoint(i, -a),
                              unit.grid + SPoint(-i, -a)};
      for (const SPoint& c : cells) {
        if (!map.IsInMap(c) || map.GetTerrain(c) == EMapObjectType::BLOCKED) continue;
        if (std::find(result.begin(), result.end(), c) != result.end()) continue;
        result.push_back(c);
      }
    }
  }
  return result;
}

const char* GridHighlightImage(EGridHighlight kind) {
  switch (kind) {
    case EGridHighlight::MOVE:
      return "ui_parts/move_grid_blue.png";
    case EGridHighlight::RANGE:
      return "ui_parts/move_grid_yellow.png";
    case EGridHighlight::ATTACK:
      return "ui_parts/move_grid_red.png";
    case EGridHighlight::SKILL:
      return "ui_parts/move_grid_green.png";
    case EGridHighlight::SIGHT:
      return "ui_parts/sight_grid.png";
  }
  return "ui_parts/move_grid_blue.png";
}

void DrawGridHighlights(CBattlefield& stage, const std::vector<SPoint>& cells, EGridHighlight kind, int layer) {
  if (cells.empty()) return;
  SDrawData data(GetImageHandle(GridHighlightImage(kind)));
  data.SetSize(34, 34);
  data.stretch = true;
  data.SetAlpha(200);
  for (const SPoint& c : cells) stage.GetDrawQueue().Add(stage.GridToScreen(c), data, layer * 1000);
}

void DrawGridHighlights(CBattlefield& stage, const CTraverseInfo& info, EGridHighlight kind) {
  std::vector<SPoint> cells;
  cells.reserve(info.grids.size());
  for (const CGridInfo& g : info.grids) cells.push_back(g.grid);
  DrawGridHighlights(stage, cells, kind);
}

void DrawWatchRange(CBattlefield& stage, const std::vector<SPoint>& watched, const std::vector<SPoint>& walked) {
  if (watched.empty()) return;
  DrawGridHighlights(stage, watched, EGridHighlight::SIGHT);
  auto less = [](SPoint a, SPoint b) { return a.y != b.y ? a.y < b.y : a.x < b.x; };
  auto sorted = [&](std::vector<SPoint> cells) {
    std::sort(cells.begin(), cells.end(), less);
    return cells;
  };
  const std::vector<SPoint> seen = sorted(watched);
  const std::vector<SPoint> walk = sorted(walked);
  auto outside = [&](SPoint c) {
    return !std::binary_search(seen.begin(), seen.end(), c, less) &&
           !std::binary_search(walk.begin(), walk.end(), c, less);
  };
  // Cell boxes for the wash; for the border a light band inside each open
  // side and a dark line just outside it, the dark ones painted first.
  std::vector<CRect> cells;
  std::vector<CRect> dark;
  std::vector<CRect> light;
  const int half = kGridPixels / 2;
  for (const SPoint& c : watched) {
    const SPointD centre = stage.GridToScreen(c);
    const int l = static_cast<int>(std::lround(centre.x)) - half;
    const int t = static_cast<int>(std::lround(centre.y)) - half;
    const int r = l + kGridPixels;
    const int b = t + kGridPixels;
    cells.emplace_back(l, t, r, b);
    if (outside(c + SPoint(-1, 0))) {
      dark.emplace_back(l - 1, t - 1, l, b + 1);
      light.emplace_back(l, t, l + 2, b);
    }
    if (outside(c + SPoint(1, 0))) {
      dark.emplace_back(r, t - 1, r + 1, b + 1);
      light.emplace_back(r - 2, t, r, b);
    }
    if (outside(c + SPoint(0, -1))) {
      dark.emplace_back(l - 1, t - 1, r + 1, t);
      light.emplace_back(l, t, r, t + 2);
    }
    if (outside(c + SPoint(0, 1))) {
      dark.emplace_back(l - 1, b, r + 1, b + 1);
      light.emplace_back(l, b - 2, r, b);
    }
  }
  auto draw = [cells = std::move(cells), dark = std::move(dark), light = std::move(light)] {
    SetDrawBlendMode(DX_BLENDMODE_ALPHA, kWatchWashAlpha);
    const unsigned int wash = GetColor(106, 58, 160);
    for (const CRect& r : cells) DrawBox(r.left, r.top, r.right, r.bottom, wash, TRUE);
    SetDrawBlendMode(DX_BLENDMODE_NOBLEND, 0);
    const unsigned int shade = GetColor(74, 30, 120);
    for (const CRect& r : dark) DrawBox(r.left, r.top, r.right, r.bottom, shade, TRUE);
    const unsigned int glow = GetColor(224, 192, 255);
    for (const CRect& r : light) DrawBox(r.left, r.top, r.right, r.bottom, glow, TRUE);
  };
  // Over every highlight picture of the range layer, under the target areas and the units.
  stage.GetDrawQueue().AddCallback(std::move(draw), LAYER_COMMAND_BACK * 1000 + 999);
}

SDangerZone GetDangerZone(const CBattlefield& stage) {
  SDangerZone zone;
  const CGeographicalFeatures* map = stage.GetMap();
  if (!map) return zone;
  // A mark per map cell keeps the lists free of repeats without searching them.
  std::vector<char> marked(static_cast<std::size_t>(map->width) * map->height, 0);
  auto add = [&](std::vector<SPoint>& list, SPoint c) {
    char& m = marked[static_cast<std::size_t>(c.y) * map->width + c.x];
    if (!m) {
      m = 1;
      list.push_back(c);
    }
  };
  for (const CUnit* u : stage.state.units) {
    if (u->team != 1) continue;
    for (const CGridInfo& g : GetTraverseInfo(stage, u->grid, u->GetMove(), u->flying, false, 0).grids) {
      add(zone.move, g.grid);
    }
  }
  for (const CUnit* u : stage.state.units) {
    if (u->team != 1 || !u->ai) continue;
    for (const CGridInfo& g : GetTraverseInfo(stage, u->grid, u->ai->searchRange, u->flying, false, 0).grids) {
      add(zone.sight, g.grid);
    }
  }
  return zone;
}

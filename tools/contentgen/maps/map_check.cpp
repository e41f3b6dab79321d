#include "map_check.h"

#include <deque>
#include <string>

#include "map_layout.h"
#include "map_text.h"

namespace contentgen::maps {

namespace {

const char* const charactorNames[] = {
    "FIGHTER",        "KNIGHT",          "ARCHER",           "SORCERESS",     "PRIESTESS", "SLIME",
    "SLIME_RED",      "SLIME_YELLOW",    "KOBOLD",           "FAIRY",         "SNAKE",     "OGRE",
    "SPIRIT_OF_FIRE", "SPIRIT_OF_WATER", "SPIRIT_OF_FOREST", "SPIRIT_OF_RAY", "DAEMON"};

std::string EnemyName(const CZoneInfo& zone, size_t i) {
  const int kind = static_cast<int>(zone.enemies[i].charactor);
  const char* name = kind >= 0 && kind < 17 ? charactorNames[kind] : "unknown kind";
  return Printf("enemy %zu (%s)", i, name);
}

struct SUnitCell {
  std::string who;
  SPoint grid;
  bool flying;
};

}  // namespace

void CheckStagePlacement(int stage, int width, int height, const std::vector<EMapObjectType>& terrain,
                         const CZoneInfo& zone) {
  auto fail = [stage](const std::string& what) { throw CMapLayoutError(Printf("stage %d: %s", stage, what.c_str())); };
  if (width < MIN_MAP_WIDTH || height < MIN_MAP_HEIGHT)
    fail(Printf("the map is %d x %d cells; it must be at least %d x %d to fill the screen", width, height,
                MIN_MAP_WIDTH, MIN_MAP_HEIGHT));
  if (terrain.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
    fail(Printf("the terrain has %zu cells, not %d x %d", terrain.size(), width, height));

  auto inside = [&](SPoint p) { return p.x >= 0 && p.y >= 0 && p.x < width && p.y < height; };
  auto at = [&](SPoint p) { return terrain[static_cast<size_t>(p.y * width + p.x)]; };

  std::vector<SUnitCell> units;
  for (size_t i = 0; i < zone.starts.size(); ++i) units.push_back({Printf("start %zu", i), zone.starts[i].grid, false});
  for (size_t i = 0; i < zone.enemies.size(); ++i)
    units.push_back({EnemyName(zone, i), zone.enemies[i].grid, IsFlyingCharactor(zone.enemies[i].charactor)});

  for (size_t i = 0; i < units.size(); ++i) {
    const SUnitCell& u = units[i];
    if (!inside(u.grid))
      fail(Printf("%s at cell (%d,%d) lies outside the %d x %d map", u.who.c_str(), u.grid.x, u.grid.y, width, height));
    const EMapObjectType type = at(u.grid);
    if (!IsEnterable(type, u.flying))
      fail(Printf("%s at cell (%d,%d) stands on %s ground, which it cannot enter", u.who.c_str(), u.grid.x, u.grid.y,
                  TerrainName(type)));
    for (size_t j = 0; j < i; ++j)
      if (units[j].grid == u.grid)
        fail(Printf("%s at cell (%d,%d) shares its cell with %s", u.who.c_str(), u.grid.x, u.grid.y,
                    units[j].who.c_str()));
  }

  // Walk from every start cell over ground a unit without wings can enter.
  std::vector<char> reached(terrain.size(), 0);
  std::deque<SPoint> open;
  for (const CStartInfo& start : zone.starts) {
    reached[static_cast<size_t>(start.grid.y * width + start.grid.x)] = 1;
    open.push_back(start.grid);
  }
  const SPoint steps[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  while (!open.empty()) {
    const SPoint p = open.front();
    open.pop_front();
    for (const SPoint& step : steps) {
      const SPoint q = p + step;
      if (!inside(q) || !IsEnterable(at(q), false)) continue;
      char& seen = reached[static_cast<size_t>(q.y * width + q.x)];
      if (seen) continue;
      seen = 1;
      open.push_back(q);
    }
  }
  for (size_t i = 0; i < zone.enemies.size(); ++i) {
    const SPoint g = zone.enemies[i].grid;
    bool reachable = reached[static_cast<size_t>(g.y * width + g.x)] != 0;
    for (const SPoint& step : steps) {
      const SPoint q = g + step;
      if (inside(q) && reached[static_cast<size_t>(q.y * width + q.x)]) reachable = true;
    }
    if (!reachable)
      fail(Printf("%s at cell (%d,%d) cannot be reached by walking from the party's start cells", EnemyName(zone, i).c_str(),
                  g.x, g.y));
  }
}

}  // namespace contentgen::maps

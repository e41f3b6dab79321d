#include "maps/map_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "maps/map_layout.h"

namespace contentgen::maps {
namespace {

constexpr auto P = EMapObjectType::PLAIN, B = EMapObjectType::BLOCKED, W = EMapObjectType::FLY_ONLY,
               R = EMapObjectType::ROUGH;

struct SField {
  int width = 20, height = 15;
  std::vector<EMapObjectType> terrain = std::vector<EMapObjectType>(20 * 15, P);
  CZoneInfo zone;

  SField() {
    zone.starts = {{{1, 1}, EDirection4::RIGHT}, {{1, 2}, EDirection4::RIGHT}};
    zone.enemies = {{ECharactor::SLIME, 0, {10, 5}, 12}, {ECharactor::FAIRY, 0, {15, 10}, 12}};
  }
  void Set(int x, int y, EMapObjectType type) { terrain[static_cast<size_t>(y * width + x)] = type; }
  // Surrounds a cell with a ring of one terrain type.
  void Ring(int x, int y, EMapObjectType type) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (dx != 0 || dy != 0) Set(x + dx, y + dy, type);
  }
  std::string Refusal() const {
    try {
      CheckStagePlacement(4, width, height, terrain, zone);
    } catch (const CMapLayoutError& e) {
      return e.what();
    }
    return "";
  }
};

TEST(MapCheckTest, AcceptsAFieldWhereEveryUnitCanPlay) {
  SField field;
  field.Set(10, 5, R);             // enemies may stand on rough ground
  field.Set(15, 10, W);            // the fairy hovers over water
  field.Set(14, 10, W);            // ... and the water beside it is no matter
  EXPECT_EQ(field.Refusal(), "");
}

TEST(MapCheckTest, RefusesEachBrokenRuleNamingStageCellAndRule) {
  struct SCase {
    const char* what;
    void (*change)(SField&);
    std::vector<std::string> expected;
  };
  const SCase cases[] = {
      {"too small", [](SField& f) { f.width = 19; f.terrain.resize(19 * 15, P); f.zone.enemies.pop_back(); },
       {"19 x 15", "at least 20 x 15"}},
      {"start on a wall", [](SField& f) { f.Set(1, 2, B); },
       {"start 1 at cell (1,2)", "BLOCKED", "cannot enter"}},
      {"start in water", [](SField& f) { f.Set(1, 1, W); }, {"start 0 at cell (1,1)", "FLY_ONLY"}},
      {"slime in water", [](SField& f) { f.Set(10, 5, W); },
       {"enemy 0 (SLIME) at cell (10,5)", "FLY_ONLY", "cannot enter"}},
      {"fairy in a wall", [](SField& f) { f.Set(15, 10, B); }, {"enemy 1 (FAIRY) at cell (15,10)", "BLOCKED"}},
      {"enemy off the map", [](SField& f) { f.zone.enemies[0].grid = {20, 3}; },
       {"enemy 0 (SLIME) at cell (20,3)", "outside the 20 x 15 map"}},
      {"two units on a cell", [](SField& f) { f.zone.enemies[1].grid = {1, 2}; },
       {"enemy 1 (FAIRY) at cell (1,2)", "shares its cell with start 1"}},
      {"two enemies on a cell", [](SField& f) { f.zone.enemies[1].grid = {10, 5}; },
       {"enemy 1 (FAIRY) at cell (10,5)", "shares its cell with enemy 0 (SLIME)"}},
      {"slime walled in", [](SField& f) { f.Ring(10, 5, B); },
       {"enemy 0 (SLIME) at cell (10,5)", "cannot be reached by walking"}},
      {"slime behind water", [](SField& f) { f.Ring(10, 5, W); }, {"enemy 0 (SLIME)", "cannot be reached"}},
      {"fairy in the middle of a lake", [](SField& f) { f.Set(15, 10, W); f.Ring(15, 10, W); },
       {"enemy 1 (FAIRY) at cell (15,10)", "cannot be reached by walking"}},
      {"party shut in", [](SField& f) { for (int y = 0; y < 15; ++y) f.Set(3, y, B); },
       {"enemy 0 (SLIME)", "cannot be reached"}},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.what);
    SField field;
    c.change(field);
    const std::string message = field.Refusal();
    ASSERT_FALSE(message.empty()) << "the field was accepted";
    EXPECT_EQ(message.rfind("stage 4: ", 0), 0u) << message;
    for (const std::string& part : c.expected) EXPECT_NE(message.find(part), std::string::npos) << message;
  }
}

TEST(MapCheckTest, AnEnemyNextToTheWalkableAreaIsReachable) {
  // The slime stands on a ledge cut off on three sides; one open side is enough.
  SField field;
  field.Ring(10, 5, B);
  field.Set(9, 5, P);
  EXPECT_EQ(field.Refusal(), "");
}

}  // namespace
}  // namespace contentgen::maps

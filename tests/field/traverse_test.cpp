#include "field/traverse.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "assets/temp_tree.h"
#include "battle/stage.h"
#include "field/geographical_features.h"
#include "field/text_map.h"
#include "field/unit.h"

namespace {

using D = EDirection4;

// A battle with a map drawn as text, one character per grid cell:
// '.' plain, ',' rough, '~' fly only, '#' wall.
class CTestStage : public CStage {
 public:
  explicit CTestStage(const std::vector<std::string>& rows) {
    tree.Write("map.csv", MapCsvFromRows(rows));
    map = std::make_unique<CGeographicalFeatures>(*this, 0u, 320.0, 240.0, 256, 32, "no/such/mapchip.png");
    map->LoadMapCsv(tree.Path("map.csv"));
  }

  CGeographicalFeatures* GetMap() const override { return map.get(); }
  std::vector<CUnit*> GetUnitsAt(SPoint grid) const override {
    std::vector<CUnit*> found;
    for (const auto& unit : units)
      if (unit->grid == grid) found.push_back(unit.get());
    return found;
  }

  CUnit& AddUnit(int team, SPoint grid) {
    units.push_back(std::make_unique<CUnit>());
    units.back()->team = team;
    units.back()->grid = grid;
    units.back()->hp = 10;
    return *units.back();
  }

  CTempTree tree{"traverse"};
  std::unique_ptr<CGeographicalFeatures> map;
  std::vector<std::unique_ptr<CUnit>> units;
};

int RestAt(const CTraverseInfo& info, SPoint p) {
  const CGridInfo* g = info.Find(p);
  return g ? g->rest : -1;
}

TEST(TraverseTest, ReachFollowsTerrainCosts) {
  CTestStage stage({
      ".,.~..",
      "..#...",
      "......",
  });
  // Move 0: the unit's own cell only, at any terrain.
  const CTraverseInfo still = GetTraverseInfo(stage, {1, 0}, 0, false, false, 0);
  ASSERT_EQ(still.grids.size(), 1u);
  EXPECT_EQ(still.grids[0].grid, SPoint(1, 0));
  EXPECT_EQ(still.grids[0].rest, 0);

  // Entering rough costs a walker 2 and a flyer 1.
  const CTraverseInfo walker = GetTraverseInfo(stage, {0, 0}, 3, false, false, 0);
  EXPECT_EQ(RestAt(walker, {0, 0}), 3);
  EXPECT_EQ(RestAt(walker, {1, 0}), 1);
  EXPECT_EQ(RestAt(walker, {2, 0}), 0);
  EXPECT_EQ(RestAt(walker, {1, 1}), 1);
  EXPECT_EQ(walker.Find({2, 1}), nullptr);  // wall
  // Fly-only cells stay closed to walkers, even with points to spare.
  const CTraverseInfo farWalker = GetTraverseInfo(stage, {0, 0}, 20, false, false, 0);
  EXPECT_EQ(farWalker.Find({3, 0}), nullptr);
  EXPECT_EQ(RestAt(farWalker, {4, 0}), 20 - 8);  // round by the bottom row
  EXPECT_EQ(farWalker.grids.size(), 16u);

  const CTraverseInfo flyer = GetTraverseInfo(stage, {0, 0}, 3, true, false, 0);
  EXPECT_EQ(RestAt(flyer, {1, 0}), 2);
  EXPECT_EQ(RestAt(flyer, {3, 0}), 0);

  // Starting on a wall or off the map reaches nothing.
  EXPECT_TRUE(GetTraverseInfo(stage, {2, 1}, 5, false, false, 0).grids.empty());
  EXPECT_TRUE(GetTraverseInfo(stage, {-1, 0}, 5, true, false, 0).grids.empty());
}

TEST(TraverseTest, ALongerCheaperWayReplacesTheFirstFound) {
  CTestStage stage({
      ".,,,.",
      ".....",
  });
  // Across the rough cells (4 steps) costs 7, round them (6 steps) only 6;
  // the search meets the dearer way first and must improve on it.
  const CTraverseInfo info = GetTraverseInfo(stage, {0, 0}, 8, false, false, 0);
  EXPECT_EQ(RestAt(info, {4, 0}), 2);
  EXPECT_EQ(info.grids.size(), 10u);
  // Cells are listed in the order they were first reached.
  EXPECT_EQ(info.grids[0].grid, SPoint(0, 0));
  EXPECT_EQ(info.grids[1].grid, SPoint(1, 0));
  EXPECT_EQ(info.grids[2].grid, SPoint(0, 1));
}

TEST(TraverseTest, ALoneUnitOfTheOtherSideBlocks) {
  CTestStage stage({"....."});
  CUnit& enemy = stage.AddUnit(1, {2, 0});
  // The party's side cannot pass a lone enemy...
  EXPECT_EQ(GetTraverseInfo(stage, {0, 0}, 4, false, true, 0).Find({3, 0}), nullptr);
  EXPECT_EQ(GetTraverseInfo(stage, {0, 0}, 4, false, true, 0).Find({2, 0}), nullptr);
  // ...unless blocking is off, and its own side passes through it.
  EXPECT_EQ(RestAt(GetTraverseInfo(stage, {0, 0}, 4, false, false, 0), {3, 0}), 1);
  EXPECT_EQ(RestAt(GetTraverseInfo(stage, {0, 0}, 4, false, true, 1), {3, 0}), 1);
  // A fallen party unit still stands in the enemy's way.
  enemy.team = 0;
  enemy.hp = 0;
  EXPECT_EQ(GetTraverseInfo(stage, {0, 0}, 4, false, true, 1).Find({3, 0}), nullptr);
  // Two units on one cell do not block it.
  stage.AddUnit(1, {2, 0});
  EXPECT_EQ(RestAt(GetTraverseInfo(stage, {0, 0}, 4, false, true, 1), {3, 0}), 1);
  EXPECT_EQ(RestAt(GetTraverseInfo(stage, {0, 0}, 4, false, true, 0), {3, 0}), 1);
}

TEST(TraverseTest, RoutesPreferUpThenRightThenDownThenLeft) {
  CTestStage stage({
      "........",
      "........",
      "........",
      "........",
      "........",
      "........",
      "........",
  });
  const CTraverseInfo info = GetTraverseInfo(stage, {3, 3}, 6, false, false, 0);
  // At (5,5) the cells above and to the left are equally good: the route
  // comes down from (5,4).
  const std::vector<D> route = GetRouteByTraverseInfo({3, 3}, info, {5, 5});
  EXPECT_EQ(route, (std::vector<D>{D::RIGHT, D::RIGHT, D::DOWN, D::DOWN}));
  EXPECT_EQ(GetRouteCost(route, {3, 3}, false, stage), 4);
  EXPECT_EQ(GetRouteByTraverseInfo({3, 3}, info, {1, 1}), (std::vector<D>{D::UP, D::UP, D::LEFT, D::LEFT}));
  EXPECT_TRUE(GetRouteByTraverseInfo({3, 3}, info, {3, 3}).empty());
  // Out of reach, or a reach worked out from another cell: an error, not an endless walk.
  EXPECT_THROW(GetRouteByTraverseInfo({3, 3}, info, {7, 6}), std::runtime_error);
  EXPECT_THROW(GetRouteByTraverseInfo({0, 0}, info, {5, 5}), std::runtime_error);
}

TEST(TraverseTest, RouteCostCountsEveryCellEntered) {
  CTestStage stage({
      ".,.",
      "...",
  });
  const CTraverseInfo info = GetTraverseInfo(stage, {0, 0}, 4, false, false, 0);
  // Through the rough cell (3 points) beats going round below (4 points).
  const std::vector<D> route = GetRouteByTraverseInfo({0, 0}, info, {2, 0});
  EXPECT_EQ(route, (std::vector<D>{D::RIGHT, D::RIGHT}));
  EXPECT_EQ(GetRouteCost(route, {0, 0}, false, stage), 3);
  EXPECT_EQ(GetRouteCost({D::DOWN, D::RIGHT, D::RIGHT, D::UP}, {0, 0}, false, stage), 4);
  EXPECT_EQ(GetRouteCost({D::RIGHT, D::RIGHT}, {0, 0}, true, stage), 2);
}

TEST(TraverseTest, TrimmedRouteStopsAtTheLastFreeCellItCanPayFor) {
  CTestStage stage({"..,..."});
  const std::vector<D> route{D::RIGHT, D::RIGHT, D::RIGHT, D::RIGHT};
  EXPECT_EQ(GetRouteCost(route, {0, 0}, false, stage), 5);
  EXPECT_EQ(TrimRouteToMove(route, {0, 0}, 9, false, stage), SPoint(4, 0));
  // (3,0) would make 4 points: the unit stops on the rough cell.
  EXPECT_EQ(TrimRouteToMove(route, {0, 0}, 3, false, stage), SPoint(2, 0));
  EXPECT_EQ(TrimRouteToMove(route, {0, 0}, 3, true, stage), SPoint(3, 0));
  stage.AddUnit(0, {2, 0});
  EXPECT_EQ(TrimRouteToMove(route, {0, 0}, 3, false, stage), SPoint(1, 0));
  stage.AddUnit(1, {1, 0});
  EXPECT_EQ(TrimRouteToMove(route, {0, 0}, 3, false, stage), SPoint(0, 0));
  EXPECT_EQ(TrimRouteToMove(route, {0, 0}, 0, false, stage), SPoint(0, 0));
}

TEST(TraverseTest, RangeRingsComeNearestFirstWithoutWalls) {
  CTestStage stage({
      ".........",
      ".........",
      "...#.....",
      ".........",
      ".........",
      ".........",
      ".........",
      ".........",
      ".........",
  });
  CUnit unit;
  unit.grid = {2, 2};
  using P = SPoint;
  EXPECT_EQ(GetGridsInRange(unit, stage, 0, 1), (std::vector<P>{{2, 2}, {2, 3}, {2, 1}, {1, 2}}));
  unit.grid = {4, 4};
  EXPECT_EQ(GetGridsInRange(unit, stage, 2, 2),
            (std::vector<P>{{4, 6}, {4, 2}, {5, 5}, {3, 5}, {5, 3}, {3, 3}, {6, 4}, {2, 4}}));
  EXPECT_EQ(GetGridsInRange(unit, stage, 1, 3).size(), 4u + 8u + 11u);  // the wall is 3 away
  EXPECT_TRUE(GetGridsInRange(unit, stage, 3, 2).empty());
  unit.grid = {0, 0};
  EXPECT_EQ(GetGridsInRange(unit, stage, 1, 1), (std::vector<P>{{0, 1}, {1, 0}}));
}

TEST(TraverseTest, HighlightsAreQueuedUnderTheUnitsOnTheirCells) {
  CTestStage stage({"...."});
  stage.map->camera = SPointD(330.0, 250.0);
  DrawGridHighlights(stage, GetTraverseInfo(stage, {0, 0}, 1, false, false, 0), EGridHighlight::MOVE);
  const auto& entries = stage.GetDrawQueue().GetEntries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].position, SPointD(32 + 16 - 10, 16 - 10));
  EXPECT_EQ(entries[1].priority, 3000);
  EXPECT_EQ(entries[1].data.width, 34);
  EXPECT_DOUBLE_EQ(entries[1].data.GetAlpha(), 200.0);
  EXPECT_STREQ(GridHighlightImage(EGridHighlight::ATTACK), "ui_parts/move_grid_red.png");
}

TEST(TraverseTest, SearchesOnAStageWithoutAMapFail) {
  CStage stage;
  EXPECT_THROW(GetTraverseInfo(stage, {0, 0}, 3, false, false, 0), std::runtime_error);
}

}  // namespace

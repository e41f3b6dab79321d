#include "field/terrain.h"

#include <gtest/gtest.h>

namespace {

TEST(TerrainTest, CostAndEntryFollowTheTerrainTable) {
  struct SRow {
    EMapObjectType type;
    int walkingCost, flyingCost;
    bool walkerEnters, flyerEnters;
  };
  const SRow rows[] = {
      {EMapObjectType::BLOCKED, 100, 100, false, false},
      {EMapObjectType::PLAIN, 1, 1, true, true},
      {EMapObjectType::ROUGH, 2, 1, true, true},
      {EMapObjectType::FLY_ONLY, 1, 1, false, true},
  };
  for (const SRow& row : rows) {
    SCOPED_TRACE(TerrainName(row.type));
    EXPECT_EQ(TerrainCost(row.type, false), row.walkingCost);
    EXPECT_EQ(TerrainCost(row.type, true), row.flyingCost);
    EXPECT_EQ(IsEnterable(row.type, false), row.walkerEnters);
    EXPECT_EQ(IsEnterable(row.type, true), row.flyerEnters);
    // The map files mark cells with these chips; reading one back gives the type again.
    EXPECT_EQ(TerrainFromCode(TerrainMarkerChip(row.type)), row.type);
  }
}

TEST(TerrainTest, TerrainCodesOfTheMapFiles) {
  EXPECT_EQ(TerrainFromCode(0), EMapObjectType::BLOCKED);
  EXPECT_EQ(TerrainFromCode(256), EMapObjectType::BLOCKED);
  EXPECT_EQ(TerrainFromCode(1), EMapObjectType::PLAIN);
  EXPECT_EQ(TerrainFromCode(258), EMapObjectType::PLAIN);
  EXPECT_EQ(TerrainFromCode(2), EMapObjectType::ROUGH);
  EXPECT_EQ(TerrainFromCode(768), EMapObjectType::ROUGH);
  EXPECT_EQ(TerrainFromCode(3), EMapObjectType::FLY_ONLY);
  EXPECT_EQ(TerrainFromCode(770), EMapObjectType::FLY_ONLY);
  // 255 leaves the cell without a grid object; any other code is a blocked cell.
  EXPECT_EQ(TerrainFromCode(255), std::nullopt);
  EXPECT_EQ(TerrainFromCode(5), EMapObjectType::BLOCKED);
  EXPECT_EQ(TerrainFromCode(-1), EMapObjectType::BLOCKED);
  EXPECT_EQ(TerrainFromCode(257), EMapObjectType::BLOCKED);
}

}  // namespace

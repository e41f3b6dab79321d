#include "field/stage_data.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>

namespace {

bool HasTwoRanksOnly(ECharactor c) {
  return c == ECharactor::SNAKE || c == ECharactor::SPIRIT_OF_FIRE || c == ECharactor::SPIRIT_OF_WATER ||
         c == ECharactor::SPIRIT_OF_RAY;
}

TEST(StageDataTest, EveryStageKeepsTheTableInvariants) {
  const int areaGridGrey[] = {40, 150, 180};
  int previousReward = 0;
  for (int stage = 0; stage < STAGE_COUNT; ++stage) {
    SCOPED_TRACE("stage " + std::to_string(stage));
    const SStageInfo& info = GetStageInfo(stage);
    const CZoneInfo zone = GetStageData(stage);
    char path[32];
    std::snprintf(path, sizeof path, "dat/map/map%02d.csv", stage);

    EXPECT_FALSE(zone.name.empty());
    EXPECT_EQ(zone.name, info.name);
    EXPECT_EQ(zone.csvPath, path);
    EXPECT_EQ(std::string(info.csvPath), path);
    EXPECT_EQ(zone.mapchipPath, "dat/image/mapchip/mapchip.png");
    EXPECT_STREQ(info.extraText, "");
    // Each area ends with its hardest map, worth the value 2.
    EXPECT_EQ(info.value, stage % 3 == 2 ? 2 : 1);
    EXPECT_GT(info.reward, previousReward);
    previousReward = info.reward;
    const int grey = areaGridGrey[stage / 3];
    EXPECT_EQ(info.gridLineR, grey);
    EXPECT_EQ(info.gridLineG, grey);
    EXPECT_EQ(info.gridLineB, grey);
    // Every unit the player may send has a start cell: surplus units would be left out.
    EXPECT_EQ(static_cast<int>(zone.starts.size()), info.maxUnits);
    EXPECT_FALSE(zone.enemies.empty());

    std::set<std::pair<int, int>> cells;
    for (const CStartInfo& start : zone.starts) {
      EXPECT_GE(start.grid.x, 0);
      EXPECT_GE(start.grid.y, 0);
      EXPECT_TRUE(cells.insert({start.grid.x, start.grid.y}).second) << "start cell used twice";
    }
    for (const CEnemyInfo& enemy : zone.enemies) {
      const std::string where = "enemy at " + std::to_string(enemy.grid.x) + "," + std::to_string(enemy.grid.y);
      EXPECT_GE(static_cast<int>(enemy.charactor), static_cast<int>(ECharactor::SLIME)) << where << " is a player class";
      EXPECT_LE(static_cast<int>(enemy.charactor), static_cast<int>(ECharactor::DAEMON)) << where;
      // A rank without a parameter set would make a unit that is dead from the start.
      EXPECT_GE(enemy.rank, 0) << where;
      EXPECT_LE(enemy.rank, HasTwoRanksOnly(enemy.charactor) ? 1 : 2) << where;
      EXPECT_GT(enemy.searchRange, 0) << where;
      EXPECT_TRUE(enemy.weapon >= 0 && enemy.weapon <= 7 && enemy.weapon != 4) << where << " has weapon " << enemy.weapon;
      EXPECT_GE(enemy.grid.x, 0) << where;
      EXPECT_GE(enemy.grid.y, 0) << where;
      EXPECT_TRUE(cells.insert({enemy.grid.x, enemy.grid.y}).second) << where << " shares its cell";
    }
  }
}

TEST(StageDataTest, EachRequestBuildsAFreshDescription) {
  CZoneInfo first = GetStageData(4);
  const size_t enemies = first.enemies.size();
  first.enemies.clear();
  first.starts.clear();
  first.name = "changed";
  const CZoneInfo second = GetStageData(4);
  EXPECT_EQ(second.enemies.size(), enemies);
  EXPECT_EQ(second.starts.size(), 5u);
  EXPECT_EQ(second.name, GetStageInfo(4).name);
  // The lists keep their order: the i-th sortie unit takes the i-th start.
  EXPECT_EQ(second.starts[2].grid, SPoint(13, 28));
  EXPECT_EQ(second.starts[2].direction, EDirection4::LEFT);
  EXPECT_EQ(second.enemies[7].charactor, ECharactor::OGRE);
  EXPECT_EQ(second.enemies[7].weapon, 2);
}

TEST(StageDataTest, AStageOutsideZeroToEightIsAClearError) {
  for (int stage : {-1, 9, 100}) {
    try {
      GetStageData(stage);
      ADD_FAILURE() << "stage " << stage << " was accepted";
    } catch (const CNoSuchStageError& e) {
      EXPECT_NE(std::string(e.what()).find("stage " + std::to_string(stage)), std::string::npos) << e.what();
    }
    EXPECT_THROW(GetStageInfo(stage), std::runtime_error);
  }
}

}  // namespace

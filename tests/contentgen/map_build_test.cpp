#include "maps/map_build.h"

#include <gtest/gtest.h>

#include <string>

namespace contentgen::maps {
namespace {

const CChipSheet& Sheet() {
  static const CChipSheet sheet;
  return sheet;
}

SMapLayout Layout(const std::string& rows) {
  return ParseMapLayout(
      "[legend]\n"
      ".  grass       plain\n"
      "~  water       fly-only\n"
      "=  bridge      plain\n"
      "#  cliff       blocked\n"
      "T  tree        blocked\n"
      "\"  tall grass  rough\n"
      "[map]\n" +
          rows,
      0);
}

// The four layer-0 chips of a cell, quarters in reading order.
std::array<int, 4> Ground(const SMapChips& map, int x, int y) {
  return {map.Layer(0, 2 * x, 2 * y), map.Layer(0, 2 * x + 1, 2 * y), map.Layer(0, 2 * x, 2 * y + 1),
          map.Layer(0, 2 * x + 1, 2 * y + 1)};
}

std::array<int, 4> Water(EEdgeShape a, EEdgeShape b, EEdgeShape c, EEdgeShape d) {
  return {Sheet().EdgeChip(EGround::WATER, a, 0), Sheet().EdgeChip(EGround::WATER, b, 1),
          Sheet().EdgeChip(EGround::WATER, c, 2), Sheet().EdgeChip(EGround::WATER, d, 3)};
}

TEST(MapBuildTest, EdgeShapeComesFromTheThreeNeighboursOfAQuarter) {
  EXPECT_EQ(EdgeShapeOf(true, true, true), EEdgeShape::FULL);
  EXPECT_EQ(EdgeShapeOf(true, true, false), EEdgeShape::INNER);
  EXPECT_EQ(EdgeShapeOf(false, true, true), EEdgeShape::EDGE_V);
  EXPECT_EQ(EdgeShapeOf(true, false, false), EEdgeShape::EDGE_H);
  EXPECT_EQ(EdgeShapeOf(false, false, true), EEdgeShape::OUTER);
}

TEST(MapBuildTest, WaterGetsEdgesAndCornersTowardsOtherGround) {
  using enum EEdgeShape;
  const SMapChips map = BuildMapChips(Layout(
                                          ".....\n"
                                          ".~~~.\n"
                                          ".~~~.\n"
                                          ".~~..\n"
                                          ".....\n"
                                          "..~..\n"),
                                      Sheet());
  EXPECT_EQ(Ground(map, 1, 1), Water(OUTER, EDGE_V, EDGE_H, FULL));
  EXPECT_EQ(Ground(map, 2, 1), Water(EDGE_V, EDGE_V, FULL, FULL));
  EXPECT_EQ(Ground(map, 2, 2), Water(FULL, FULL, FULL, INNER));
  EXPECT_EQ(Ground(map, 3, 2), Water(FULL, EDGE_H, EDGE_V, OUTER));
  EXPECT_EQ(Ground(map, 2, 3), Water(FULL, EDGE_H, EDGE_V, OUTER));
  EXPECT_EQ(Ground(map, 2, 5), Water(OUTER, OUTER, EDGE_H, EDGE_H)) << "water carries on past the map edge";
  for (int q = 0; q < 4; ++q) EXPECT_NE(Ground(map, 0, 0)[static_cast<size_t>(q)], NO_CHIP);
}

TEST(MapBuildTest, WallsShowTheirFaceWhereOpenGroundLiesSouth) {
  const SMapChips map = BuildMapChips(Layout(
                                          ".....\n"
                                          ".###.\n"
                                          ".#...\n"
                                          ".....\n"),
                                      Sheet());
  const CChipSheet& sheet = Sheet();
  auto face = [&](bool northOpen, EFaceSide west, EFaceSide east) {
    return std::array<int, 4>{sheet.WallFaceChip(EGround::CLIFF, northOpen, west, 0),
                              sheet.WallFaceChip(EGround::CLIFF, northOpen, east, 1),
                              sheet.WallFaceChip(EGround::CLIFF, northOpen, west, 2),
                              sheet.WallFaceChip(EGround::CLIFF, northOpen, east, 3)};
  };
  // (1,1) goes on south into (1,2): its top, edged on the north and west.
  EXPECT_EQ(Ground(map, 1, 1), (std::array<int, 4>{sheet.WallTopChip(EGround::CLIFF, EEdgeShape::OUTER, 0),
                                                   sheet.WallTopChip(EGround::CLIFF, EEdgeShape::EDGE_V, 1),
                                                   sheet.WallTopChip(EGround::CLIFF, EEdgeShape::EDGE_H, 2),
                                                   sheet.WallTopChip(EGround::CLIFF, EEdgeShape::FULL, 3)}));
  EXPECT_EQ(Ground(map, 2, 1), face(true, EFaceSide::MEETS_WALL, EFaceSide::CONTINUES));
  EXPECT_EQ(Ground(map, 3, 1), face(true, EFaceSide::CONTINUES, EFaceSide::ENDS));
  EXPECT_EQ(Ground(map, 1, 2), face(false, EFaceSide::ENDS, EFaceSide::ENDS));
}

TEST(MapBuildTest, EveryChipOfACellCarriesTheCellsTerrainMarker) {
  const SMapChips map = BuildMapChips(Layout(".~#\"T=\n"), Sheet());
  const int expected[] = {258, 770, 256, 768, 256, 258};
  for (int x = 0; x < 6; ++x)
    for (int q = 0; q < 4; ++q) EXPECT_EQ(map.Terrain(2 * x + (q & 1), q >> 1), expected[x]) << "cell " << x;
}

TEST(MapBuildTest, BridgesRunAlongTheCrossing) {
  const CChipSheet& sheet = Sheet();
  auto layer1 = [](const SMapChips& map, int x, int y) {
    return std::array<int, 4>{map.Layer(1, 2 * x, 2 * y), map.Layer(1, 2 * x + 1, 2 * y), map.Layer(1, 2 * x, 2 * y + 1),
                              map.Layer(1, 2 * x + 1, 2 * y + 1)};
  };
  const std::array<int, 4> eastWest = sheet.Decoration(EDecoration::BRIDGE, EGround::WATER, 0, true).layer1;
  const std::array<int, 4> northSouth = sheet.Decoration(EDecoration::BRIDGE, EGround::WATER, 0, false).layer1;
  ASSERT_NE(eastWest, northSouth);
  // One bridge cell over a river that flows south: land east and west.
  EXPECT_EQ(layer1(BuildMapChips(Layout("..~..\n..=..\n..~..\n"), sheet), 2, 1), eastWest);
  // A bridge of three cells over a river that flows east.
  const SMapChips across = BuildMapChips(Layout("..~..\n~~=~~\n~~=~~\n~~=~~\n..~..\n"), sheet);
  for (int y = 1; y <= 3; ++y) EXPECT_EQ(layer1(across, 2, y), northSouth) << "row " << y;
}

TEST(MapBuildTest, TreeTopsRiseAboveTheGround) {
  const SMapChips map = BuildMapChips(Layout(".T.\n"), Sheet());
  int crown = 0, trunk = 0;
  for (int q = 0; q < 4; ++q) {
    crown += map.Layer(2, 2 + (q & 1), q >> 1) != NO_CHIP;
    trunk += map.Layer(1, 2 + (q & 1), q >> 1) != NO_CHIP;
  }
  EXPECT_EQ(crown, 4);
  EXPECT_GE(trunk, 2);
  for (int column : {0, 1, 4, 5}) EXPECT_EQ(map.Layer(2, column, 0), NO_CHIP);
}

}  // namespace
}  // namespace contentgen::maps

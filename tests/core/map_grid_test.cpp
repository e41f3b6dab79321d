#include "core/map_grid.h"

#include <gtest/gtest.h>

namespace {

TEST(MapGridTest, CellCentresAndTheCellsOfPixels) {
  EXPECT_EQ(GridToPixel({0, 0}), SPointD(16, 16));
  EXPECT_EQ(GridToPixel({2, 3}), SPointD(80, 112));
  EXPECT_EQ(GridToPixel({-1, 0}), SPointD(-16, 16));

  // Floor, not truncation: pixel 0 is cell 0 and the pixels just left of or
  // above the map are cell -1 (truncating would fold -31..31 into cell 0).
  struct Case {
    SPointD pixel;
    SPoint cell;
  };
  for (const Case& c : {Case{{0, 31.9}, {0, 0}}, Case{{32, 64}, {1, 2}}, Case{{-0.5, -32}, {-1, -1}},
                        Case{{-32.5, 95.99}, {-2, 2}}}) {
    EXPECT_EQ(PixelToGrid(c.pixel), c.cell) << c.pixel.x << "," << c.pixel.y;
  }
}

}  // namespace

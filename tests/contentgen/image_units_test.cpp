#include "images/units.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>

#include "images/canvas.h"
#include "images/palette.h"

namespace contentgen {
namespace {

int CoveredCount(const CCanvas& c) {
  int n = 0;
  for (const SColor& p : c.Pixels()) n += p.a >= 128;
  return n;
}

bool Dark(SColor c) { return c.r + c.g + c.b < 3 * 64; }

TEST(UnitSheetTest, EverySheetIsLaidOutAndAnimatedAsTheGameCutsIt) {
  ASSERT_EQ(UnitSheetNames().size(), 17u);
  EXPECT_EQ(UnitSheetNames()[2], "sorcerer.png") << "the archer's sheet keeps the name 'sorcerer'";
  for (const std::string& name : UnitSheetNames()) {
    SCOPED_TRACE(name);
    const CCanvas sheet = DrawUnitSheet(name);
    ASSERT_EQ(sheet.Width(), 96);
    ASSERT_EQ(sheet.Height(), 128);
    CCanvas cells[4][3];
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 3; ++col) {
        cells[row][col] = sheet.Crop(col * 32, row * 32, 32, 32);
        const CCanvas& cell = cells[row][col];
        // Enough body to be seen, and room for the outline all round: only
        // outline may sit on the cell's edge, or the outline would be cut.
        EXPECT_GT(CoveredCount(cell), 120) << row << "," << col;
        for (int i = 0; i < 32; ++i)
          for (const auto& [x, y] : {std::pair{i, 0}, std::pair{i, 31}, std::pair{0, i}, std::pair{31, i}})
            EXPECT_TRUE(!cell.Covered(x, y) || cell.At(x, y) == pal::kOutline)
                << "art on the cell edge at row " << row << " col " << col << " (" << x << "," << y << ")";
      }
    for (int row = 0; row < 4; ++row) {
      // A walk: the three frames differ from one another.
      EXPECT_NE(cells[row][0].Pixels(), cells[row][1].Pixels()) << "row " << row;
      EXPECT_NE(cells[row][1].Pixels(), cells[row][2].Pixels()) << "row " << row;
    }
    // Each facing is its own picture, and left is right seen in a mirror.
    EXPECT_NE(cells[0][1].Pixels(), cells[2][1].Pixels()) << "up and down";
    EXPECT_NE(cells[1][1].Pixels(), cells[2][1].Pixels()) << "right and down";
    for (int col = 0; col < 3; ++col) EXPECT_EQ(cells[3][col].Pixels(), cells[1][col].FlippedX().Pixels());
  }
}

// Units must stand out on every ground: the silhouette's edge is dark.
TEST(UnitSheetTest, EverySilhouetteHasAOnePixelDarkOutline) {
  for (const std::string& name : UnitSheetNames()) {
    SCOPED_TRACE(name);
    const CCanvas sheet = DrawUnitSheet(name);
    int edges = 0, darkEdges = 0;
    for (int y = 0; y < sheet.Height(); ++y)
      for (int x = 0; x < sheet.Width(); ++x) {
        if (!sheet.Covered(x, y)) continue;
        const bool edge = !sheet.Covered(x - 1, y) || !sheet.Covered(x + 1, y) || !sheet.Covered(x, y - 1) ||
                          !sheet.Covered(x, y + 1);
        if (!edge) continue;
        ++edges;
        darkEdges += sheet.At(x, y) == pal::kOutline;
      }
    EXPECT_GT(edges, 0);
    EXPECT_EQ(darkEdges, edges);
    EXPECT_TRUE(Dark(pal::kOutline));
  }
}

TEST(UnitSheetTest, UnknownKindsAndFramesAreRefused) {
  EXPECT_THROW(DrawUnitSheet("archer.png"), std::runtime_error);
  EXPECT_THROW(DrawUnitFrame("knight.png", EFacing::Down, 3), std::runtime_error);
  EXPECT_THROW(DrawUnitFrame("knight.png", EFacing::Down, -1), std::runtime_error);
}

}  // namespace
}  // namespace contentgen

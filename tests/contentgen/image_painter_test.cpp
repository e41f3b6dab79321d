#include "images/painter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "images/sprite_kit.h"

namespace contentgen {
namespace {

const SColor kWhite{255, 255, 255, 255};
const SColor kBlack{0, 0, 0, 255};

int Count(const CCanvas& c, SColor color) {
  int n = 0;
  for (const SColor& p : c.Pixels()) n += p == color;
  return n;
}

TEST(PainterTest, ShapesCoverThePixelsWhoseCentresTheyContain) {
  CPainter p(8, 8, 4);
  p.FillRect(1, 1, 3, 2, SColor{0, 0, 255, 255});
  p.FillPolygon({{5, 5}, {8, 5}, {8, 8}, {5, 8}}, SColor{255, 0, 0, 255});
  const CCanvas c = p.Resolve(true);
  EXPECT_EQ(Count(c, SColor{0, 0, 255, 255}), 6);
  EXPECT_EQ(Count(c, SColor{255, 0, 0, 255}), 9);
  EXPECT_FALSE(c.Covered(0, 0));
  EXPECT_FALSE(c.Covered(4, 1));
}

TEST(PainterTest, OverlappingPartsOfOnePolygonStayFilled) {
  // A pentagram crosses itself: with non-zero winding its middle is filled.
  std::vector<SPt> star;
  for (int i = 0; i < 5; ++i) star.push_back(Polar({16, 16}, 14, i * 144.0));
  CPainter p(32, 32, 1);
  p.FillPolygon(star, kWhite);
  const CCanvas c = p.Resolve(true);
  EXPECT_TRUE(c.Covered(16, 16));
  EXPECT_TRUE(c.Covered(16, 5));
  EXPECT_FALSE(c.Covered(2, 2));
}

TEST(PainterTest, SoftEdgesAverageWhileHardEdgesCutAtHalfCoverage) {
  CPainter p(2, 1, 4);
  p.FillRect(0, 0, 1.25, 1, kWhite);
  const CCanvas soft = p.Resolve(false), hard = p.Resolve(true);
  EXPECT_EQ(soft.At(0, 0).a, 255);
  EXPECT_EQ(soft.At(1, 0).a, 64);
  EXPECT_TRUE(hard.Covered(0, 0));
  EXPECT_FALSE(hard.Covered(1, 0));
}

TEST(PainterTest, EllipsesTurnAndLinesHaveTheirWidth) {
  CPainter p(40, 40, 1);
  p.FillEllipse({20, 20}, 12, 3, kWhite, 90);  // turned upright
  const CCanvas e = p.Resolve(true);
  EXPECT_TRUE(e.Covered(20, 9));
  EXPECT_FALSE(e.Covered(9, 20));
  CPainter l(20, 20, 1);
  l.StrokeLine({2.5, 10.5}, {17.5, 10.5}, 3, kWhite);
  const CCanvas line = l.Resolve(true);
  for (int x = 3; x <= 17; ++x) {
    EXPECT_TRUE(line.Covered(x, 9) && line.Covered(x, 10) && line.Covered(x, 11)) << x;
    EXPECT_FALSE(line.Covered(x, 8) || line.Covered(x, 12)) << x;
  }
}

// The outline band is found by a distance transform; it must agree with a
// plain search over the neighbourhood for an irregular shape.
TEST(PainterTest, OutlineBandMatchesABruteForceSearch) {
  const int size = 48;
  CPainter p(size, size, 1);
  p.FillPolygon({{8, 10}, {30, 6}, {40, 30}, {22, 22}, {12, 40}}, kWhite);
  p.FillCircle({34, 38}, 4, kWhite);
  const CCanvas before = p.Resolve(true);
  const double width = 2.5;
  p.Outline(width, kBlack);
  const CCanvas after = p.Resolve(true);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      if (before.Covered(x, y)) {
        EXPECT_EQ(after.At(x, y), kWhite) << x << "," << y;
        continue;
      }
      bool near = false;
      for (int v = 0; v < size && !near; ++v)
        for (int u = 0; u < size && !near; ++u)
          near = before.Covered(u, v) && std::hypot(u - x, v - y) <= width;
      EXPECT_EQ(after.Covered(x, y), near) << x << "," << y;
      if (near) {
        EXPECT_EQ(after.At(x, y), kBlack) << x << "," << y;
      }
    }
}

TEST(PainterTest, LockedAlphaShadesInsideAShapeOnly) {
  CPainter p(10, 10, 1);
  p.FillRect(2, 2, 4, 4, kWhite);
  p.SetLockAlpha(true);
  p.FillAll(SColor{0, 0, 255, 255});
  p.SetLockAlpha(false);
  const CCanvas c = p.Resolve(true);
  EXPECT_EQ(Count(c, SColor{0, 0, 255, 255}), 16);
  EXPECT_FALSE(c.Covered(0, 0));
}

TEST(PainterTest, GradientsRunBetweenTheirEndsAndClampBeyond) {
  const Shader g = LinearGradient({0, 0}, {10, 0}, kBlack, kWhite);
  EXPECT_EQ(g(-5, 3), kBlack);
  EXPECT_EQ(g(15, 3), kWhite);
  EXPECT_EQ(g(5, 3).r, 128);
  const Shader r = RadialGradient({0, 0}, 10, kWhite, kBlack);
  EXPECT_EQ(r(0, 0), kWhite);
  EXPECT_EQ(r(30, 0), kBlack);
}

TEST(PainterTest, LayersAndGlowBlendByTheirAlpha) {
  CPainter base(4, 1, 1, kBlack);
  CPainter top(4, 1, 1);
  top.FillRect(0, 0, 2, 1, kWhite);
  base.DrawLayer(top, 0.5);
  const CCanvas c = base.Resolve(false);
  EXPECT_NEAR(c.At(0, 0).r, 128, 1);
  EXPECT_EQ(c.At(3, 0), kBlack);

  CPainter glow(20, 1, 1);
  glow.FillRect(0, 0, 1, 1, kWhite);
  glow.Glow(10, SColor{255, 255, 0, 255});
  const CCanvas g = glow.Resolve(false);
  for (int x = 2; x < 11; ++x) EXPECT_GE(g.At(x - 1, 0).a, g.At(x, 0).a) << "fades with distance at " << x;
  EXPECT_EQ(g.At(12, 0).a, 0);
}

TEST(SpriteKitTest, BallsAreLitFromTheUpperLeft) {
  const SRamp ramp = MakeRamp(SColor{100, 150, 200, 255});
  const Shader ball = BallShade({10, 10}, 8, 8, ramp);
  EXPECT_EQ(ball(5, 5), ramp.hi);
  EXPECT_EQ(ball(16, 16), ramp.dark);
  const Shader column = ColumnShade(0, 10, ramp);
  EXPECT_EQ(column(0.5, 0), ramp.hi);
  EXPECT_EQ(column(9.5, 0), ramp.dark);
  EXPECT_EQ(Hash01(3, 4, 5), Hash01(3, 4, 5));
  EXPECT_NE(Hash01(3, 4, 5), Hash01(4, 3, 5));
}

}  // namespace
}  // namespace contentgen

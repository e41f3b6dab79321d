#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "image_extent.h"
#include "images/artwork.h"

namespace contentgen {
namespace {


// The game centres a weapon `reach` pixels in front of its attacker and
// turns it with the attacker, so the picture shows an attacker facing up
// whose centre lies `reach` pixels below the picture's centre.
TEST(WeaponTest, SwingsAreDrawnInFrontOfAnAttackerFacingUp) {
  struct SKind {
    const char* name;
    int patterns, reach;
  };
  for (const SKind& k : {SKind{"knife", 4, 17}, SKind{"long_sword", 4, 23}, SKind{"large_sword", 5, 23}, SKind{"spier", 4, 26}}) {
    CCanvas previous;
    for (int i = 0; i < k.patterns; ++i) {
      SCOPED_TRACE(std::string(k.name) + " pattern " + std::to_string(i));
      const CCanvas c = DrawSwing(k.name, i);
      ASSERT_EQ(c.Width(), 96);
      ASSERT_EQ(c.Height(), 64);
      const SExtent e = Extent(c);
      ASSERT_GT(e.count, 20);
      EXPECT_LT(e.cy, 32 + k.reach) << "the weapon is behind its attacker";
      if (i > 0) {
        EXPECT_NE(c.Pixels(), previous.Pixels());
      }
      previous = c;
    }
    EXPECT_THROW(DrawSwing(k.name, k.patterns), std::runtime_error);
  }
  EXPECT_THROW(DrawSwing("axe", 0), std::runtime_error);
}

TEST(WeaponTest, TheBladesReachTheCellInFront) {
  // The attacked cell's centre is 32 pixels above the attacker.
  EXPECT_LE(Extent(DrawSwing("spier", 2)).top, 58 - 32) << "the thrust";
  EXPECT_GT(Extent(DrawSwing("spier", 1)).top, Extent(DrawSwing("spier", 2)).top + 20) << "drawn back before it";
  EXPECT_LE(Extent(DrawSwing("long_sword", 3)).top, 55 - 32 + 6);
  // The large sword's sweep covers the cells beside the target as well.
  const SExtent sweep = Extent(DrawSwing("large_sword", 3));
  EXPECT_LE(sweep.left, 48 - 24);
  EXPECT_GE(sweep.right, 48 + 24);
}

TEST(WeaponTest, RodBowAndArrowAreDrawnForAShotUpward) {
  CCanvas previous;
  for (int i = 0; i < 4; ++i) {
    const CCanvas rod = DrawRod(i);
    ASSERT_EQ(rod.Width(), 96);
    ASSERT_EQ(rod.Height(), 96);
    EXPECT_LT(Extent(rod).cy, 48 + 7);
    if (i > 0) {
      EXPECT_NE(rod.Pixels(), previous.Pixels());
    }
    previous = rod;
  }
  EXPECT_GT(Extent(DrawRod(2)).count, Extent(DrawRod(0)).count) << "casting shows its flash";
  EXPECT_THROW(DrawRod(4), std::runtime_error);

  const CCanvas arrow = DrawArrow();
  const SExtent a = Extent(arrow);
  EXPECT_LE(a.top, 3);
  EXPECT_NEAR(a.cx, 15.5, 1.0);
  // Red feathers at the tail, low in the picture.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const SColor p = arrow.At(x, y);
      if (arrow.Covered(x, y) && p.r > 150 && p.g < 100 && p.b < 100) {
        EXPECT_GT(y, 18) << x << "," << y;
      }
    }
  const CCanvas bow = DrawBow();
  ASSERT_EQ(bow.Width(), 24);
  const SExtent b = Extent(bow);
  EXPECT_GT(b.right - b.left, 18) << "held across the shot";
  EXPECT_NEAR(b.cx, 11.5, 1.5);
}

}  // namespace
}  // namespace contentgen

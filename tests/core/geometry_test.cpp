#include "core/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/direction.h"

TEST(GeometryTest, AngleIsClockwiseFromUp) {
  // The 3.141592 factor scales every angle a hair away from 90 (right).
  const SPoint o{0, 0};
  EXPECT_NEAR(GetAngle(o, SPoint{0, -1}), 0.0, 1e-4);
  EXPECT_EQ(GetAngle(o, SPoint{1, 0}), 90.0);
  EXPECT_NEAR(GetAngle(o, SPoint{0, 1}), 180.0, 1e-4);
  EXPECT_NEAR(GetAngle(o, SPoint{-1, 0}), 270.0, 1e-4);
  EXPECT_GT(GetAngle(o, SPoint{-1, 0}), 270.0);
  // Aiming at one's own cell counts as facing right.
  EXPECT_EQ(GetAngle(o, o), 90.0);
}

TEST(GeometryTest, AngleToTheLeftIsNeverNegative) {
  // A -0.0 vertical difference must not flip "left" to -90.
  const SPointD from{0.0, 0.0};
  const SPointD to{-5.0, -0.0};
  EXPECT_GT(from.GetAngle(to), 269.0);
}

TEST(GeometryTest, DiagonalTargetsFaceAsTheGameDoes) {
  // The slightly-off factor pushes exact diagonals off the 45-degree
  // boundaries; unit facing towards a diagonal target depends on it.
  const SPoint o{3, 3};
  EXPECT_EQ(AngleToDirection4(GetAngle(o, SPoint{4, 2})), EDirection4::UP);
  EXPECT_EQ(AngleToDirection4(GetAngle(o, SPoint{4, 4})), EDirection4::DOWN);
  EXPECT_EQ(AngleToDirection4(GetAngle(o, SPoint{2, 4})), EDirection4::LEFT);
  EXPECT_EQ(AngleToDirection4(GetAngle(o, SPoint{2, 2})), EDirection4::LEFT);
}

TEST(GeometryTest, LengthAndDistance) {
  EXPECT_DOUBLE_EQ(SPoint(3, -4).Length(), 5.0);
  EXPECT_DOUBLE_EQ(Distance(SPoint{1, 1}, SPoint{4, 5}), 5.0);
  EXPECT_DOUBLE_EQ(SPointD(-6.0, 8.0).Length(), 10.0);
  // Far beyond the screen the squares must not overflow.
  EXPECT_DOUBLE_EQ(SPoint(60000, 80000).Length(), 100000.0);
}

TEST(GeometryTest, RotationIsClockwiseOnScreen) {
  const SPointD up{0.0, -1.0};
  const SPointD right = up.Rotated(90);
  EXPECT_NEAR(right.x, 1.0, 1e-12);
  EXPECT_NEAR(right.y, 0.0, 1e-12);
  SPointD p{2.0, 1.0};
  p.Rotate(180);
  EXPECT_NEAR(p.x, -2.0, 1e-12);
  EXPECT_NEAR(p.y, -1.0, 1e-12);
}

TEST(GeometryTest, CentreRectangleEdgesPutTheOddHalfRightAndDown) {
  const CRectExD r{10.0, 20.0, 5.0, 3.0};
  EXPECT_DOUBLE_EQ(r.Left(), 7.5);
  EXPECT_DOUBLE_EQ(r.Right(), 12.5);
  EXPECT_DOUBLE_EQ(r.Top(), 18.5);
  EXPECT_DOUBLE_EQ(r.Bottom(), 21.5);
  EXPECT_TRUE(r.IsSet());

  const CRectExT<int> ri{10, 20, 5, 3};
  EXPECT_EQ(ri.Left(), 8);
  EXPECT_EQ(ri.Right(), 13);

  const CRectExD unset;
  EXPECT_TRUE(std::isnan(unset.x) && std::isnan(unset.h));
  EXPECT_FALSE(unset.IsSet());
}

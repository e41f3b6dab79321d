#include "core/direction.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(DirectionTest, NormalizeAngle) {
  EXPECT_DOUBLE_EQ(NormalizeAngle(0), 0);
  EXPECT_DOUBLE_EQ(NormalizeAngle(725), 5);
  EXPECT_DOUBLE_EQ(NormalizeAngle(-90), 270);
  EXPECT_DOUBLE_EQ(NormalizeAngle(-450), 270);
}

TEST(DirectionTest, AngleToDirection4Boundaries) {
  EXPECT_EQ(AngleToDirection4(44.9), EDirection4::UP);
  EXPECT_EQ(AngleToDirection4(45), EDirection4::RIGHT);
  EXPECT_EQ(AngleToDirection4(134.9), EDirection4::RIGHT);
  EXPECT_EQ(AngleToDirection4(135), EDirection4::DOWN);
  EXPECT_EQ(AngleToDirection4(225), EDirection4::LEFT);
  EXPECT_EQ(AngleToDirection4(315), EDirection4::UP);
  EXPECT_EQ(AngleToDirection4(-90), EDirection4::LEFT);
  EXPECT_EQ(AngleToDirection4(-360), EDirection4::UP);
}

TEST(DirectionTest, AngleToDirection9UpperBoundsAreInclusive) {
  EXPECT_EQ(AngleToDirection9(22.5), dir9::UP);
  EXPECT_EQ(AngleToDirection9(22.6), dir9::UP_RIGHT);
  EXPECT_EQ(AngleToDirection9(337.5), dir9::UP_LEFT);
  EXPECT_EQ(AngleToDirection9(337.6), dir9::UP);
  const int expected[8] = {dir9::UP, dir9::UP_RIGHT, dir9::RIGHT, dir9::DOWN_RIGHT,
                           dir9::DOWN, dir9::DOWN_LEFT, dir9::LEFT, dir9::UP_LEFT};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(AngleToDirection9(i * 45.0), expected[i]) << i * 45;
    EXPECT_EQ(AngleToDirection9(i * 45.0 - 720), expected[i]) << i * 45 - 720;
  }
}

TEST(DirectionTest, FourWayConversionsRoundTrip) {
  for (EDirection4 d : {EDirection4::LEFT, EDirection4::UP, EDirection4::RIGHT, EDirection4::DOWN}) {
    EXPECT_EQ(AngleToDirection4(Direction4ToAngle(d)), d);
    EXPECT_EQ(AngleToDirection9(Direction4ToAngle(d)), Direction4ToNine(d));
  }
  EXPECT_EQ(DirectionLRToNine(EDirectionLR::LEFT), dir9::LEFT);
  EXPECT_EQ(DirectionLRToNine(EDirectionLR::RIGHT), dir9::RIGHT);
}

TEST(DirectionTest, Turns) {
  EXPECT_EQ(RotateDirection4(EDirection4::LEFT, EDirection4::UP), EDirection4::LEFT);
  EXPECT_EQ(RotateDirection4(EDirection4::LEFT, EDirection4::LEFT), EDirection4::DOWN);
  EXPECT_EQ(RotateDirection4(EDirection4::RIGHT, EDirection4::UP), EDirection4::RIGHT);
  EXPECT_EQ(RotateDirection4(EDirection4::RIGHT, EDirection4::LEFT), EDirection4::UP);
  EXPECT_EQ(OppositeDirection4(EDirection4::UP), EDirection4::DOWN);
  EXPECT_EQ(OppositeDirection4(EDirection4::RIGHT), EDirection4::LEFT);
  EXPECT_THROW(RotateDirection4(EDirection4::UP, EDirection4::LEFT), std::runtime_error);
  EXPECT_THROW(Direction4ToAngle(static_cast<EDirection4>(7)), std::runtime_error);
}

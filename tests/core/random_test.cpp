#include "core/random.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <stdexcept>

TEST(RandomTest, FirstDrawIsTheGeneratorsSecondOutput) {
  CRandom random(5489);
  std::mt19937 reference(5489);
  reference();  // the output that seeding makes current
  for (int i = 0; i < 5; ++i) EXPECT_EQ(random.Next(), reference());
  EXPECT_EQ(random.GetCount(), 5u);
  EXPECT_EQ(random.GetSeed(), 5489u);
  // MT19937's well-known second output for the default seed.
  EXPECT_EQ(CRandom(5489).Next(), 581869302u);
}

TEST(RandomTest, RestoreContinuesTheSequence) {
  CRandom random(12345);
  for (int i = 0; i < 10; ++i) random.Next();
  const std::uint32_t eleventh = random.Next();
  const std::uint32_t twelfth = random.Next();

  random.Restore(10);
  EXPECT_EQ(random.GetCount(), 10u);
  EXPECT_EQ(random.Next(), eleventh);

  CRandom other(12345);
  other.Restore(11);
  EXPECT_EQ(other.Next(), twelfth);
  EXPECT_EQ(other.GetSeed(), 12345u);
}

TEST(RandomTest, NextRange) {
  CRandom random(7);
  EXPECT_EQ(random.NextRange(5, 5), 5);
  EXPECT_EQ(random.GetCount(), 0u);

  CRandom reference(7);
  bool seen[2] = {};
  for (int i = 0; i < 200; ++i) {
    const int r = random.NextRange(0, 1);
    ASSERT_TRUE(r == 0 || r == 1);
    seen[r] = true;
    reference.Next();  // the draw of NextRange(0, 1)
    // Negative bounds: lo + output mod span, in unsigned arithmetic.
    const std::uint32_t expected = reference.Next();
    EXPECT_EQ(random.NextRange(-3, 3), -3 + static_cast<int>(expected % 7u));
  }
  EXPECT_TRUE(seen[0] && seen[1]);
  EXPECT_EQ(random.GetCount(), 400u);

  // The whole int range must neither divide by zero nor leave the range.
  CRandom full(1);
  CRandom fullReference(1);
  EXPECT_EQ(full.NextRange(INT_MIN, INT_MAX), static_cast<int>(INT_MIN + fullReference.Next()));
  EXPECT_THROW(full.NextRange(3, 2), std::runtime_error);
}

TEST(RandomTest, DefaultSeedsDiffer) {
  // Two generators made in the same instant must not play the same battle.
  EXPECT_NE(CRandom().GetSeed(), CRandom().GetSeed());
}

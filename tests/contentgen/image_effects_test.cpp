#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "image_extent.h"
#include "images/artwork.h"
#include "images/fonts.h"

namespace contentgen {
namespace {


int WidestRow(const CCanvas& c) {
  int best = 0, bestWidth = -1;
  for (int y = 0; y < c.Height(); ++y) {
    int w = 0;
    for (int x = 0; x < c.Width(); ++x) w += c.Covered(x, y);
    if (w > bestWidth) best = y, bestWidth = w;
  }
  return best;
}

void ExpectAllDistinct(const std::vector<CCanvas>& frames) {
  for (std::size_t i = 0; i < frames.size(); ++i)
    for (std::size_t j = i + 1; j < frames.size(); ++j) EXPECT_NE(frames[i].Pixels(), frames[j].Pixels()) << i << " and " << j;
}

TEST(EffectTest, TheFireballFliesUpWithItsFlamesBehind) {
  const CCanvas ball = DrawFireball();
  ASSERT_EQ(ball.Width(), 32);
  ASSERT_EQ(ball.Height(), 32);
  const SExtent e = Extent(ball);
  EXPECT_LE(e.top, 6);
  EXPECT_LT(WidestRow(ball), 16) << "the ball leads, the tail trails below";
  EXPECT_GT(e.bottom, 24);
  EXPECT_NEAR(e.cx, 15.5, 1.5);
}

// A pillar sits with its bottom on the cell's bottom edge and reaches 32
// pixels above the cell; lightning falls from the sky to 27 pixels below the
// picture's centre, where the cell's centre is.
TEST(EffectTest, PillarsAndLightningStandWhereTheirCellIs) {
  std::vector<CCanvas> fire{DrawFirewall(0), DrawFirewall(1)};
  for (const CCanvas& f : fire) {
    ASSERT_EQ(f.Width(), 32);
    ASSERT_EQ(f.Height(), 64);
    const SExtent e = Extent(f);
    EXPECT_GE(e.bottom, 60);
    EXPECT_LE(e.top, 16);
  }
  ExpectAllDistinct(fire);
  std::vector<CCanvas> bolts;
  for (int i = 0; i < 5; ++i) {
    bolts.push_back(DrawThunder(i));
    const CCanvas& t = bolts.back();
    ASSERT_EQ(t.Width(), 32);
    ASSERT_EQ(t.Height(), 96);
    EXPECT_LE(Extent(t).top, 3) << "frame " << i;
    EXPECT_GE(Extent(t).bottom, 48 + 27) << "frame " << i;
    EXPECT_LE(Extent(t).bottom, 48 + 27 + 16) << "frame " << i;
  }
  ExpectAllDistinct(bolts);
  EXPECT_THROW(DrawFirewall(2), std::runtime_error);
  EXPECT_THROW(DrawThunder(5), std::runtime_error);
}

TEST(EffectTest, TheHitSparkBurstsThenScatters) {
  std::vector<CCanvas> frames;
  for (int i = 0; i < 8; ++i) {
    frames.push_back(DrawShotHit(i));
    ASSERT_EQ(frames.back().Width(), 16);
    EXPECT_GT(Extent(frames.back()).count, 0) << "frame " << i;
  }
  ExpectAllDistinct(frames);
  EXPECT_LT(Extent(frames[0]).count, Extent(frames[2]).count);
  EXPECT_LT(Extent(frames[7]).count, Extent(frames[3]).count);
}

// Sparkles spin around their centre in the game, so they must be centred.
TEST(EffectTest, SparklesAreCentredOnTheirPicture) {
  struct SCase {
    const char* name;
    CCanvas picture;
    int w, h;
  };
  const std::vector<SCase> cases{{"heal", DrawHealSparkle(), 16, 16},
                                 {"poison", DrawPoisonBubble(), 16, 16},
                                 {"water ball", DrawWaterBall(), 16, 16},
                                 {"blue streak", DrawSpeedStreak(true), 16, 32},
                                 {"red streak", DrawSpeedStreak(false), 16, 32}};
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.picture.Width(), c.w);
    ASSERT_EQ(c.picture.Height(), c.h);
    const SExtent e = Extent(c.picture);
    EXPECT_NEAR(e.cx, (c.w - 1) / 2.0, 1.5);
    EXPECT_NEAR(e.cy, (c.h - 1) / 2.0, 1.5);
  }
}

// Digits are laid 12 pixels apart, so each must fit in 12 columns.
TEST(EffectTest, DigitsAreDistinctAndFitTheirSpacing) {
  for (bool healing : {false, true}) {
    std::vector<CCanvas> digits;
    for (int d = 0; d < 10; ++d) {
      digits.push_back(DrawDigit(d, healing));
      const SExtent e = Extent(digits.back());
      EXPECT_LE(e.right - e.left + 1, 12) << d;
      EXPECT_NEAR(e.cx, 7.5, 1.5) << d;
      long r = 0, g = 0;
      for (const SColor& p : digits.back().Pixels())
        if (p.a) r += p.r, g += p.g;
      EXPECT_EQ(g > r * 1.3, healing) << d << ": healing digits are green, damage digits are not";
    }
    ExpectAllDistinct(digits);
  }
  EXPECT_THROW(DrawDigit(10, false), std::runtime_error);
}

TEST(EffectTest, StatusWordsFitTheirPictureWithTheirEdgeIntact) {
  CFontBook fonts;
  const SColor fill{255, 160, 64, 255}, edge{64, 24, 8, 255};
  for (const char* word : {"毒", "挑発", "集中", "MISS", "LONGER"}) {
    SCOPED_TRACE(word);
    const CCanvas c = DrawStatusText(fonts, word, "", fill, edge);
    ASSERT_EQ(c.Width(), 32);
    ASSERT_EQ(c.Height(), 32);
    const SExtent e = Extent(c);
    EXPECT_GT(e.count, 30);
    EXPECT_GT(e.left, 0);
    EXPECT_LT(e.right, 31);
    EXPECT_GT(e.top, 0);
    EXPECT_LT(e.bottom, 31);
  }
  // Two lines on a plate: both lines show, the arrow tells loss from gain.
  const CCanvas down = DrawStatusText(fonts, "行動力", "低下", fill, edge);
  const CCanvas up = DrawStatusText(fonts, "行動力", "増加", fill, edge);
  auto ink = [&](const CCanvas& c, int y0, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = 1; x < 31; ++x) n += c.At(x, y) != edge && c.Covered(x, y);
    return n;
  };
  EXPECT_GT(ink(down, 4, 15), 20);
  EXPECT_GT(ink(down, 16, 28), 15);
  EXPECT_NE(down.Pixels(), up.Pixels());
  // A word that cannot fit is refused rather than cut off.
  EXPECT_THROW(DrawStatusText(fonts, "MUCH TOO LONG A WORD", "", fill, edge), std::runtime_error);
  EXPECT_THROW(DrawStatusText(fonts, "行動力行動力", "低下", fill, edge), std::runtime_error);
}

}  // namespace
}  // namespace contentgen

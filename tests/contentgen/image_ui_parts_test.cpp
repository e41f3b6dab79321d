#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "images/artwork.h"
#include "images/fonts.h"

namespace contentgen {
namespace {

std::vector<int> RowWidths(const CCanvas& c) {
  std::vector<int> widths(c.Height(), 0);
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) widths[y] += c.Covered(x, y);
  return widths;
}

int FirstRow(const std::vector<int>& w) {
  for (std::size_t y = 0; y < w.size(); ++y)
    if (w[y]) return static_cast<int>(y);
  return -1;
}

int LastRow(const std::vector<int>& w) {
  for (int y = static_cast<int>(w.size()) - 1; y >= 0; --y)
    if (w[y]) return y;
  return -1;
}

int Widest(const std::vector<int>& w) {
  int best = 0;
  for (std::size_t y = 0; y < w.size(); ++y)
    if (w[y] > w[best]) best = static_cast<int>(y);
  return best;
}

// The order window turns the arrow by 180 degrees and the standby step by
// the facing, so it must point up; the talk window's marker is not turned
// and must point down.
TEST(UiPartsTest, ArrowsPointTheWayTheGameTurnsThem) {
  for (const CCanvas& up : {DrawSmallArrow(), DrawLargeArrow()}) {
    const std::vector<int> w = RowWidths(up);
    EXPECT_LT(Widest(w), up.Height() / 2) << "the head is at the top";
    EXPECT_LE(w[FirstRow(w)], 3) << "it ends in a point";
    EXPECT_GT(w[LastRow(w)], 3) << "the shaft ends square";
  }
  EXPECT_EQ(DrawSmallArrow().Width(), 16);
  EXPECT_EQ(DrawLargeArrow().Width(), 48);
  const CCanvas down = DrawCursorDown();
  const std::vector<int> w = RowWidths(down);
  EXPECT_LT(Widest(w), 8);
  EXPECT_LE(w[LastRow(w)], 3);
  // The hand points right, toward the row it marks.
  const CCanvas hand = DrawHand();
  int rightmost = 0, rightY = 0;
  for (int y = 0; y < hand.Height(); ++y)
    for (int x = 0; x < hand.Width(); ++x)
      if (hand.Covered(x, y) && x > rightmost) rightmost = x, rightY = y;
  EXPECT_GE(rightmost, 26);
  EXPECT_LT(rightY, 20) << "the index finger, above the curled ones";
}

TEST(UiPartsTest, CursorShadowAndPortalSitInTheMiddleOfTheCell) {
  auto mask = [](const CCanvas& c) {
    std::vector<bool> m;
    for (const SColor& p : c.Pixels()) m.push_back(p.a >= 128);
    return m;
  };
  const CCanvas cursor = DrawCursor();
  EXPECT_EQ(mask(cursor), mask(cursor.FlippedX()));
  EXPECT_EQ(mask(cursor), mask(cursor.FlippedY()));
  EXPECT_FALSE(cursor.Covered(16, 16)) << "the cell under the cursor stays visible";
  const CCanvas shadow = DrawShadow();
  EXPECT_EQ(mask(shadow), mask(shadow.FlippedX()));
  for (const SColor& p : shadow.Pixels())
    if (p.a) {
      EXPECT_LT(p.r + p.g + p.b, 200);
    }
  std::vector<CCanvas> portal{DrawPortal(0), DrawPortal(1), DrawPortal(2)};
  EXPECT_NE(portal[0].Pixels(), portal[1].Pixels());
  EXPECT_NE(portal[1].Pixels(), portal[2].Pixels());
  EXPECT_THROW(DrawPortal(3), std::runtime_error);
}

// Highlights are drawn half transparent over the map, and the tinted inside
// is a screen so the ground still shows through; the edge is solid.
TEST(UiPartsTest, RangeTilesLetTheGroundShowThrough) {
  std::vector<SColor> edges;
  for (EGridTint tint : {EGridTint::Blue, EGridTint::Yellow, EGridTint::Red, EGridTint::Green, EGridTint::Sight}) {
    const CCanvas t = DrawRangeTile(tint);
    ASSERT_EQ(t.Width(), 34);
    ASSERT_EQ(t.Height(), 34);
    int inside = 0;
    for (int y = 4; y < 30; ++y)
      for (int x = 4; x < 30; ++x) inside += t.Covered(x, y);
    EXPECT_GT(inside, 0);
    EXPECT_LE(inside, 26 * 26 * 6 / 10);
    int top = 0;
    for (int x = 0; x < 34; ++x) top += t.Covered(x, 0);
    EXPECT_GT(top, 12) << "an edge along the top";
    edges.push_back(t.At(2, 0));
  }
  for (std::size_t i = 0; i < edges.size(); ++i)
    for (std::size_t j = i + 1; j < edges.size(); ++j) EXPECT_NE(edges[i], edges[j]) << i << " and " << j;
}

TEST(UiPartsTest, StatusIconsAndBalloonsAreAllDifferent) {
  std::vector<CCanvas> icons;
  for (const char* s : {"poison", "slow", "fast", "move_down", "move_up", "provocation", "concentrate"}) {
    icons.push_back(DrawStateIcon(s));
    ASSERT_EQ(icons.back().Width(), 24) << s;
    ASSERT_EQ(icons.back().Height(), 24) << s;
  }
  for (std::size_t i = 0; i < icons.size(); ++i)
    for (std::size_t j = i + 1; j < icons.size(); ++j) EXPECT_NE(icons[i].Pixels(), icons[j].Pixels()) << i << "," << j;
  EXPECT_THROW(DrawStateIcon("sleep"), std::runtime_error);

  CFontBook fonts;
  const CCanvas sheet = DrawEmotionSheet(fonts);
  ASSERT_EQ(sheet.Width(), 128);
  ASSERT_EQ(sheet.Height(), 64);
  std::vector<CCanvas> cells;
  for (int i = 0; i < 7; ++i) {
    cells.push_back(sheet.Crop((i % 4) * 32, (i / 4) * 32, 32, 32));
    int covered = 0;
    for (const SColor& p : cells.back().Pixels()) covered += p.a >= 128;
    EXPECT_GT(covered, 200) << "balloon " << i;
    EXPECT_FALSE(cells.back().Covered(0, 0)) << "balloon " << i;
  }
  for (std::size_t i = 0; i < cells.size(); ++i)
    for (std::size_t j = i + 1; j < cells.size(); ++j) EXPECT_NE(cells[i].Pixels(), cells[j].Pixels()) << i << "," << j;
}

}  // namespace
}  // namespace contentgen

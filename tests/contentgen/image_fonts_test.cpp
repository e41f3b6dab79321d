#include "images/fonts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace contentgen {
namespace {

TEST(FontBookTest, FindsAJapaneseFontAndRendersKanjiAndLatin) {
  CFontBook fonts;
  EXPECT_TRUE(std::filesystem::exists(fonts.FontPath())) << fonts.FontPath();
  for (const char* text : {"行動力", "Quorvane", "毒"}) {
    const SMask m = fonts.Render(text, 16);
    int ink = 0;
    for (std::uint8_t v : m.value) ink += v > 128;
    EXPECT_GT(ink, 10) << text << ": the font has no glyphs for it";
  }
  EXPECT_EQ(fonts.Render("", 16).width, 0);
  EXPECT_GT(fonts.Render("行動力", 20).width, fonts.Render("行動力", 10).width);
}

TEST(FontBookTest, CrispTextHasNoInBetweenCoverage) {
  CFontBook fonts;
  std::set<int> crisp, smooth;
  for (std::uint8_t v : fonts.Render("移動力", 10, false, true).value) crisp.insert(v);
  for (std::uint8_t v : fonts.Render("移動力", 10, false, false).value) smooth.insert(v);
  EXPECT_EQ(crisp, (std::set<int>{0, 255}));
  EXPECT_GT(smooth.size(), 2u);
}

TEST(FontBookTest, DrawnTextIsCentredAndEdged) {
  CFontBook fonts;
  CPainter p(80, 40, 2);
  STextStyle style;
  style.size = 16;
  style.fill = SColor{255, 255, 255, 255};
  style.outline = SColor{0, 0, 0, 255};
  style.outlineWidth = 1.5;
  DrawText(p, fonts, "MISS", 40, 20, style);
  const CCanvas c = p.Resolve(true);
  int left = 80, right = -1, top = 40, bottom = -1, white = 0, black = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 80; ++x) {
      if (!c.Covered(x, y)) continue;
      left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
      white += c.At(x, y).r > 200;
      black += c.At(x, y).r < 50;
    }
  EXPECT_NEAR((left + right) / 2.0, 40, 2);
  EXPECT_NEAR((top + bottom) / 2.0, 20, 4);
  EXPECT_GT(white, 0);
  EXPECT_GT(black, 0);
  const auto [w, h] = MeasureText(fonts, "MISS", style, 2);
  EXPECT_NEAR(w, right - left, 4);
  EXPECT_GT(h, 0);
}

}  // namespace
}  // namespace contentgen

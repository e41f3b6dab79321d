// The game's fonts draw letters a player can read: every Latin capital and
// digit, at every size the game uses, keeps the gaps inside it open.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game/main_loop.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"

namespace {

class FontsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetGraphMode(640, 480, 32, 60);
    ASSERT_EQ(GameLib_Init(), 0) << GameLib_GetLastError();
    SetDrawBlendMode(DX_BLENDMODE_NOBLEND, 0);
    SetDrawArea(0, 0, 640, 480);
    CreateFonts();
  }
  void TearDown() override { GameLib_End(); }
};

// The share of a glyph's ink box that is ink: the white body drawn on black
// (an edge, drawn black too, adds nothing). M fills 0.70 of its box at 12
// pixels in plain strokes and over 0.89 when emboldened, where it reads as
// a block; 0.78 is the line between.
double InkShare(int font, char letter) {
  ClsDrawScreen();
  const char text[2] = {letter, '\0'};
  DrawStringToHandle(8, 8, text, GetColor(255, 255, 255), font, GetColor(0, 0, 0));
  int left = 1000, top = 1000, right = -1, bottom = -1;
  auto ink = [](int x, int y) { return (gamelib_test::GetBackBufferPixel(x, y) & 0xff) / 255.0; };
  for (int y = 0; y < 56; ++y) {
    for (int x = 0; x < 56; ++x) {
      if (ink(x, y) < 0.5) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return 1.0;  // nothing drawn is no better than a blob
  double sum = 0.0;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) sum += ink(x, y);
  }
  return sum / ((right - left + 1) * (bottom - top + 1));
}

TEST_F(FontsTest, NoLetterOrDigitIsABlobAtAnySize) {
  const struct {
    const char* name;
    int handle;
  } fonts[] = {{"fontEdge12", fontEdge12},   {"fontNormal14", fontNormal14}, {"fontEdge14", fontEdge14},
               {"fontNormal16", fontNormal16}, {"fontNormal20", fontNormal20}, {"fontAntialiasEdge30", fontAntialiasEdge30}};
  const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (const auto& f : fonts) {
    for (char c : letters) EXPECT_LT(InkShare(f.handle, c), 0.78) << f.name << " draws " << c << " as a blob";
  }
}

// Letters in a Japanese caption sit on the same line as the kana and are no
// wider than the kana font's half-width cell, so no caption grows.
TEST_F(FontsTest, LettersInACaptionKeepItsWidthAndLine) {
  const int m = GetDrawStringWidthToHandle("M", 1, fontNormal14);
  const std::string caption = "消費MP";
  const int whole = GetDrawStringWidthToHandle(caption.c_str(), static_cast<int>(caption.size()), fontNormal14);
  const int kanji = GetDrawStringWidthToHandle("消費", 6, fontNormal14);
  EXPECT_LE(m, 7) << "half of the 14-pixel cell";
  EXPECT_EQ(whole, kanji + GetDrawStringWidthToHandle("MP", 2, fontNormal14));
  ClsDrawScreen();
  DrawStringToHandle(0, 0, caption.c_str(), GetColor(255, 255, 255), fontNormal14);
  // The bottoms of 費 and P lie within two pixels of each other.
  auto lowest = [](int from, int to) {
    int bottom = -1;
    for (int y = 0; y < 24; ++y) {
      for (int x = from; x < to; ++x) {
        if (gamelib_test::GetBackBufferPixel(x, y) & 0xff) bottom = y;
      }
    }
    return bottom;
  };
  EXPECT_NEAR(lowest(kanji + m, whole), lowest(kanji / 2, kanji), 2);
}

}  // namespace

#include "core/wrap_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/gamelib/gamelib.h"

namespace {

using Lines = std::vector<std::string>;

class WrapTextTest : public ::testing::Test {
 protected:
  // One font for the whole suite: the game library has no call to free one.
  static void SetUpTestSuite() { font = CreateFontToHandle(nullptr, 16, 9, DX_FONTTYPE_NORMAL); }
  void SetUp() override { ASSERT_GE(font, 0) << "no Japanese-capable font installed"; }
  static int Width(const std::string& s) {
    return GetDrawStringWidthToHandle(s.c_str(), static_cast<int>(s.size()), font);
  }
  static inline int font = -1;
};

}  // namespace

TEST_F(WrapTextTest, TextThatFitsStaysWholeAndNewlinesSplit) {
  const std::string text = "勇者の剣、ここに。";
  EXPECT_EQ(WrapText(text, Width(text), font, true), Lines{text});
  EXPECT_EQ(WrapText("あ\n\nい", 200, font, true), (Lines{"あ", "", "い"}));
  EXPECT_EQ(WrapText("", 200, font, true), Lines{""});
}

TEST_F(WrapTextTest, BreaksBetweenCharactersIncludingTheLast) {
  const int three = Width("あいう");
  EXPECT_EQ(WrapText("あいうあいうあいうあ", three, font, false), (Lines{"あいう", "あいう", "あいう", "あ"}));
  // The final character is measured like the others.
  EXPECT_EQ(WrapLine("あいうえ", three, font, false), (Lines{"あいう", "え"}));
  // Mixed one- and three-byte characters never split inside a character.
  EXPECT_EQ(WrapLine("ab漢字", Width("ab漢"), font, false), (Lines{"ab漢", "字"}));
}

TEST_F(WrapTextTest, PunctuationStaysOnTheLineBeforeIt) {
  const int three = Width("あいう");
  EXPECT_EQ(WrapLine("あいう。えお", three, font, false), (Lines{"あいう", "。えお"}));
  // A mark sticks to the character before it, so they move on together.
  EXPECT_EQ(WrapLine("あいう。えお", three, font, true), (Lines{"あい", "う。え", "お"}));
  EXPECT_EQ(WrapLine("あいう、、えお", three, font, true), (Lines{"あい", "う、、", "えお"}));
  // A text that begins with a mark may begin a line with it.
  EXPECT_EQ(WrapLine("。あ", Width("。"), font, true), (Lines{"。", "あ"}));
}

TEST_F(WrapTextTest, TooNarrowGivesOneCharacterPerLineAndNoEmptyLines) {
  EXPECT_EQ(WrapLine("あい", 0, font, false), (Lines{"あ", "い"}));
  EXPECT_EQ(WrapLine("あい", -5, font, true), (Lines{"あ", "い"}));
}

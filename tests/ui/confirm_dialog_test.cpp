#include "ui/confirm_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "assets/headless_library.h"
#include "runtime/globals.h"

namespace {

// The box measures its question, so this runs on the real (offscreen)
// library with a font of our own standing in for the game's 16 pixel font.
class ConfirmDialogTest : public HeadlessLibraryTest {
 protected:
  void SetUp() override {
    HeadlessLibraryTest::SetUp();
    font = CreateFontToHandle(nullptr, 16, 3, DX_FONTTYPE_NORMAL);
    ASSERT_GE(font, 0);
    savedFont = std::exchange(fontNormal16, font);
  }
  void TearDown() override {
    fontNormal16 = savedFont;
    HeadlessLibraryTest::TearDown();
  }
  int Width(const std::string& s) const {
    return GetDrawStringWidthToHandle(s.c_str(), static_cast<int>(s.size()), font);
  }

  int font = -1;
  int savedFont = 0;
};

// A short question keeps the camp's 160 pixel box; a long one widens it to
// hold the title, the answers staying in the middle; either answer can be
// the one focused.
TEST_F(ConfirmDialogTest, TheBoxHoldsItsQuestionAndFocusesTheAnswerAsked) {
  const std::string longQuestion = "Leave this battle and go back to the title?";
  ASSERT_GT(Width(longQuestion) + 8, 160);

  auto shortBox = CreateConfirmDialog("Sure?");
  EXPECT_EQ(shortBox->width, 160);
  EXPECT_EQ(shortBox->height, 60);
  EXPECT_EQ(shortBox->FindPane("yes")->position, SPoint(10, 10));
  EXPECT_EQ(shortBox->FindPane("no")->position, SPoint(70, 10));
  EXPECT_EQ(shortBox->GetFocusedPane()->name, "yes");

  auto longBox = CreateConfirmDialog(longQuestion, EConfirmFocus::NO);
  EXPECT_EQ(longBox->width, Width(longQuestion) + 2 * 4 + 8);
  const int shift = (longBox->width - 160) / 2;
  EXPECT_EQ(longBox->FindPane("yes")->position, SPoint(10 + shift, 10));
  EXPECT_EQ(longBox->FindPane("/")->position, SPoint(50 + shift, 10));
  EXPECT_EQ(longBox->FindPane("no")->position, SPoint(70 + shift, 10));
  EXPECT_EQ(longBox->GetFocusedPane()->name, "no");
  EXPECT_FALSE(longBox->FindPane("yes")->focused);
}

}  // namespace

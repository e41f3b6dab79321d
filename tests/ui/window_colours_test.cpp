// The windows' text reads on what it is drawn on: 4.5:1 or more for every
// title and label, 3:1 for the dimmed lines that cannot be chosen now.
#include <gtest/gtest.h>

#include "core/color.h"
#include "scenes/party_dialogs.h"
#include "ui/dialog.h"
#include "ui/gui_manager.h"
#include "ui/panes.h"

namespace {

TEST(WindowColours, ContrastIsMeasuredAsPlayersSeeIt) {
  const SColorRGB white{255, 255, 255}, black{0, 0, 0}, grey{119, 119, 119};
  EXPECT_DOUBLE_EQ(ContrastRatio(white, black), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(black, white), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(grey, grey), 1.0);
  EXPECT_NEAR(ContrastRatio(grey, white), 4.48, 0.01) << "the grey that just misses the bar for body text";
  const SColorRGB half = BlendOver(white, 128, black);
  EXPECT_EQ(half.r, 128);
  EXPECT_EQ(half.b, 128);
}

TEST(WindowColours, EveryTextReadsOnItsBackground) {
  const SGuiStyle& style = kDefaultGuiStyle;
  const CDialog dialog(100, 100);
  // The windows are see-through: over the darkest map (black, the story
  // scene's empty map) their white is darkest.
  const SColorRGB client = BlendOver(GetColorRGB(style.backgroundColor), dialog.backgroundAlpha, {0, 0, 0});
  const SColorRGB focus = BlendOver(GetColorRGB(style.focusFillColor), style.focusFillAlpha, client);
  const SColorRGB activeBar = GetColorRGB(style.activeFrameColor);
  const SColorRGB waitingBar = GetColorRGB(style.inactiveFrameColor);

  for (const EColorName title : {dialog.titleColor, EColorName::White, kOverLimitTitleColor}) {
    for (const SColorRGB bar : {activeBar, waitingBar}) {
      EXPECT_GE(ContrastRatio(GetColorRGB(title), bar), 4.5) << GetColorKeyword(title) << " title";
    }
  }
  const CPaneTextLabel label("label", {0, 0}, 0, "");
  for (const EColorName text : {label.textColor, kValueTextColor, kRaisedTextColor}) {
    for (const SColorRGB under : {client, focus}) {
      EXPECT_GE(ContrastRatio(GetColorRGB(text), under), 4.5) << GetColorKeyword(text) << " label";
    }
  }
  for (const SColorRGB under : {client, focus}) {
    EXPECT_GE(ContrastRatio(GetColorRGB(kUnavailableTextColor), under), 3.0) << "a line that cannot be chosen";
  }
}

}  // namespace

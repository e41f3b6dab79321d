#include "core/color.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <strings.h>

#include "runtime/gamelib/gamelib.h"

TEST(ColorTest, TableIsTheAlphabeticalWebList) {
  // Strictly ascending keywords: nothing missing from the middle would keep
  // the spot checks below at their numbers.
  for (int i = 1; i < kColorNameCount; ++i) {
    const char* before = GetColorKeyword(static_cast<EColorName>(i - 1));
    const char* after = GetColorKeyword(static_cast<EColorName>(i));
    EXPECT_LT(strcasecmp(before, after), 0) << before << " / " << after;
  }
  const std::pair<int, const char*> anchors[] = {{0, "AliceBlue"},      {1, "AntiqueWhite"}, {2, "Aqua"},
                                                 {3, "Aquamarine"},     {4, "Azure"},        {20, "Cyan"},
                                                 {72, "LightSkyBlue"},  {74, "LightSteelBlue"},
                                                 {123, "SkyBlue"},      {138, "Yellow"},     {139, "YellowGreen"}};
  for (const auto& [index, keyword] : anchors) {
    EXPECT_STREQ(GetColorKeyword(static_cast<EColorName>(index)), keyword);
  }
  EXPECT_EQ(static_cast<int>(EColorName::YellowGreen), kColorNameCount - 1);
}

TEST(ColorTest, DrawingColoursComeFromTheTriples) {
  EXPECT_EQ(GetColorByName(EColorName::AliceBlue), GetColor(240, 248, 255));
  EXPECT_EQ(GetColorByName(EColorName::YellowGreen), GetColor(154, 205, 50));
  // Web values, not the X11 ones, where the two lists disagree.
  EXPECT_EQ(GetColorByName(EColorName::Gray), GetColor(128, 128, 128));
  EXPECT_EQ(GetColorByName(EColorName::Green), GetColor(0, 128, 0));
  EXPECT_EQ(GetColorByName(EColorName::Goldenrod), GetColor(218, 165, 32));
  EXPECT_EQ(GetColorByName(EColorName::Aqua), GetColorByName(EColorName::Cyan));
  EXPECT_EQ(GetColorByName(EColorName::Fuchsia), GetColorByName(EColorName::Magenta));
  EXPECT_THROW(GetColorByName(static_cast<EColorName>(140)), std::runtime_error);
  EXPECT_THROW(GetColorByName(static_cast<EColorName>(-1)), std::runtime_error);
}

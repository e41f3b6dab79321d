#include "gfx/draw_data.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "gfx/call_recording.h"

namespace {

using Calls = std::vector<std::string>;

TEST(SDrawDataTest, AlphaSetterKeepsAlphaBetween0And255) {
  SDrawData d(1);
  d.SetAlpha(300);
  EXPECT_EQ(d.GetAlpha(), 255.0);
  d.SetAlpha(-5);
  EXPECT_EQ(d.GetAlpha(), 0.0);
  d.SetAlpha(177.5);
  EXPECT_EQ(d.GetAlpha(), 177.5);
}

TEST(SDrawDataTest, SetSizeCentresThePositionWithIntegerHalves) {
  SDrawData d(1);
  d.SetSize(33, 17);
  EXPECT_EQ(d.pivot, SPoint(-16, -8)) << "halves round toward zero";
  EXPECT_EQ(d.width, 33);
  EXPECT_EQ(d.height, 17);
}

// Handles shown before each of `updates` calls of UpdateAnimation.
std::vector<int> Play(SDrawData& d, int updates) {
  std::vector<int> shown;
  for (int i = 0; i < updates; ++i) {
    shown.push_back(d.GetCurrentImgHandle());
    d.UpdateAnimation();
  }
  return shown;
}

TEST(SDrawDataTest, AnimationShowsEachImageForThresholdPlusOneUpdates) {
  SDrawData once(11);
  once.AddImage(12);
  once.AddImage(13);
  once.frameWait = 4;
  once.SetLoop(false);
  const std::vector<int> expected = {11, 11, 11, 11, 11, 12, 12, 12, 12, 12, 13, 13, 13, 13};
  EXPECT_EQ(Play(once, 14), expected);
  EXPECT_FALSE(once.finished);
  once.UpdateAnimation();  // the 15th update
  EXPECT_TRUE(once.finished);
  EXPECT_EQ(Play(once, 10), std::vector<int>(10, 13)) << "a finished strip stays on its last image";

  SDrawData looping = SDrawData(11);
  looping.AddImage(12);
  looping.AddImage(13);
  looping.frameWait = 4;
  Play(looping, 15);
  EXPECT_EQ(looping.GetCurrentImgHandle(), 11);
  EXPECT_FALSE(looping.finished);

  // frame wait 9 with divisor 2: threshold 4, again five updates per image.
  SDrawData halved(21);
  halved.AddImage(22);
  halved.frameWait = 9;
  halved.waitDivisor = 2;
  EXPECT_EQ(Play(halved, 6), (std::vector<int>{21, 21, 21, 21, 21, 22}));

  SDrawData still(31);
  still.AddImage(32);
  EXPECT_EQ(still.frameWait, -1);
  EXPECT_EQ(Play(still, 30), std::vector<int>(30, 31)) << "no frame wait, no animation";

  SDrawData broken(41);
  broken.frameWait = 3;
  broken.waitDivisor = 0;
  EXPECT_THROW(broken.UpdateAnimation(), std::runtime_error);
}

TEST(SDrawDataTest, IndexOutsideTheStripWarnsAndDrawsHandle0) {
  SDrawData d(7);
  d.images[0].offsetX = 5;
  d.imageIndex = 1;
  CCallRecording rec;
  testing::internal::CaptureStdout();
  DrawSDrawData(d, {100, 200});
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "Warning GetCurrentImgOffset\nWarning GetCurrentImgHandle\n");
  EXPECT_EQ(rec.Calls(), Calls{"DrawGraph(100,200,0,1)"});

  d.imageIndex = -1;
  testing::internal::CaptureStdout();
  EXPECT_EQ(d.GetCurrentImgHandle(), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Warning GetCurrentImgHandle\n");
}

struct DrawCase {
  const char* name;
  std::function<void(SDrawData&)> setup;
  Calls expected;
};

class DrawSDrawDataTest : public testing::TestWithParam<DrawCase> {};

// A 32 x 32 record of image 7 drawn at (100, 200) lands at p = (84, 184).
TEST_P(DrawSDrawDataTest, IssuesExactlyTheseLibraryCalls) {
  SDrawData d(7);
  d.SetSize(32, 32);
  d.SetImageSize(32, 32);
  GetParam().setup(d);
  CCallRecording rec;
  DrawSDrawData(d, {100.0, 200.0});
  EXPECT_EQ(rec.Calls(), GetParam().expected);
}

const DrawCase kDrawCases[] = {
    {"Plain", [](SDrawData&) {}, {"DrawGraph(84,184,7,1)"}},
    {"AngleWithoutRotateIsIgnored", [](SDrawData& d) { d.SetAngle(45); }, {"DrawGraph(84,184,7,1)"}},
    {"ScaledGoesThroughRotaWithAlphaBlend",
     [](SDrawData& d) { d.SetScale(2.0); },
     {"SetDrawBlendMode(1,255)", "DrawRotaGraph(100,200,2,0,7,1,0)", "SetDrawBlendMode(0,0)"}},
    // The rotated path turns by the angle whether or not rotate is set.
    {"ScaledTurnsByItsAngleEvenWithoutRotate",
     [](SDrawData& d) {
       d.SetScale(0.5);
       d.SetAngle(180);
     },
     {"SetDrawBlendMode(1,255)", "DrawRotaGraph(100,200,0.5,3.14159,7,1,0)", "SetDrawBlendMode(0,0)"}},
    {"RotatedTakesRadiansAroundTheImageCentre",
     [](SDrawData& d) {
       d.SetRotate(true);
       d.SetAngle(90);
       d.SetAlpha(100.9);
       d.turn = true;
     },
     {"SetDrawBlendMode(1,100)", "DrawRotaGraph(100,200,1,1.5708,7,1,1)", "SetDrawBlendMode(0,0)"}},
    {"StretchedRotaUsesTheWidthRatio",
     [](SDrawData& d) {
       d.SetSize(64, 32);
       d.stretch = true;
       d.SetRotate(true);
     },
     {"SetDrawBlendMode(1,255)", "DrawRotaGraph(84,200,2,0,7,1,0)", "SetDrawBlendMode(0,0)"}},
    {"Translucent",
     [](SDrawData& d) { d.SetAlpha(128.7); },
     {"SetDrawBlendMode(1,128)", "DrawGraph(84,184,7,1)", "SetDrawBlendMode(0,0)"}},
    {"Mirrored", [](SDrawData& d) { d.turn = true; }, {"DrawTurnGraph(84,184,7,1)"}},
    {"StretchedAndMirroredSwapsTheXs",
     [](SDrawData& d) {
       d.SetSize(64, 32);
       d.stretch = true;
       d.turn = true;
     },
     {"DrawExtendGraph(132,184,68,216,7,1)"}},
    {"Opaque", [](SDrawData& d) { d.SetTransparent(false); }, {"DrawGraph(84,184,7,0)"}},
    {"TintedRestoresBrightness",
     [](SDrawData& d) {
       d.brightG = 0;
       d.brightB = 0;
     },
     {"SetDrawBright(255,0,0)", "DrawGraph(84,184,7,1)", "SetDrawBright(255,255,255)"}},
    {"DrawOffsetTruncates", [](SDrawData& d) { d.drawOffset = {0.9, -3.7}; }, {"DrawGraph(84,180,7,1)"}},
    {"ImageOffsetOfTheCurrentImage",
     [](SDrawData& d) {
       d.AddImage(8);
       d.images[1].offsetX = 5;
       d.images[1].offsetY = -2;
       d.imageIndex = 1;
     },
     {"DrawGraph(89,182,8,1)"}},
    {"Invisible", [](SDrawData& d) { d.visible = false; }, {}},
};

INSTANTIATE_TEST_SUITE_P(Paths, DrawSDrawDataTest, testing::ValuesIn(kDrawCases),
                         [](const testing::TestParamInfo<DrawCase>& info) { return std::string(info.param.name); });

TEST(SDrawDataTest, ClipRectOfTheCentredExample) {
  // A clip rect centred at (0, 0), 32 x 16, on a 32 x 32 record at p = (100, 200).
  SDrawData d(7);
  d.width = 32;
  d.height = 32;
  d.clip = true;
  d.clipRect = CRectExD(0, 0, 32, 16);
  CCallRecording rec;
  DrawSDrawData(d, {100, 200});
  EXPECT_EQ(rec.Calls(), (Calls{"SetDrawArea(100,208,132,224)", "DrawGraph(100,200,7,1)", "SetDrawArea(0,0,640,480)"}));
}

}  // namespace

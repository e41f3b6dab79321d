// Talk windows: growing out of the speaker, turning pages with DECIDE, and
// the layout of one page.
#include "scenario/event_say.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "event_stage_test.h"
#include "ui/dialog.h"
#include "ui/panes.h"

namespace {

std::string Label(const CDialog& dialog, const std::string& name) {
  const auto* label = dynamic_cast<const CPaneTextLabel*>(dialog.FindPane(name));
  return label ? label->text : "(none)";
}

struct SBox {
  SPoint at;
  int width;
  int height;
  bool operator==(const SBox&) const = default;
};
SBox Box(const CDialog& d) { return {d.position, d.width, d.height}; }

CEvent_Say& TalkOf(const CStage& stage) {
  const auto& player = dynamic_cast<const CStageStrategy_Event&>(*stage.GetStrategy());
  return dynamic_cast<CEvent_Say&>(*player.GetBundlers().at(0)->GetSequences().at(0)->GetCurrentEvent());
}

TEST_F(EventStageTest, TheWindowGrowsOutOfTheSpeakerAndDecideWhileItGrowsTurnsThePage) {
  auto stage = Scene(
      "<script><bundler><sequence><event type=\"AppendUnit\" name=\"ナイト\" unitTag=\"k\" "
      "imagePath=\"dat/image/ziki/knight.png\" gridX=\"5\" gridY=\"5\"/></sequence></bundler>"
      "<bundler><sequence><event type=\"Say\" unitTag=\"k\"><text icon=\"ziki/knight_face.png\">一枚目</text>"
      "<text>二枚目\\三行目</text></event></sequence></bundler></script>");
  Frame(*stage);
  // DECIDE in the talk's first frame comes before it has started: no page is skipped.
  Frame(*stage, {EGameKey::DECIDE});
  CEvent_Say& say = TalkOf(*stage);
  ASSERT_NE(say.GetDialog(), nullptr);
  EXPECT_EQ(say.GetPageIndex(), 0u);
  EXPECT_EQ(Box(*say.GetDialog()), (SBox{{176, 176}, 0, 0})) << "at the speaker's feet on screen";
  EXPECT_EQ(say.GetDialog()->title, "ナイト");
  EXPECT_EQ(Label(*say.GetDialog(), "LabelText0"), "一枚目");
  EXPECT_TRUE(say.GetDialog()->FindPane("FaceIcon")->visible);
  EXPECT_TRUE(Player(*stage).IsTalkWaiting());
  Frames(*stage, 4);
  EXPECT_EQ(Box(*say.GetDialog()), (SBox{{152, 218}, 120, 30})) << "a quarter of the way";

  Frame(*stage, {EGameKey::DECIDE});
  EXPECT_EQ(say.GetPageIndex(), 1u);
  EXPECT_EQ(Label(*say.GetDialog(), "LabelText0"), "二枚目");
  EXPECT_EQ(Label(*say.GetDialog(), "LabelText1"), "三行目");
  EXPECT_FALSE(say.GetDialog()->FindPane("FaceIcon")->visible) << "this page has no face";
  EXPECT_EQ(Box(*say.GetDialog()), (SBox{{146, 228}, 150, 37})) << "the new page still grows";
  Frames(*stage, 10);
  EXPECT_EQ(Box(*say.GetDialog()), (SBox{{86, 333}, 450, 112}));
  Frame(*stage);
  EXPECT_EQ(Box(*say.GetDialog()), (SBox{{80, 344}, 480, 120})) << "centred, 16 pixels above the bottom";
  Frames(*stage, 30);
  EXPECT_TRUE(Player(*stage).IsTalkWaiting());

  Frame(*stage, {EGameKey::DECIDE});
  EXPECT_FALSE(Player(*stage).IsTalkWaiting());
  EXPECT_TRUE(Player(*stage).IsFinished()) << "the window goes with the last page";
}

TEST_F(EventStageTest, ATalkWithoutASpeakerOnTheMapHasNoNameAndGrowsFromTheMiddle) {
  auto stage = Scene(OneSequence("<event type=\"Say\" unitTag=\"ghost\"><text icon=\"dat/image/ziki/fairy_face.png\">"
                                 "誰？</text></event>"));
  testing::internal::CaptureStderr();
  Frame(*stage);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("no unit tagged 'ghost'"), std::string::npos);
  const CDialog& d = *TalkOf(*stage).GetDialog();
  EXPECT_EQ(Box(d), (SBox{{320, 240}, 0, 0}));
  EXPECT_EQ(d.title, "");
  EXPECT_EQ(d.titleBarHeight, d.borderWidth) << "no title bar";
  EXPECT_TRUE(d.FindPane("FaceIcon")->visible) << "a path below dat/image/ names the same picture";

  // Lines beside the face, wrapped within 352 pixels, the face added last.
  const auto page = CreateTalkDialog("", "一\n二\n" + std::string(60, 'w'), "");
  const auto& panes = page->GetPanes();
  ASSERT_GE(panes.size(), 5u) << "the long line wraps";
  for (const auto& pane : panes) EXPECT_LE(pane->width, 352);
  EXPECT_EQ(std::pair(panes[2]->name, panes[2]->position), std::pair(std::string("LabelText2"), SPoint(112, 48)));
  EXPECT_EQ(std::pair(panes.back()->name, panes.back()->position), std::pair(std::string("FaceIcon"), SPoint(8, 8)));
  EXPECT_FALSE(panes.back()->visible) << "no face";
}

}  // namespace

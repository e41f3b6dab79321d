#include "gfx/draw_strategy.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "battle/stage.h"
#include "gfx/call_recording.h"
#include "gfx/stage_actor.h"

namespace {

// One record per facing, told apart by their image handles 10, 11, ...
template <int N>
std::array<SDrawData, N> Records() {
  std::array<SDrawData, N> records;
  for (int i = 0; i < N; ++i) records[i] = SDrawData(10 + i);
  return records;
}

class DrawStrategyTest : public testing::Test {
 protected:
  const std::vector<CDrawInfoForQueue>& Queued() { return stage.GetDrawQueue().GetEntries(); }

  CStage stage;
  CStageActor unit{stage, SDrawData(1), {100, 50}};
};

TEST_F(DrawStrategyTest, Dir4MapsNineDirectionsOntoTheSheetRows) {
  CDrawStrategyDir4 s(unit, Records<4>(), EDirection4::UP);
  s.SetDirection9(4);
  EXPECT_EQ(s.GetDirection4(), EDirection4::UP) << "the centre keeps the facing";
  const EDirection4 expected[9] = {EDirection4::DOWN, EDirection4::DOWN, EDirection4::RIGHT,
                                   EDirection4::LEFT, EDirection4::UP,   EDirection4::RIGHT,
                                   EDirection4::LEFT, EDirection4::UP,   EDirection4::UP};
  for (int d = 0; d < 9; ++d) {
    s.SetDirection4(EDirection4::UP);
    s.SetDirection9(d);
    EXPECT_EQ(s.GetDirection4(), expected[d]) << "direction " << d;
    EXPECT_EQ(s.GetDirection9(), 4);
  }

  s.SetDirection4(EDirection4::LEFT);
  s.Draw();
  ASSERT_EQ(Queued().size(), 1u);
  EXPECT_EQ(Queued()[0].data.GetCurrentImgHandle(), 10 + static_cast<int>(EDirection4::LEFT));
}

TEST_F(DrawStrategyTest, KindsPickTheirFacingRecord) {
  CDrawStrategyNormal normal(unit, SDrawData(7));
  normal.SetDirection9(2);
  EXPECT_EQ(normal.GetDirection9(), 4);

  CDrawStrategyLR lr(unit, Records<2>(), EDirectionLR::RIGHT);
  lr.SetDirection9(3);
  EXPECT_EQ(lr.GetDirectionLR(), EDirectionLR::RIGHT) << "left/right is fixed at creation";

  CDrawStrategyDir9 dir9(unit, Records<9>(), 1);
  dir9.SetDirection9(8);
  EXPECT_EQ(dir9.GetDirection9(), 8);
  EXPECT_THROW(dir9.SetDirection9(9), std::out_of_range);
  EXPECT_EQ(dir9.GetDirection9(), 8);

  normal.Draw();
  lr.Draw();
  dir9.Draw();
  ASSERT_EQ(Queued().size(), 3u);
  EXPECT_EQ(Queued()[0].data.GetCurrentImgHandle(), 7);
  EXPECT_EQ(Queued()[1].data.GetCurrentImgHandle(), 11);
  EXPECT_EQ(Queued()[2].data.GetCurrentImgHandle(), 18);
}

TEST_F(DrawStrategyTest, SpriteIsQueuedAtTheOwnersPlaceLiftedByItsHeight) {
  CDrawStrategyDir4 s(unit, Records<4>());
  unit.height = 2;
  unit.drawOffset = {0, 1};
  s.Draw();
  ASSERT_EQ(Queued().size(), 1u);
  EXPECT_EQ(Queued()[0].position, SPointD(100, 49));
  EXPECT_EQ(Queued()[0].priority, 9049);

  s.SetVisible(false);
  s.SetAfterImageCount(3);
  s.Draw();
  EXPECT_EQ(Queued().size(), 1u) << "a hidden sprite queues nothing";
  EXPECT_TRUE(s.GetAfterImages().empty()) << "and leaves no trail";
}

TEST_F(DrawStrategyTest, AfterImagesTrailEverySecondSampleWithRisingAlpha) {
  CDrawStrategyDir4 s(unit, Records<4>(), EDirection4::LEFT);
  s.SetAfterImageCount(4);
  s.SetAlpha(50);  // sprites only: the trail keeps its own alpha
  // Five frames, moving 10 pixels right each; the first sample is dropped.
  for (int frame = 0; frame < 5; ++frame) {
    if (frame == 3) s.SetDirection4(EDirection4::UP);
    stage.GetDrawQueue().Flush();
    unit.position = {100.0 + 10 * frame, 50};
    s.Draw();
  }
  ASSERT_EQ(s.GetAfterImages().size(), 4u);
  EXPECT_EQ(s.GetAfterImages().front().position, SPointD(110, 50));

  // Trail copies for list indices 0 and 2, then the sprite itself.
  ASSERT_EQ(Queued().size(), 3u);
  const CDrawInfoForQueue& oldest = Queued()[0];
  EXPECT_EQ(oldest.position, SPointD(110, 50));
  EXPECT_EQ(oldest.priority, 9049) << "just under the sprite";
  EXPECT_EQ(oldest.data.GetAlpha(), 100.0);
  EXPECT_EQ(oldest.data.GetCurrentImgHandle(), 10) << "sampled while facing left";
  const CDrawInfoForQueue& third = Queued()[1];
  EXPECT_EQ(third.position, SPointD(130, 50));
  EXPECT_EQ(third.data.GetAlpha(), 177.5);
  EXPECT_EQ(third.data.GetCurrentImgHandle(), 11) << "sampled while facing up";
  const CDrawInfoForQueue& sprite = Queued()[2];
  EXPECT_EQ(sprite.position, SPointD(140, 50));
  EXPECT_EQ(sprite.priority, 9050);
  EXPECT_EQ(sprite.data.GetAlpha(), 50.0);

  // Drawn through the library the alphas are truncated: 100 and 177.
  CCallRecording rec;
  stage.GetDrawQueue().Flush();
  EXPECT_EQ(rec.Calls(), (std::vector<std::string>{
                             "SetDrawBlendMode(1,100)", "DrawGraph(110,50,10,1)", "SetDrawBlendMode(0,0)",
                             "SetDrawBlendMode(1,177)", "DrawGraph(130,50,11,1)", "SetDrawBlendMode(0,0)",
                             "SetDrawBlendMode(1,50)", "DrawGraph(140,50,11,1)", "SetDrawBlendMode(0,0)"}));

  s.SetAfterImageCount(0);
  EXPECT_TRUE(s.GetAfterImages().empty()) << "switching the trail off drops it at once";
}

TEST_F(DrawStrategyTest, AlphaAndBrightnessTouchSpritesOnlyAndGetAlphaIsUnclamped) {
  CDrawStrategyDir4 s(unit, Records<4>());
  s.SetAlpha(255);
  s.AddAlpha(-10);
  EXPECT_EQ(s.GetAlpha(), 255) << "the last value given to SetAlpha";
  EXPECT_EQ(s.GetSprite(2).GetAlpha(), 245.0);
  s.SetAlpha(-5);
  EXPECT_EQ(s.GetAlpha(), -5);
  EXPECT_EQ(s.GetSprite(0).GetAlpha(), 0.0);
  s.SetBright(10, 20, 30);
  EXPECT_EQ(s.GetSprite(3).brightB, 30);
  for (int f = 0; f < 4; ++f) {
    EXPECT_EQ(s.GetAfterImageSprite(f).GetAlpha(), 255.0);
    EXPECT_EQ(s.GetAfterImageSprite(f).brightR, 255);
  }
}

}  // namespace

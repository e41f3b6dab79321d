#include "combat/effect.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "battle/stage.h"

namespace {

TEST(CEffectTest, LivesItsLifetimeInUpdatesAndTheNextOnlyEndsIt) {
  CStage stage;
  SDrawData picture(1);
  picture.SetSize(16, 16);
  CEffect effect(stage, EEffectType::DAMAGE_NUMBER, {100, 100}, picture, 90.0, 1.0, 8);
  std::vector<int> everyFrame;
  std::vector<int> once;
  effect.callbacks[CEffect::EVERY_FRAME] = [&](CEffect& e) { everyFrame.push_back(e.GetFrameCount()); };
  effect.callbacks[3] = [&](CEffect& e) { once.push_back(e.GetFrameCount()); };
  for (int i = 0; i < 8; ++i) effect.Move();
  EXPECT_TRUE(effect.IsAlive());
  effect.Move();
  EXPECT_FALSE(effect.IsAlive());
  EXPECT_NEAR(effect.position.x, 108.0, 1e-9) << "moved 8 times, not 9";
  EXPECT_EQ(everyFrame, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(once, std::vector<int>{3});
}

TEST(CEffectCreatorTest, SparklesDriftFadeOutAndEndAfterSeventyUpdates) {
  CStage stage;
  // The healing sparkle spins; the speed streak stays upright.
  for (auto [kind, angleAfter70] : {std::pair{EEffectType::HEAL, 210.0}, std::pair{EEffectType::SPEED_RED, 0.0}}) {
    SCOPED_TRACE(ToString(kind));
    auto sparkle = CEffectCreator::Create(stage, kind, {50, 50}, 180.0, 0.5);
    std::vector<double> alphas;
    for (int i = 0; i < 70; ++i) {
      sparkle->Move();
      alphas.push_back(sparkle->drawData.GetAlpha());
    }
    EXPECT_NEAR(sparkle->position.y, 85.0, 1e-9);
    EXPECT_EQ(alphas[10], 200.0) << "full strength through the 11th update";
    EXPECT_EQ(alphas[11], 195.0);
    EXPECT_EQ(alphas[49], 5.0);
    EXPECT_EQ(alphas[50], 0.0) << "invisible from the 51st update";
    EXPECT_NEAR(sparkle->drawData.angle, angleAfter70, 1e-9);
    EXPECT_TRUE(sparkle->IsAlive());
    sparkle->Move();
    EXPECT_FALSE(sparkle->IsAlive());
  }
}

TEST(CEffectCreatorTest, ShotHitSparkStaysPutAndEndsBeforeItsStripIsThrough) {
  CStage stage;
  auto spark = CEffectCreator::Create(stage, EEffectType::SHOT_HIT, {40, 60}, 0.0, 0.0);
  for (int i = 0; i < 8; ++i) spark->Move();
  EXPECT_TRUE(spark->IsAlive());
  EXPECT_EQ(spark->position, SPointD(40, 60));
  EXPECT_EQ(spark->drawData.imageIndex, 4) << "two updates per image, 8 images";
  spark->Move();
  EXPECT_FALSE(spark->IsAlive());
  EXPECT_THROW(CEffectCreator::Create(stage, EEffectType::DAMAGE_NUMBER, {0, 0}, 0.0, 0.0), std::runtime_error);
}

}  // namespace

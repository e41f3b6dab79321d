// The balloon over a unit: its picture, place, draw order and time.
#include "field/emotion.h"

#include <gtest/gtest.h>

#include "assets/unit_sprites.h"
#include "battle/real_battle_test.h"
#include "battle/stage.h"
#include "field/enemy.h"
#include "field/unit.h"

namespace {

using EmotionTest = RealBattleTest;

TEST_F(EmotionTest, ABalloonFloats24PixelsAboveTheSpriteForItsFramesAndANewOneReplacesIt) {
  CStage stage;
  CUnit unit(ECharactor::KNIGHT, 0, SPoint(2, 3));
  CEnemy actor(stage, unit);
  actor.drawOffset = SPointD(0.0, -6.0);  // in the middle of a hop
  actor.ShowEmotion(EEmotion::SWEAT, 2);
  actor.Draw();
  const auto& queued = stage.GetDrawQueue().GetEntries();
  ASSERT_EQ(queued.size(), 3u) << "shadow, sprite, balloon";
  const CDrawInfoForQueue& balloon = queued.back();
  EXPECT_EQ(balloon.position, SPointD(80.0, 82.0));
  EXPECT_EQ(balloon.priority, 9082) << "sorted like the unit's own sprite";
  EXPECT_EQ(balloon.data.images.at(0).handle, emotionSprites[5]);
  EXPECT_NE(emotionSprites[5], emotionSprites[4]);
  EXPECT_EQ(balloon.data.width, 32);
  stage.GetDrawQueue().Flush();

  actor.Move();
  ASSERT_NE(actor.GetEmotion(), nullptr);
  actor.Move();
  EXPECT_EQ(actor.GetEmotion(), nullptr) << "gone after two updates";

  actor.ShowEmotion(EEmotion::QUESTION, 50);
  actor.ShowEmotion(EEmotion::SURPRISE, -3);
  EXPECT_EQ(actor.GetEmotion()->GetEmotion(), EEmotion::SURPRISE);
  actor.Move();
  EXPECT_EQ(actor.GetEmotion(), nullptr) << "no time at all";
}

}  // namespace

#include "battle/enemy.h"

#include <gtest/gtest.h>

#include "battle/cursor.h"
#include "battle/stage.h"
#include "battle/unit.h"
#include "runtime/gamelib/gamelib.h"

namespace {

TEST(UnitActor, HpBarIsRedUnderGreenInABlackFrame) {
  CStage stage;
  CUnit unit(ECharactor::KNIGHT, 0, SPoint(2, 3));
  unit.InitByCharactor();
  unit.maxHp = 10;
  unit.hp = 5;
  CEnemy actor(stage, unit);
  EXPECT_EQ(actor.position, SPointD(80.0, 112.0));

  actor.DrawHpBar();
  gamelib_test::ClearRecordedCalls();
  gamelib_test::StartRecording();
  stage.GetDrawQueue().Flush();
  gamelib_test::StopRecording();
  const auto red = std::to_string(GetColor(255, 0, 0));
  const auto green = std::to_string(GetColor(0, 255, 0));
  EXPECT_EQ(gamelib_test::RecordedCalls(),
            (std::vector<std::string>{"DrawBox(68,127,92,129," + red + ",1)", "DrawBox(68,127,80,129," + green + ",1)",
                                      "DrawBox(67,126,93,130,0,0)"}));

  // A dead unit's bar is all red; a negative HP is read as 0.
  unit.hp = -3;
  actor.DrawHpBar();
  gamelib_test::ClearRecordedCalls();
  gamelib_test::StartRecording();
  stage.GetDrawQueue().Flush();
  gamelib_test::StopRecording();
  ASSERT_EQ(gamelib_test::RecordedCalls().size(), 3u);
  EXPECT_EQ(gamelib_test::RecordedCalls()[1], "DrawBox(68,127,68,129," + green + ",1)");
  gamelib_test::ClearRecordedCalls();
}

TEST(UnitActor, FollowsTheUnitsFacingAndStandsAboveItsShadow) {
  CStage stage;
  CUnit unit(ECharactor::SLIME, 1, SPoint(0, 0));
  unit.InitByCharactor();
  CEnemy actor(stage, unit);
  unit.SetDirection(EDirection4::UP);
  actor.Move();
  EXPECT_EQ(actor.GetDrawStrategy().GetDirection4(), EDirection4::UP);

  actor.Draw();
  gamelib_test::ClearRecordedCalls();
  gamelib_test::StartRecording();
  stage.GetDrawQueue().Flush();
  gamelib_test::StopRecording();
  // Shadow first (it lies under the unit), then the sprite.
  EXPECT_EQ(gamelib_test::RecordedCalls().size(), 2u);
  gamelib_test::ClearRecordedCalls();
}

TEST(MapCursor, StepsOneCellAlongNineDirections) {
  CStage stage;
  CCursor cursor(stage);
  cursor.SetGrid(SPoint(5, 5));
  cursor.Step(dir9::UP_LEFT);
  EXPECT_EQ(cursor.GetGrid(), SPoint(4, 4));
  cursor.Step(dir9::RIGHT);
  EXPECT_EQ(cursor.GetGrid(), SPoint(5, 4));
  cursor.Step(dir9::DOWN_RIGHT);
  EXPECT_EQ(cursor.GetGrid(), SPoint(6, 5));
  cursor.Step(dir9::CENTER);
  EXPECT_EQ(cursor.GetGrid(), SPoint(6, 5));
  cursor.Step(dir9::DOWN);
  EXPECT_EQ(cursor.GetGrid(), SPoint(6, 6));

  // Hidden, it draws nothing.
  cursor.visible = false;
  gamelib_test::ClearRecordedCalls();
  gamelib_test::StartRecording();
  cursor.Draw();
  gamelib_test::StopRecording();
  EXPECT_TRUE(gamelib_test::RecordedCalls().empty());
}

}  // namespace

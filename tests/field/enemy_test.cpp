#include "field/enemy.h"

#include <gtest/gtest.h>

#include <utility>

#include "battle/cursor.h"
#include "battle/stage.h"
#include "field/unit.h"
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

  // A dead unit's bar is all red; a negative HP is read as 0, and a unit
  // without a maximum (a rank with no parameter set) has an empty bar.
  for (const auto& [hp, maxHp] : {std::pair{-3, 10}, std::pair{0, 0}, std::pair{7, 0}}) {
    unit.hp = hp;
    unit.maxHp = maxHp;
    actor.DrawHpBar();
    gamelib_test::ClearRecordedCalls();
    gamelib_test::StartRecording();
    stage.GetDrawQueue().Flush();
    gamelib_test::StopRecording();
    ASSERT_EQ(gamelib_test::RecordedCalls().size(), 3u);
    EXPECT_EQ(gamelib_test::RecordedCalls()[1], "DrawBox(68,127,68,129," + green + ",1)") << hp << "/" << maxHp;
  }
  // A defeated enemy fading out has no bar any more.
  actor.GetDrawStrategy().SetAlpha(245);
  actor.DrawHpBar();
  EXPECT_TRUE(stage.GetDrawQueue().GetEntries().empty());
  gamelib_test::ClearRecordedCalls();
}

TEST(UnitActor, TurnsWithTheUnitAtOnceAndStandsAboveItsShadow) {
  CStage stage;
  InstallUnitActorMaker();
  CUnit unit(ECharactor::SLIME, 1, SPoint(0, 0));
  unit.InitByCharactor();
  unit.CreateActor(stage);
  auto& actor = dynamic_cast<CEnemy&>(*unit.actor);
  // The sprite row follows before the actor moves again (a turn during a hit stop shows).
  unit.SetDirection(EDirection4::LEFT);
  EXPECT_EQ(actor.GetDrawStrategy().GetDirection4(), EDirection4::LEFT);
  EXPECT_EQ(actor.heading, 270.0);
  unit.SetDirection(EDirection4::UP);
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

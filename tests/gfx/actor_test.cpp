#include "gfx/actor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/call_recording.h"

namespace {

TEST(CActorTest, MoveStepsAlongTheHeading) {
  struct Case {
    double heading;
    SPointD step;
  };
  for (const Case& c : {Case{90, {2, 0}}, Case{180, {0, 2}}, Case{0, {0, -2}}, Case{270, {-2, 0}}}) {
    CActor actor(SDrawData(1), {100, 50}, 2.0, c.heading);
    actor.Move();
    actor.Move();
    EXPECT_NEAR(actor.position.x, 100 + 2 * c.step.x, 1e-9) << "heading " << c.heading;
    EXPECT_NEAR(actor.position.y, 50 + 2 * c.step.y, 1e-9) << "heading " << c.heading;
    EXPECT_EQ(actor.GetFrameCount(), 2);
  }
}

TEST(CActorTest, UpdateFrameAnimatesAndTurnsThePictureWithTheHeading) {
  SDrawData strip(1);
  strip.AddImage(2);
  strip.frameWait = 0;
  CActor actor(strip, {0, 0}, 0.0, 135.0);
  actor.UpdateFrame();
  EXPECT_EQ(actor.drawData.GetCurrentImgHandle(), 2);
  EXPECT_EQ(actor.drawData.angle, 135.0);
  EXPECT_EQ(actor.position, SPointD(0, 0)) << "UpdateFrame does not move";

  actor.followHeading = false;
  actor.drawData.SetAngle(10);
  actor.heading = 200;
  actor.Move();
  EXPECT_EQ(actor.drawData.angle, 10.0);
}

TEST(CActorTest, DrawsAtPositionPlusDrawOffsetAndKillEndsIt) {
  SDrawData d(5);
  d.SetSize(32, 32);
  CActor actor(d, {100, 100});
  actor.drawOffset = {0, -4};
  CCallRecording rec;
  actor.Draw();
  // Without a loaded image the record keeps the size it was given.
  EXPECT_EQ(rec.Calls(), std::vector<std::string>{"DrawGraph(84,80,5,1)"});

  EXPECT_TRUE(actor.IsAlive());
  actor.Kill();
  EXPECT_FALSE(actor.IsAlive());
  actor.SetAlive(true);
  EXPECT_TRUE(actor.IsAlive());
}

TEST(CActorTest, CloneCopiesEveryField) {
  CActor actor(SDrawData(3), {1, 2}, 1.5, 45);
  actor.drawOffset = {3, 4};
  actor.name = "spark";
  actor.followHeading = false;
  actor.Move();
  actor.Kill();
  const auto copy = actor.Clone();
  EXPECT_EQ(copy->position, actor.position);
  EXPECT_EQ(copy->drawOffset, actor.drawOffset);
  EXPECT_EQ(copy->speed, 1.5);
  EXPECT_EQ(copy->heading, 45.0);
  EXPECT_EQ(copy->name, "spark");
  EXPECT_FALSE(copy->followHeading);
  EXPECT_FALSE(copy->IsAlive());
  EXPECT_EQ(copy->GetFrameCount(), 1);
  EXPECT_EQ(copy->drawData.GetCurrentImgHandle(), 3);
}

}  // namespace

#include "gfx/stage_actor.h"

#include <gtest/gtest.h>

#include "battle/stage.h"

namespace {

TEST(CStageActorTest, QueuesLiftedByHeightAtLayerPriority) {
  CStage stage;
  stage.SetCameraPosition({320, 240});
  CStageActor actor(stage, SDrawData(4), {100, 50});
  actor.height = 8;
  actor.layer = 9;
  actor.Draw();
  const auto& entries = stage.GetDrawQueue().GetEntries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].position, SPointD(100, 42));
  EXPECT_EQ(entries[0].priority, 9042);

  // A scrolled camera moves the picture, the draw offset shakes it.
  stage.SetCameraPosition({400, 300});
  actor.drawOffset = {1.5, -2};
  EXPECT_EQ(actor.GetScreenPosition(), SPointD(20, -10));
  actor.Draw();
  EXPECT_EQ(entries[1].position, SPointD(21.5, -20));
  EXPECT_EQ(entries[1].priority, 8980);
}

TEST(CStageActorTest, GridPositionIsTheCellCentreAndBack) {
  CStage stage;
  CStageActor actor(stage, SDrawData(1), {0, 0});
  actor.SetGridPosition(0, 0);
  EXPECT_EQ(actor.position, SPointD(16, 16));
  actor.SetGridPosition(2, 3);
  EXPECT_EQ(actor.position, SPointD(80, 112));
  EXPECT_EQ(actor.GetGridPosition(), SPoint(2, 3));
  actor.position = {-0.5, 31.9};
  EXPECT_EQ(actor.GetGridPosition(), SPoint(-1, 0));
}

TEST(CStageActorTest, IdsAreUniqueAndACloneKeepsStageAndPlace) {
  CStage stage;
  CStageActor a(stage, SDrawData(1), {0, 0});
  CStageActor b(stage, SDrawData(1), {0, 0});
  EXPECT_EQ(b.GetId(), a.GetId() + 1);

  a.layer = 10;
  a.height = 5;
  a.position = {7, 9};
  const auto copy = a.Clone();
  auto* stageCopy = dynamic_cast<CStageActor*>(copy.get());
  ASSERT_NE(stageCopy, nullptr);
  EXPECT_EQ(stageCopy->GetId(), a.GetId());
  EXPECT_EQ(stageCopy->layer, 10);
  EXPECT_EQ(stageCopy->height, 5.0);
  EXPECT_EQ(stageCopy->position, SPointD(7, 9));
  EXPECT_EQ(&stageCopy->GetMapView(), &stage);
}

}  // namespace

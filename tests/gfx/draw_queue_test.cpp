#include "gfx/draw_queue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/call_recording.h"

namespace {

using Calls = std::vector<std::string>;

TEST(CDrawDataQueueTest, FlushPaintsByAscendingPriorityThenEmpties) {
  CDrawDataQueue queue;
  queue.Add({10, 10}, SDrawData(1), 9100);
  queue.Add({20, 20}, SDrawData(2), 9050);
  queue.Add({30, 30}, SDrawData(3), 0);
  queue.Add({40, 40}, SDrawData(4), 9050);  // same priority: after the first one queued
  queue.Add({50, 50}, SDrawData(5), -3);
  CCallRecording rec;
  queue.Flush();
  EXPECT_EQ(rec.Calls(), (Calls{"DrawGraph(50,50,5,1)", "DrawGraph(30,30,3,1)", "DrawGraph(20,20,2,1)",
                                "DrawGraph(40,40,4,1)", "DrawGraph(10,10,1,1)"}));
  EXPECT_TRUE(queue.IsEmpty());

  rec.Clear();
  queue.Flush();
  EXPECT_TRUE(rec.Calls().empty()) << "a flushed queue draws nothing again";
}

TEST(CDrawDataQueueTest, CallbacksRunInPlaceOfRecordsAndMayQueueForNextFlush) {
  CDrawDataQueue queue;
  std::vector<std::string> order;
  queue.Add({0, 0}, SDrawData(1), 2500);
  queue.AddCallback(
      [&] {
        order.push_back("grid");
        SetDrawBlendMode(DX_BLENDMODE_ALPHA, 150);
        queue.Add({5, 5}, SDrawData(9), 0);  // queued while flushing
      },
      2000);
  CCallRecording rec;
  queue.Flush();
  EXPECT_EQ(order, std::vector<std::string>{"grid"});
  EXPECT_EQ(rec.Calls(), (Calls{"SetDrawBlendMode(1,150)", "DrawGraph(0,0,1,1)"}));
  ASSERT_EQ(queue.GetEntries().size(), 1u);

  rec.Clear();
  queue.Flush();
  EXPECT_EQ(rec.Calls(), Calls{"DrawGraph(5,5,9,1)"});
  EXPECT_EQ(order.size(), 1u) << "a flushed callback is not run twice";
}

TEST(CDrawDataQueueTest, QueuedRecordIsACopy) {
  CDrawDataQueue queue;
  SDrawData d(1);
  queue.Add({0, 0}, d, 0);
  d.images[0].handle = 2;
  d.visible = false;
  CCallRecording rec;
  queue.Flush();
  EXPECT_EQ(rec.Calls(), Calls{"DrawGraph(0,0,1,1)"});
}

}  // namespace

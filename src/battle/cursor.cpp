#include "battle/cursor.h"

#include "battle/stage.h"
#include "core/direction.h"
#include "runtime/globals.h"

namespace {
SDrawData CursorRecord() {
  SDrawData record(GetImageHandle("ui_parts/cursor.png"));
  record.SetSizeFromImage();
  record.SetImageSize(record.width, record.height);
  return record;
}
}  // namespace

CCursor::CCursor(CStage& stage) : CStageActor(stage, CursorRecord(), SPointD(16.0, 16.0)) { followHeading = false; }

// The battle draws the cursor after its queue has been flushed, so the frame
// lies over every unit and effect of the map.
void CCursor::Draw() {
  if (!visible) return;
  DrawSDrawData(drawData, GetScreenPosition() + SPointD(0.0, -height - heightOffset) + drawOffset);
}

void CCursor::Step(int direction9) {
  constexpr int kCell = 32;
  switch (direction9) {
    case dir9::DOWN_LEFT: case dir9::LEFT: case dir9::UP_LEFT: position.x -= kCell; break;
    case dir9::DOWN_RIGHT: case dir9::RIGHT: case dir9::UP_RIGHT: position.x += kCell; break;
    default: break;
  }
  switch (direction9) {
    case dir9::UP_LEFT: case dir9::UP: case dir9::UP_RIGHT: position.y -= kCell; break;
    case dir9::DOWN_LEFT: case dir9::DOWN: case dir9::DOWN_RIGHT: position.y += kCell; break;
    default: break;
  }
}

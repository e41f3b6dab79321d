#include "battle/cursor.h"

#include "battle/stage.h"
#include "core/direction.h"
#include "field/geographical_features.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"

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

bool CCursorStepping::Step(CStage& stage) {
  if (!keyManager) return false;
  CCursor& cursor = *stage.cursor;
  const SPoint start = cursor.GetGrid();
  const int d = keyManager->GetDirection9();
  if (d == dir9::CENTER) {
    holdCount = 0;
  } else if (d == lastDirection) {
    ++holdCount;
    if (holdCount >= 20 && holdCount % 5 == 0) cursor.Step(d);
  } else {
    holdCount = 0;
    cursor.Step(d);
  }
  const CGeographicalFeatures* map = stage.GetMap();
  const SPoint now = cursor.GetGrid();
  const bool outside = !map || now.x < 0 || now.y < 0 || now.x > map->chipWidth / 2.0 - 1 ||
                       now.y > map->chipHeight / 2.0 - 1;
  if (outside) cursor.SetGrid(start);
  lastDirection = d;
  return cursor.GetGrid() != start;
}

#include "battle/unit_order_window.h"

#include <cstdio>

#include "battle/cursor.h"
#include "battle/stage.h"
#include "field/enemy.h"
#include "field/unit.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"

CUnitOrderWindow::CUnitOrderWindow(CStage& stage_) : stage(&stage_) {
  arrow = SDrawData(GetImageHandle("ui_parts/arrow.png"));
  arrow.SetSize(16, 16);
  arrow.SetImageSize(16, 16);
  arrow.SetRotate(true);
  arrow.SetAngle(180.0);  // the picture points up; here it points down into the row

  for (const char* key : {"portal1.png", "portal2.png", "portal3.png", "portal2.png"})
    portal.AddImage(GetImageHandle(key));
  portal.frameWait = 12;
  portal.SetLoop(true);
  portal.SetSize(32, 32);
  portal.SetImageSize(32, 32);
}

void CUnitOrderWindow::Update() {
  arrow.UpdateAnimation();
  portal.UpdateAnimation();
}

void CUnitOrderWindow::Draw() {
  if (!stage->overlay) return;
  const CStageState& state = stage->state;

  const CUnit* hovered = nullptr;
  if (stage->cursor && stage->cursor->visible) {
    const auto here = state.GetUnitsAt(stage->cursor->GetGrid());
    if (here.size() == 1) hovered = here.front();
  }

  const unsigned int white = GetColor(255, 255, 255);
  DrawStringToHandle(2, 450, "turn", white, fontEdge12);
  char count[16];
  std::snprintf(count, sizeof count, "%3d", state.turnCount);
  DrawStringToHandle(8, 466, count, white, fontEdge12);

  for (size_t i = 0; i < state.units.size(); ++i) {
    const CUnit& unit = *state.units[i];
    const double x = 48.0 + 32.0 * static_cast<double>(i);
    if (hovered && hovered->id == unit.id) DrawSDrawData(portal, SPointD(x, 468.0));
    if (const auto* actor = dynamic_cast<const CEnemy*>(unit.actor.get())) {
      const CDrawStrategyDir4& strategy = actor->GetDrawStrategy();
      DrawSDrawData(strategy.GetSprite(static_cast<int>(strategy.GetDirection4())), SPointD(x, 464.0));
    }
  }
  if (showPreview) DrawSDrawData(arrow, SPointD(64.0 + 32.0 * previewIndex, 448.0));
}

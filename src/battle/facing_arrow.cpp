#include "battle/facing_arrow.h"

#include "field/unit.h"
#include "gfx/stage_actor.h"
#include "runtime/globals.h"

CFacingArrow::CFacingArrow() : arrow(GetImageHandle("ui_parts/arrow.png")) {
  arrow.SetSize(16, 16);
  arrow.SetImageSize(16, 16);
  arrow.pivot = {-8, -8};  // centred on the point it is drawn at
  arrow.SetRotate(true);
}

void CFacingArrow::Draw(const CUnit& unit) {
  if (!unit.actor) return;
  const double angle = Direction4ToAngle(unit.direction);
  arrow.SetAngle(angle);
  DrawSDrawData(arrow, unit.actor->GetScreenPosition() + SPointD(0.0, -24.0).Rotated(angle) + SPointD(0.0, 3.0));
}

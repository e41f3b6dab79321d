#include "gfx/stage_actor.h"

#include "core/map_grid.h"

namespace {
int nextStageActorId = 0;
}

CStageActor::CStageActor(CMapView& view_, const SDrawData& data, SPointD position_, double speed_, double heading_)
    : CActor(data, position_, speed_, heading_), id(nextStageActorId++), view(&view_) {}

void CStageActor::CopyTo(CActor& other) const {
  CActor::CopyTo(other);
  if (auto* target = dynamic_cast<CStageActor*>(&other)) target->CStageActor::operator=(*this);
}

std::unique_ptr<CActor> CStageActor::Clone() const {
  auto copy = std::make_unique<CStageActor>(*view, drawData, position);
  CopyTo(*copy);
  return copy;
}

SPointD CStageActor::GetScreenPosition() const {
  return position - view->GetCameraPosition() + SPointD(320.0, 240.0);
}

void CStageActor::Draw() {
  const SPointD p = GetScreenPosition() + SPointD(0.0, -height) + drawOffset;
  view->GetDrawQueue().Add(p, drawData, LayerPriority(layer, p.y));
}

SPoint CStageActor::GetGridPosition() const { return PixelToGrid(position); }

void CStageActor::SetGridPosition(int x, int y) { position = GridToPixel({x, y}); }

void CStageActor::SetDirection(EDirection4 d) { heading = Direction4ToAngle(d); }

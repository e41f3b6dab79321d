#include "gfx/stage_actor.h"

#include <cmath>

#include "battle/stage.h"

namespace {
int nextStageActorId = 0;
}

CStageActor::CStageActor(CStage& stage_, const SDrawData& data, SPointD position_, double speed_, double heading_)
    : CActor(data, position_, speed_, heading_), id(nextStageActorId++), stage(&stage_) {}

void CStageActor::CopyTo(CActor& other) const {
  CActor::CopyTo(other);
  if (auto* target = dynamic_cast<CStageActor*>(&other)) target->CStageActor::operator=(*this);
}

std::unique_ptr<CActor> CStageActor::Clone() const {
  auto copy = std::make_unique<CStageActor>(*stage, drawData, position);
  CopyTo(*copy);
  return copy;
}

SPointD CStageActor::GetScreenPosition() const {
  return position - stage->GetCameraPosition() + SPointD(320.0, 240.0);
}

void CStageActor::Draw() {
  const SPointD p = GetScreenPosition() + SPointD(0.0, -height) + drawOffset;
  stage->GetDrawQueue().Add(p, drawData, LayerPriority(layer, p.y));
}

SPoint MapPixelToGrid(SPointD p) {
  return {static_cast<int>(std::floor(p.x / 32.0)), static_cast<int>(std::floor(p.y / 32.0))};
}

SPoint CStageActor::GetGridPosition() const { return MapPixelToGrid(position); }

void CStageActor::SetGridPosition(int x, int y) { position = {x * 32.0 + 16.0, y * 32.0 + 16.0}; }

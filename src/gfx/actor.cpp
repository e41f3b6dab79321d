#include "gfx/actor.h"

CActor::CActor(const SDrawData& data, SPointD position_, double speed_, double heading_)
    : drawData(data), position(position_), heading(heading_), speed(speed_) {
  drawData.SetSizeFromImage();
}

void CActor::CopyTo(CActor& other) const { other.CActor::operator=(*this); }

std::unique_ptr<CActor> CActor::Clone() const {
  auto copy = std::make_unique<CActor>(drawData, position);
  CopyTo(*copy);
  return copy;
}

void CActor::UpdateFrame() {
  ++frameCount;
  drawData.UpdateAnimation();
  if (followHeading) drawData.SetAngle(heading);
}

void CActor::Move() {
  UpdateFrame();
  position += SPointD(0.0, -speed).Rotated(heading);
}

void CActor::Draw() { DrawSDrawData(drawData, position + drawOffset); }

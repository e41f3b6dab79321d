#include "gfx/draw_strategy.h"

#include <stdexcept>
#include <string>

#include "gfx/stage_actor.h"

CDrawStrategyBase::CDrawStrategyBase(CStageActor& owner_) : owner(&owner_) {}

void CDrawStrategyBase::SetAfterImageCount(int count) {
  afterImageCount = count > 0 ? count : 0;
  // A shorter trail forgets its oldest samples at once, rather than leaving
  // them frozen on the map.
  while (static_cast<int>(afterImages.size()) > afterImageCount) afterImages.pop_front();
}

template <int N>
CDrawStrategyFacings<N>::CDrawStrategyFacings(CStageActor& owner_, const std::array<SDrawData, N>& records)
    : CDrawStrategyBase(owner_), sprites(records), afterImageSprites(records) {}

template <int N>
void CDrawStrategyFacings<N>::Draw() {
  if (!visible) return;
  const double layerBase = owner->layer * 1000.0;
  CDrawDataQueue& queue = owner->GetMapView().GetDrawQueue();

  if (afterImageCount > 0) {
    afterImages.push_back({owner->position, FacingAsDirection9(), owner->height, owner->drawOffset, visible});
    if (static_cast<int>(afterImages.size()) > afterImageCount) afterImages.pop_front();
  }
  const SPointD toScreen = SPointD(320.0, 240.0) - owner->GetMapView().GetCameraPosition();
  const double samples = static_cast<double>(afterImages.size());
  for (std::size_t i = 0; i < afterImages.size(); i += 2) {
    const CAfterImageInfo& sample = afterImages[i];
    if (!sample.visible) continue;
    SDrawData trail = afterImageSprites[FacingIndexOf(sample.direction9)];
    trail.SetAlpha(100.0 + 155.0 * static_cast<double>(i) / samples);
    const SPointD p = sample.position + toScreen + SPointD(0.0, -sample.height) + sample.drawOffset;
    queue.Add(p, trail, static_cast<int>(p.y + layerBase - 1.0));
  }

  const SPointD p = owner->GetScreenPosition() + SPointD(0.0, -owner->height) + owner->drawOffset;
  queue.Add(p, sprites[FacingIndex()], static_cast<int>(p.y + layerBase));
}

template <int N>
void CDrawStrategyFacings<N>::UpdateAnimation() {
  for (SDrawData& d : sprites) d.UpdateAnimation();
  for (SDrawData& d : afterImageSprites) d.UpdateAnimation();
}

template <int N>
void CDrawStrategyFacings<N>::AddAlpha(int delta) {
  for (SDrawData& d : sprites) d.SetAlpha(d.GetAlpha() + delta);
}

template <int N>
void CDrawStrategyFacings<N>::SetAlpha(int a) {
  alpha = a;
  for (SDrawData& d : sprites) d.SetAlpha(a);
}

template <int N>
void CDrawStrategyFacings<N>::SetBright(int r, int g, int b) {
  for (SDrawData& d : sprites) {
    d.brightR = r;
    d.brightG = g;
    d.brightB = b;
  }
}

template <int N>
void CDrawStrategyFacings<N>::SetImageIndex(int index) {
  for (SDrawData& d : sprites) d.imageIndex = index;
  for (SDrawData& d : afterImageSprites) d.imageIndex = index;
}

template <int N>
void CDrawStrategyFacings<N>::SetTurn(bool on) {
  for (SDrawData& d : sprites) d.turn = on;
  for (SDrawData& d : afterImageSprites) d.turn = on;
}

template <int N>
void CDrawStrategyFacings<N>::SetAngle(double degrees) {
  for (SDrawData& d : sprites) d.SetAngle(degrees);
  for (SDrawData& d : afterImageSprites) d.SetAngle(degrees);
}

template <int N>
void CDrawStrategyFacings<N>::SetRotate(bool on) {
  for (SDrawData& d : sprites) d.SetRotate(on);
  for (SDrawData& d : afterImageSprites) d.SetRotate(on);
}

template class CDrawStrategyFacings<1>;
template class CDrawStrategyFacings<2>;
template class CDrawStrategyFacings<4>;
template class CDrawStrategyFacings<9>;

CDrawStrategyNormal::CDrawStrategyNormal(CStageActor& owner_, const SDrawData& record)
    : CDrawStrategyFacings<1>(owner_, {record}) {}

CDrawStrategyLR::CDrawStrategyLR(CStageActor& owner_, const std::array<SDrawData, 2>& records, EDirectionLR facing_)
    : CDrawStrategyFacings<2>(owner_, records), facing(facing_) {}

int CDrawStrategyLR::FacingIndexOf(int direction9) const {
  return static_cast<int>(direction9 == dir9::LEFT ? EDirectionLR::LEFT : EDirectionLR::RIGHT);
}

CDrawStrategyDir4::CDrawStrategyDir4(CStageActor& owner_, const std::array<SDrawData, 4>& records, EDirection4 facing_)
    : CDrawStrategyFacings<4>(owner_, records), facing(facing_) {}

namespace {
// The sheet row shown for a nine-direction index; the centre has none.
bool Direction9ToRow(int direction9, EDirection4& row) {
  switch (direction9) {
    case dir9::DOWN_LEFT: case dir9::DOWN: row = EDirection4::DOWN; return true;
    case dir9::DOWN_RIGHT: case dir9::RIGHT: row = EDirection4::RIGHT; return true;
    case dir9::LEFT: case dir9::UP_LEFT: row = EDirection4::LEFT; return true;
    case dir9::UP: case dir9::UP_RIGHT: row = EDirection4::UP; return true;
    default: return false;
  }
}
}  // namespace

void CDrawStrategyDir4::SetDirection9(int direction9) { Direction9ToRow(direction9, facing); }

int CDrawStrategyDir4::FacingIndexOf(int direction9) const {
  EDirection4 row = facing;
  Direction9ToRow(direction9, row);
  return static_cast<int>(row);
}

namespace {
int CheckedDirection9(int direction9) {
  if (direction9 < 0 || direction9 > 8) {
    throw std::out_of_range("nine-direction index must be 0..8, got " + std::to_string(direction9));
  }
  return direction9;
}
}  // namespace

CDrawStrategyDir9::CDrawStrategyDir9(CStageActor& owner_, const std::array<SDrawData, 9>& records, int direction9)
    : CDrawStrategyFacings<9>(owner_, records), facing(CheckedDirection9(direction9)) {}

void CDrawStrategyDir9::SetDirection9(int direction9) { facing = CheckedDirection9(direction9); }

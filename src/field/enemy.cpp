#include "field/enemy.h"

#include <algorithm>

#include "assets/unit_sprites.h"
#include "core/map_grid.h"
#include "field/battlefield.h"
#include "field/unit.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"

namespace {

SDrawData ShadowRecord() {
  SDrawData shadow(GetImageHandle("shadow.png"));
  shadow.SetSizeFromImage();
  shadow.SetImageSize(shadow.width, shadow.height);
  return shadow;
}

template <class Sheet>
std::array<SDrawData, 4> WalkRecords(const Sheet& sheet) {
  std::array<SDrawData, 4> records;
  for (int d = 0; d < 4; ++d) records[d] = MakeUnitWalkRecord(sheet, static_cast<EDirection4>(d));
  return records;
}

}  // namespace

CEnemy::CEnemy(CBattlefield& stage, CUnit& unit_) : CEnemy(stage, unit_, WalkRecords(unit_.spriteIndex)) {}

CEnemy::CEnemy(CBattlefield& stage, CUnit& unit_, const int (&frames)[UNIT_SPRITE_FRAMES])
    : CEnemy(stage, unit_, WalkRecords(frames)) {}

CEnemy::CEnemy(CBattlefield& stage, CUnit& unit_, const std::array<SDrawData, 4>& walk)
    : CStageActor(stage, SDrawData(), GridToPixel(unit_.grid)), unit(&unit_), shadow(ShadowRecord()) {
  followHeading = false;
  height = kSpriteLift;
  strategy = std::make_unique<CDrawStrategyDir4>(*this, walk, unit_.direction);
}

void CEnemy::Move() {
  CStageActor::Move();
  strategy->UpdateAnimation();
  if (emotion) {
    emotion->Update();
    if (emotion->IsEnd()) emotion.reset();
  }
}

void CEnemy::ShowEmotion(EEmotion kind, int frames) { emotion = std::make_unique<CEmotion>(*this, kind, frames); }

void CEnemy::SetDirection(EDirection4 d) {
  CStageActor::SetDirection(d);
  strategy->SetDirection4(d);
}

void CEnemy::Draw() {
  if (!strategy->IsVisible()) return;
  // The shadow lies on the ground, just under its own unit.
  const SPointD ground = GetScreenPosition() + drawOffset;
  // The shadow fades with the sprite (a defeated enemy fading out).
  shadow.SetAlpha(std::clamp(strategy->GetAlpha(), 0, 255));
  GetMapView().GetDrawQueue().Add(ground, shadow, LayerPriority(layer, ground.y) - 2);
  strategy->Draw();
  if (emotion) emotion->Draw();
}

void CEnemy::DrawHpBar() {
  // A fading (defeated) enemy's bar goes at once rather than stay solid.
  if (strategy->GetAlpha() < 255) return;
  const SPointD screen = GetScreenPosition();
  const int px = static_cast<int>(screen.x);
  const int py = static_cast<int>(screen.y);
  // A unit without a maximum (a rank with no parameter set) shows an empty bar.
  const double rate = unit->maxHp > 0 ? static_cast<double>(std::max(unit->hp, 0)) / unit->maxHp : 0.0;
  const int fill = static_cast<int>(px - 12 + 24 * rate);
  GetMapView().GetDrawQueue().AddCallback(
      [px, py, fill] {
        DrawBox(px - 12, py + 15, px + 12, py + 17, GetColor(255, 0, 0), TRUE);
        DrawBox(px - 12, py + 15, fill, py + 17, GetColor(0, 255, 0), TRUE);
        DrawBox(px - 13, py + 14, px + 13, py + 18, GetColor(0, 0, 0), FALSE);
      },
      LayerPriority(layer, py) + 1);
}

void InstallUnitActorMaker() {
  CUnit::actorMaker = [](CUnit& unit, CBattlefield& stage) -> std::unique_ptr<CStageActor> {
    return std::make_unique<CEnemy>(stage, unit);
  };
}

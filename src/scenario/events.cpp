#include "scenario/events.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <stdexcept>
#include <utility>

#include "assets/sound_manager.h"
#include "battle/stage.h"
#include "core/map_grid.h"
#include "field/charactor.h"
#include "field/enemy.h"
#include "field/geographical_features.h"
#include "field/traverse.h"
#include "field/unit.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"

// ---- one unit --------------------------------------------------------------------

CUnitEvent::CUnitEvent(CStage& stage_, std::string unitTag_) : COnceEvent(stage_), unitTag(std::move(unitTag_)) {}

void CUnitEvent::Start() {
  unit = stage->state.FindByKey(unitTag);
  if (unit && unit->actor) return;
  std::fprintf(stderr, "story scene: no unit tagged '%s' is on the map; its event is skipped\n", unitTag.c_str());
  unit = nullptr;
  done = true;
}

// ---- transitions -------------------------------------------------------------------

CEvent_Transition::CEvent_Transition(CStage& stage_, ETransition kind_) : CEventBase(stage_), kind(kind_) {}

void CEvent_Transition::Draw() {
  const ETransition k = kind;
  const int n = counter;
  stage->GetDrawQueue().AddCallback([k, n] { DrawTransition(k, n); }, kPriority);
}

void DrawTransition(ETransition kind, int n) {
  constexpr int kW = 640;
  constexpr int kH = 480;
  const unsigned int black = GetColor(0, 0, 0);
  const auto fade = [](unsigned int colour, int alpha) {
    SetDrawBlendMode(DX_BLENDMODE_ALPHA, alpha);
    DrawBox(0, 0, kW, kH, colour, TRUE);
    SetDrawBlendMode(DX_BLENDMODE_NOBLEND, 0);
  };
  const int bar = 6 * n;
  const int fadeIn = static_cast<int>(n * 5.666666666666667);
  const int fadeOut = static_cast<int>(255 - n * 5.666666666666667);
  switch (kind) {
    case ETransition::WIPEOUT:
      DrawBox(0, 0, kW, bar, black, TRUE);
      DrawBox(0, kH - bar, kW, kH, black, TRUE);
      break;
    case ETransition::WIPEIN:
      // Past 40 frames the bars lie off the screen.
      DrawBox(0, 0, kW, kH / 2 - bar, black, TRUE);
      DrawBox(0, kH / 2 + bar, kW, kH, black, TRUE);
      break;
    case ETransition::BLACKOUT: fade(black, fadeIn); break;
    case ETransition::BLACKIN: fade(black, fadeOut); break;
    case ETransition::WHITEOUT: fade(GetColor(255, 255, 255), fadeIn); break;
    case ETransition::WHITEIN: fade(GetColor(255, 255, 255), fadeOut); break;
  }
}

// ---- units joining and leaving --------------------------------------------------------

const int (&CUnitSheetCache::Get(const std::string& path))[UNIT_SPRITE_FRAMES] {
  auto [it, added] = sheets.try_emplace(path);
  SSheet& sheet = it->second;
  if (added) {
    try {
      LoadUnitSpriteSheet(path, sheet.frames);
    } catch (const std::runtime_error& e) {
      sheet.fault = e.what();
    }
  }
  if (!sheet.fault.empty()) throw std::runtime_error(sheet.fault);
  return sheet.frames;
}

CEvent_AppendUnit::CEvent_AppendUnit(CStage& stage_, const std::string& name, const std::string& imagePath,
                                     const std::string& unitTag, SPoint grid, EDirection4 direction,
                                     CUnitSheetCache* sheets)
    : COnceEvent(stage_) {
  int frames[UNIT_SPRITE_FRAMES] = {};
  try {
    if (sheets) {
      std::copy_n(sheets->Get(imagePath), UNIT_SPRITE_FRAMES, frames);
    } else {
      LoadUnitSpriteSheet(imagePath, frames);
    }
  } catch (const std::runtime_error& e) {
    fault = "the unit '" + unitTag + "' stays off the map: " + e.what();
    return;
  }
  unit = std::make_unique<CUnit>(ECharactor::KNIGHT, 0, grid);
  unit->stage = stage;
  unit->hp = unit->maxHp = 10;
  unit->name = name;
  unit->key = unitTag;
  auto own = std::make_unique<CEnemy>(*stage, *unit, frames);
  actor = own.get();
  unit->actor = std::move(own);
  unit->SetDirection(direction);
}

CEvent_AppendUnit::~CEvent_AppendUnit() = default;

void CEvent_AppendUnit::Start() {
  done = true;
  if (!unit) {
    std::fprintf(stderr, "story scene: %s\n", fault.c_str());
    return;
  }
  stage->AddUnitActor(actor);
  stage->state.units.push_back(stage->KeepUnit(std::move(unit)));
}

void CEvent_RemoveUnit::Start() {
  CUnitEvent::Start();
  if (unit) unit->onStage = false;
  done = true;
}

// ---- map, waiting and music ----------------------------------------------------------

CEvent_LoadMapCsv::CEvent_LoadMapCsv(CStage& stage_, std::string csvPath_)
    : COnceEvent(stage_), csvPath(std::move(csvPath_)) {}

void CEvent_LoadMapCsv::Start() {
  done = true;
  CGeographicalFeatures* map = stage->GetMap();
  if (!map) return;
  try {
    map->LoadMapCsv(csvPath);
  } catch (const CMapFileError& e) {
    std::fprintf(stderr, "story scene: the map stays as it was: %s\n", e.what());
  }
}

CEvent_Wait::CEvent_Wait(CStage& stage_, int frame_) : CEventBase(stage_), frame(frame_) {}

CEvent_BGM::CEvent_BGM(CStage& stage_, std::string filePath_) : COnceEvent(stage_), filePath(std::move(filePath_)) {}

void CEvent_BGM::Start() {
  done = true;
  if (!soundManager) return;
  if (filePath.empty()) {
    soundManager->StopBgm();
  } else {
    soundManager->PlayBgmFile(filePath);
  }
}

// ---- the camera ----------------------------------------------------------------------

CEvent_MoveCamera::CEvent_MoveCamera(CStage& stage_, SPointD target_, double speed_)
    : COnceEvent(stage_), target(target_), speed(speed_) {}

void CEvent_MoveCamera::Start() {
  if (speed < 0) {
    stage->SetCameraPosition(target);
    done = true;
    return;
  }
  const double bearing = GetAngle(stage->GetCameraPosition(), target) * std::numbers::pi / 180.0;
  velocity = {speed * std::sin(bearing), -speed * std::cos(bearing)};
}

void CEvent_MoveCamera::Update() {
  if (done) return;
  SPointD c = stage->GetCameraPosition() + velocity;
  const auto arrived = [](double v, double at, double goal) { return v < 0 ? at <= goal : v > 0 ? at >= goal : true; };
  const bool xArrived = arrived(velocity.x, c.x, target.x);
  const bool yArrived = arrived(velocity.y, c.y, target.y);
  if (xArrived) c.x = target.x;
  if (yArrived) c.y = target.y;
  stage->SetCameraPosition(c);
  done = xArrived && yArrived;
}

// ---- one unit's moves ------------------------------------------------------------------

void CEvent_Jump::Update() {
  if (done) return;
  unit->actor->drawOffset.y += counter < kFrames / 2 ? -3.0 : 3.0;
  done = ++counter >= kFrames;
}

CEvent_Emotion::CEvent_Emotion(CStage& stage_, std::string unitTag_, EEmotion emotion_, int continueFrame_)
    : CUnitEvent(stage_, std::move(unitTag_)), emotion(emotion_), continueFrame(continueFrame_) {}

void CEvent_Emotion::Update() {
  if (done) return;
  if (auto* enemy = dynamic_cast<CEnemy*>(unit->actor.get())) enemy->ShowEmotion(emotion, continueFrame);
  done = true;
}

CEvent_Turn::CEvent_Turn(CStage& stage_, std::string unitTag_, EDirection4 direction_)
    : CUnitEvent(stage_, std::move(unitTag_)), direction(direction_) {}

void CEvent_Turn::Update() {
  if (done) return;
  unit->SetDirection(direction);
  done = true;
}

CEvent_Move::CEvent_Move(CStage& stage_, std::string unitTag_, std::vector<EDirection4> steps_, double speed_,
                         bool directionFixed_)
    : CUnitEvent(stage_, std::move(unitTag_)), steps(std::move(steps_)), speed(speed_), directionFixed(directionFixed_) {}

void CEvent_Move::Start() {
  CUnitEvent::Start();
  if (!(speed > 0) || !std::isfinite(speed)) done = true;
}

void CEvent_Move::Update() {
  if (done) return;
  if (next < steps.size()) {
    const EDirection4 d = steps[next];
    if (!directionFixed) unit->SetDirection(d);
    CStageActor& a = *unit->actor;
    const SPoint offset = DirectionOffset(d);
    a.position += SPointD(offset.x * speed, offset.y * speed);
    const SPoint cell = unit->grid + offset;
    const SPointD goal = GridToPixel(cell);
    bool reached = false;
    switch (d) {
      case EDirection4::LEFT: reached = a.position.x <= goal.x; break;
      case EDirection4::RIGHT: reached = a.position.x >= goal.x; break;
      case EDirection4::UP: reached = a.position.y <= goal.y; break;
      case EDirection4::DOWN: reached = a.position.y >= goal.y; break;
    }
    if (reached) {
      unit->grid = cell;
      if (offset.x != 0) a.position.x = goal.x;
      else a.position.y = goal.y;
      ++next;
    }
  }
  done = next >= steps.size();
}

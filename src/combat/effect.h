// The short-lived pictures of a battle that belong to no unit and no
// weapon: the spark where a projectile stops, the sparkles over a unit a
// spell touched, the floating numbers and texts over a struck unit. They
// keep moving while a hit stop freezes units and bullets.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "core/geometry.h"
#include "gfx/draw_data.h"
#include "gfx/stage_actor.h"

class CBattlefield;

// The values without an enumerator (14, 15, 17, 19) are further kinds that
// have no picture of their own.
enum class EEffectType : int {
  EXPLOSION = 0,
  SCORE_RATE = 1,
  SHOT_HIT = 2,
  HIT_MARK = 3,
  BUBBLE = 4,
  HEAL = 5,
  POISON = 6,
  SPEED_BLUE = 7,
  SPEED_RED = 8,
  SPEED_GREEN = 9,
  EMBARRASSED = 10,
  MINI_RICE = 11,
  MINI_SEAWOOD = 12,
  LIGHTING = 13,
  DAMAGE_NUMBER = 16,
  SMALL_SNOW = 18,
};
constexpr int EFFECT_TYPE_COUNT = 20;

// The name an effect of this kind carries as its actor name; "" for the
// kinds without one and for values outside 0..19.
const char* ToString(EEffectType kind);

class CEffect : public CStageActor {
 public:
  using Callback = std::function<void(CEffect&)>;
  // The callback key that runs on every update.
  static constexpr int EVERY_FRAME = -1;
  static constexpr int UNLIMITED = -1;

  // `record` is shown centred on `position`; its own size is kept even when
  // the image is of another size. Starts on the unit layer; `stage` must
  // outlive the effect.
  CEffect(CBattlefield& stage, EEffectType kind, SPointD position, const SDrawData& record, double heading, double speed,
          int lifetime);

  // The update that finds the lifetime over only ends the effect. Otherwise
  // the callbacks see the frame count before this update, then the effect
  // ages and moves.
  void Move() override;

  int lifetime;  // updates the effect lives; UNLIMITED for no end
  EEffectType kind;
  // Keyed by the frame count an update starts with, or EVERY_FRAME.
  std::map<int, Callback> callbacks;
};

// Extra settings for a kind; only a score-rate effect would read one.
class CEffectParam {
 public:
  virtual ~CEffectParam() = default;
};

class CEffectParam_SCORE_RATE : public CEffectParam {
 public:
  explicit CEffectParam_SCORE_RATE(int rate_) : rate(rate_) {}
  int rate;
};

// The ready-made effects: SHOT_HIT, HEAL, POISON, SPEED_BLUE and SPEED_RED.
class CEffectCreator {
 public:
  // The caller adds the effect to the battle with AddEffect. Throws
  // std::runtime_error for a kind the battle never shows.
  static std::unique_ptr<CEffect> Create(CBattlefield& stage, EEffectType kind, SPointD position, double heading,
                                         double speed, const CEffectParam* param = nullptr);
};

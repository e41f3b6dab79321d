#include "combat/effect.h"

#include <stdexcept>
#include <string>

#include "combat/sprite_record.h"
#include "field/battlefield.h"

namespace {

// clang-format off
const char* const effectTypeNames[EFFECT_TYPE_COUNT] = {
  "EXPLOSION",   "SCORE_RATE",                "SHOT_HIT",                  "HIT_MARK",   "BUBBLE",       //  0..4
  "HEAL",        "POISON",                    "SPEED_BLUE",                "SPEED_RED",  "SPEED_GREEN",  //  5..9
  "EMBARRASSED", "MINI_RICE_OR_MINI_SEAWOOD", "MINI_RICE_OR_MINI_SEAWOOD", "LIGHTING",   "",             // 10..14
  "",            "DAMAGE_NUMBER",             "",                          "SMALL_SNOW", "SMALL_SNOW",   // 15..19
};
// clang-format on

// What a sparkle does before each of its updates.
enum class ESparkleMotion { NONE, SPIN_AND_FADE, FADE };

struct SEffectLook {
  EEffectType kind;
  const char* images;  // key, or pattern numbered from 1
  int imageCount;
  int width;
  int height;
  double alpha;
  int frameWait;
  bool rotate;
  bool followHeading;
  int lifetime;
  ESparkleMotion motion;
};

// clang-format off
constexpr SEffectLook effectLooks[] = {
  // kind                     images                          n   w   h  alpha wait rotate follow life motion
  {EEffectType::SHOT_HIT,   "effect/shot_hit%02d.png",        8, 16, 16, 180.0,  1, false, true,   8, ESparkleMotion::NONE},
  {EEffectType::HEAL,       "effect/heal.png",                1, 16, 16, 200.0, -1, true,  false, 70, ESparkleMotion::SPIN_AND_FADE},
  {EEffectType::POISON,     "effect/water_ball_small.png",    1, 16, 16, 200.0, -1, true,  false, 70, ESparkleMotion::SPIN_AND_FADE},
  {EEffectType::SPEED_BLUE, "effect/speed_effect_blue.png",   1, 16, 32, 200.0, -1, true,  false, 70, ESparkleMotion::FADE},
  {EEffectType::SPEED_RED,  "effect/speed_effect_red.png",    1, 16, 32, 200.0, -1, true,  false, 70, ESparkleMotion::FADE},
};
// clang-format on

// A sparkle shows its full strength for its first eleven updates.
void Fade(CEffect& effect) {
  if (effect.GetFrameCount() > 10) effect.drawData.SetAlpha(effect.drawData.GetAlpha() - 5.0);
}

void SpinAndFade(CEffect& effect) {
  effect.drawData.SetAngle(effect.drawData.angle + 3.0);
  Fade(effect);
}

}  // namespace

const char* ToString(EEffectType kind) {
  const int i = static_cast<int>(kind);
  return i >= 0 && i < EFFECT_TYPE_COUNT ? effectTypeNames[i] : "";
}

CEffect::CEffect(CBattlefield& stage, EEffectType kind_, SPointD position_, const SDrawData& record, double heading_,
                 double speed_, int lifetime_)
    : CStageActor(stage, record, position_, speed_, heading_), lifetime(lifetime_), kind(kind_) {
  if (record.width != 0 || record.height != 0) {
    drawData.width = record.width;
    drawData.height = record.height;
    drawData.pivot = record.pivot;
  }
  layer = LAYER_UNIT;
}

void CEffect::Move() {
  if (lifetime >= 0 && frameCount >= lifetime) {
    Kill();
    return;
  }
  // Copies, so that a callback may change the callbacks.
  if (auto it = callbacks.find(EVERY_FRAME); it != callbacks.end()) {
    const Callback step = it->second;
    step(*this);
  }
  if (auto it = callbacks.find(frameCount); it != callbacks.end()) {
    const Callback once = it->second;
    once(*this);
  }
  CStageActor::Move();
}

std::unique_ptr<CEffect> CEffectCreator::Create(CBattlefield& stage, EEffectType kind, SPointD position, double heading,
                                                double speed, const CEffectParam* /*param*/) {
  for (const SEffectLook& look : effectLooks) {
    if (look.kind != kind) continue;
    SDrawData record = MakeSpriteRecord(look.images, look.imageCount, look.width, look.height);
    record.SetAlpha(look.alpha);
    record.frameWait = look.frameWait;
    record.SetRotate(look.rotate);
    auto effect = std::make_unique<CEffect>(stage, kind, position, record, heading, speed, look.lifetime);
    effect->followHeading = look.followHeading;
    effect->name = ToString(kind);
    if (look.motion == ESparkleMotion::SPIN_AND_FADE) effect->callbacks[CEffect::EVERY_FRAME] = SpinAndFade;
    if (look.motion == ESparkleMotion::FADE) effect->callbacks[CEffect::EVERY_FRAME] = Fade;
    return effect;
  }
  throw std::runtime_error("no effect is made of kind " + std::to_string(static_cast<int>(kind)));
}

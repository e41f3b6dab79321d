#include "combat/floating_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "combat/sprite_record.h"
#include "gfx/draw_queue.h"

namespace {

constexpr int DIGIT_SPACING = 12;
constexpr double TEXT_SPEED = 2.0;

const char* const statusTextImages[EXT_STATE_COUNT] = {
    "effect/moji_poison.png",         // POISON
    "effect/moji_wtdown.png",         // SLOW: the wait grows, the unit acts less often
    "effect/moji_wtup.png",           // FAST
    "effect/moji_movedown.png",       // MOVE_DOWN
    "effect/moji_moveup.png",         // MOVE_UP
    "effect/moji_provocation.png",    // PROVOCATION
    "effect/moji_concentration.png",  // CONCENTRATE
};

std::unique_ptr<CEffect> MakeFloatingText(CBattlefield& stage, const char* imageKey, SPointD position) {
  const SDrawData record = MakeSpriteRecord(imageKey, 1, 32, 32);
  auto text = std::make_unique<CEffect>(stage, EEffectType::DAMAGE_NUMBER, position, record, 0.0, TEXT_SPEED,
                                        FLOATING_TEXT_LIFETIME);
  text->layer = LAYER_MESSAGE;
  text->callbacks[CEffect::EVERY_FRAME] = FloatAndFade;
  return text;
}

}  // namespace

void FloatAndFade(CEffect& effect) {
  if (effect.speed > 0.0) effect.speed = std::max(effect.speed - 0.1, 0.0);
  if (effect.GetFrameCount() >= 30) effect.drawData.SetAlpha(effect.drawData.GetAlpha() - 8.0);
}

std::vector<std::unique_ptr<CEffect>> ShowDamageNumber(int value, CBattlefield& stage, SPointD position, double heading,
                                                       double speed) {
  std::vector<std::unique_ptr<CEffect>> digits;
  if (value == 0) return digits;
  // Widened first: the size of the lowest int does not fit in an int.
  const int v = static_cast<int>(std::min(std::llabs(static_cast<long long>(value)), 999LL));
  int places[3];
  int count = 0;
  int firstOffset = 0;
  if (v >= 100) {
    places[count++] = v / 100;
    places[count++] = v / 10 % 10;
    places[count++] = v % 10;
    firstOffset = -16;
  } else if (v >= 10) {
    places[count++] = v / 10;
    places[count++] = v % 10;
    firstOffset = -8;
  } else {
    places[count++] = v;
  }
  for (int i = 0; i < count; ++i) {
    char key[40];
    std::snprintf(key, sizeof key, value > 0 ? "ui_parts/num_%d.png" : "ui_parts/num_%d_green.png", places[i]);
    SDrawData record = MakeSpriteRecord(key, 1, 16, 16);
    record.SetRotate(true);
    const SPointD at = position + SPointD(firstOffset + DIGIT_SPACING * i, 0.0);
    auto digit = std::make_unique<CEffect>(stage, EEffectType::DAMAGE_NUMBER, at, record, heading, speed,
                                           FLOATING_TEXT_LIFETIME);
    // Over the units, like the status words: on the units' layer the digits
    // sank behind the struck unit's sprite for their first frames of rising.
    digit->layer = LAYER_MESSAGE;
    digit->name = ToString(EEffectType::DAMAGE_NUMBER);
    digit->callbacks[CEffect::EVERY_FRAME] = FloatAndFade;
    digits.push_back(std::move(digit));
  }
  return digits;
}

const char* GetStatusTextImage(EExtState state) {
  const int i = static_cast<int>(state);
  if (i < 0 || i >= EXT_STATE_COUNT) {
    throw std::runtime_error("no status text for status effect number " + std::to_string(i));
  }
  return statusTextImages[i];
}

std::unique_ptr<CEffect> ShowStatusText(CBattlefield& stage, EExtState state, SPointD position) {
  return MakeFloatingText(stage, GetStatusTextImage(state), position);
}

std::unique_ptr<CEffect> ShowEvadeText(CBattlefield& stage, SPointD position) {
  return MakeFloatingText(stage, "effect/moji_evede.png", position);
}

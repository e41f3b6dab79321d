// The numbers and texts that rise from a struck unit: damage in plain
// digits, healing in green ones, and the word of a status effect or of an
// evasion. They rise, slow to a stop and fade out.
#pragma once

#include <memory>
#include <vector>

#include "combat/effect.h"
#include "core/geometry.h"
#include "field/unit_status.h"

class CBattlefield;

// Updates a number or text lives.
constexpr int FLOATING_TEXT_LIFETIME = 40;

// The digits of `value` (damage when positive, healing when negative),
// most significant first, centred on `position`; none for 0. The digit
// pictures hold three places, so 1,000 and more show 999. The caller adds
// each with AddEffect.
std::vector<std::unique_ptr<CEffect>> ShowDamageNumber(int value, CBattlefield& stage, SPointD position, double heading,
                                                       double speed);

// The word of a status effect that landed, rising straight up from
// `position` over the units (message layer). The caller adds it with
// AddEffect. Throws std::runtime_error for a value outside EExtState.
std::unique_ptr<CEffect> ShowStatusText(CBattlefield& stage, EExtState state, SPointD position);
// The word shown over a unit that dodged.
std::unique_ptr<CEffect> ShowEvadeText(CBattlefield& stage, SPointD position);

// The image key of a status effect's word.
const char* GetStatusTextImage(EExtState state);

// Before each update of a number or text: the rise slows by 0.1 pixel per
// frame until it stands, and from frame 30 on the picture fades by 8.
void FloatAndFade(CEffect& effect);

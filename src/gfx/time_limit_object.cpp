#include "gfx/time_limit_object.h"

#include <utility>

CTimeLimitObject::CTimeLimitObject(CStageActor* target_, int frames, EndCallback onEnd_)
    : remaining(frames), duration(frames), target(target_), onEnd(std::move(onEnd_)) {}

void CTimeLimitObject::Update() {
  if (IsEnd()) return;
  if (onUpdate && target) onUpdate(*this, *target);
  if (IsEnd()) return;  // the update callback may have terminated us
  ++elapsed;
  --remaining;
  if (remaining == 0 && onEnd && target) onEnd(*target);
}

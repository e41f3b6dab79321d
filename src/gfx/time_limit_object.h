// A countdown of frames bound to a map actor, with a callback every frame
// and one at the end.
#pragma once

#include <functional>
#include <utility>

class CStageActor;

class CTimeLimitObject {
 public:
  using EndCallback = std::function<void(CStageActor& target)>;
  using UpdateCallback = std::function<void(CTimeLimitObject& countdown, CStageActor& target)>;

  // `target` may be null; the callbacks then are not called. A countdown of
  // 0 frames or less has ended at once.
  CTimeLimitObject(CStageActor* target, int frames, EndCallback onEnd = {});
  virtual ~CTimeLimitObject() = default;

  // Calls the update callback, then counts one frame; the frame that
  // reaches zero calls the end callback.
  virtual void Update();
  virtual bool IsEnd() const { return remaining <= 0; }
  // Ends the countdown without the end callback.
  virtual void Terminate() { remaining = -1; }

  void SetOnUpdate(UpdateCallback callback) { onUpdate = std::move(callback); }
  // For a target that leaves the map before the countdown ends.
  void SetTarget(CStageActor* newTarget) { target = newTarget; }
  CStageActor* GetTarget() const { return target; }
  int GetElapsed() const { return elapsed; }
  int GetRemaining() const { return remaining; }
  int GetDuration() const { return duration; }

 private:
  int elapsed = 0;
  int remaining;
  int duration;
  CStageActor* target;
  EndCallback onEnd;
  UpdateCallback onUpdate;
};

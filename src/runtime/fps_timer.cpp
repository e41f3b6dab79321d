#include "runtime/fps_timer.h"

#include "runtime/gamelib/gamelib.h"

CFpsTimer::CFpsTimer(bool measure) : measureFps(measure) {
  const int now = GetNowCount();
  lastFrameTime = now;
  sampleStartTime = now;
}

void CFpsTimer::Wait() {
  int wait = kFrameMilliseconds - 1 - (GetNowCount() - lastFrameTime);
  if (wait < 0) wait = 0;
  WaitTimer(wait);
  lastFrameTime = GetNowCount();
  if (measureFps && sampleStartTime + kSampleMilliseconds <= lastFrameTime) {
    fps = static_cast<double>(frameCount - sampleFrameCount) / 3.0;
    sampleStartTime = lastFrameTime;
    sampleFrameCount = frameCount;
  }
  frameCount += 1;
}

void CFpsTimer::ResetTimer() { lastFrameTime = GetNowCount(); }

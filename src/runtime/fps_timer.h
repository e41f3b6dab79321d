// Frame pacing: every frame lasts about 16 ms (a 17 ms target less the
// millisecond the wait itself tends to overshoot), and the frame rate is
// measured over three-second samples.
#pragma once

#include <cstdint>

class CFpsTimer {
 public:
  static constexpr int kFrameMilliseconds = 17;
  static constexpr int kSampleMilliseconds = 3000;

  explicit CFpsTimer(bool measureFps = true);
  virtual ~CFpsTimer() = default;

  // The end-of-frame wait.
  virtual void Wait();
  virtual void ResetTimer();
  double GetFps() const { return fps; }
  int64_t GetFrameCount() const { return frameCount; }

 private:
  int64_t frameCount = 0;
  bool measureFps = true;
  int32_t lastFrameTime = 0;
  int64_t sampleFrameCount = 0;
  int64_t sampleStartTime = 0;
  double fps = 60.0;
};

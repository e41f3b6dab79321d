// The frame-time log of a run: for every frame the time of the game's own
// work (game/main_loop.h: LastFrameWorkSeconds), and at the end the figures
// that matter against the 16.7 ms frame.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class CFrameTimings {
 public:
  // Opens (truncates) `path`; throws std::runtime_error when it cannot.
  explicit CFrameTimings(const std::string& path);
  ~CFrameTimings();
  CFrameTimings(const CFrameTimings&) = delete;
  CFrameTimings& operator=(const CFrameTimings&) = delete;

  // One line "FRAME MICROSECONDS WHAT"; `what` names the scene and what it
  // was doing.
  void Add(long frame, double seconds, const std::string& what);

  // Closing lines, each starting with '#':
  //   # start-up-ms S
  //   # frames N p50-pct A p99-pct B max-pct C worst-frame F WHAT
  //   # peak-rss-kb K
  // where the percentages are shares of the 16.7 ms frame. Throws
  // std::runtime_error when the file cannot be written.
  void Finish(double startupSeconds);

 private:
  std::FILE* file = nullptr;
  std::vector<float> seconds;
  double worstSeconds = -1.0;
  long worstFrame = 0;
  std::string worstWhat;
};

// The p-th percentile (0..100) of `values` by the nearest rank; 0 for none.
double Percentile(std::vector<float> values, double p);

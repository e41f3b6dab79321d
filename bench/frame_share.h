// What a benchmark costs against the game's frame: 60 frames a second,
// 16.7 ms each.
#pragma once

#include <benchmark/benchmark.h>

#include <vector>

constexpr double kFrameSeconds = 16.7e-3;

// The console table with one more counter on every line, frame_pct: the
// benchmark's wall time per iteration as a percentage of one frame
// ("frame_pct=0.8" is 0.8 % of 16.7 ms), to three figures. A benchmark whose
// iteration plays several frames says how many in its "frames" counter;
// frame_pct is then the share of one of them.
class CFrameShareReporter : public benchmark::ConsoleReporter {
 public:
  using benchmark::ConsoleReporter::ConsoleReporter;
  void ReportRuns(const std::vector<Run>& reports) override;
};

// The percentage of a 16.7 ms frame that `seconds` take, to three figures.
double FramePercent(double seconds);

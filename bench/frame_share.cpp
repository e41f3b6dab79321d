#include "frame_share.h"

#include <cstdio>
#include <cstdlib>

double FramePercent(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3g", 100.0 * seconds / kFrameSeconds);
  return std::strtod(text, nullptr);
}

void CFrameShareReporter::ReportRuns(const std::vector<Run>& reports) {
  std::vector<Run> shown = reports;
  for (Run& run : shown) {
    if (run.error_occurred || run.report_big_o || run.report_rms) continue;
    if (run.run_type == Run::RT_Aggregate && run.aggregate_unit == benchmark::kPercentage) continue;
    double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    if (const auto frames = run.counters.find("frames"); frames != run.counters.end() && frames->second.value > 0) {
      seconds /= frames->second.value;
    }
    run.counters["frame_pct"] = FramePercent(seconds);
  }
  benchmark::ConsoleReporter::ReportRuns(shown);
}

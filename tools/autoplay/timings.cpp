#include "timings.h"

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr double kFrameSeconds = 1.0 / 60.0;

double FramePercent(double seconds) { return seconds / kFrameSeconds * 100.0; }

}  // namespace

double Percentile(std::vector<float> values, double p) {
  if (values.empty()) return 0.0;
  const double rank = std::ceil(p / 100.0 * static_cast<double>(values.size()));
  const std::size_t index = static_cast<std::size_t>(std::clamp(rank, 1.0, static_cast<double>(values.size()))) - 1;
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(index), values.end());
  return values[index];
}

CFrameTimings::CFrameTimings(const std::string& path) : file(std::fopen(path.c_str(), "w")) {
  if (!file) throw std::runtime_error("the timings file " + path + " cannot be written");
  std::fprintf(file, "# frame, microseconds of the game's own work, scene\n");
}

CFrameTimings::~CFrameTimings() {
  if (file) std::fclose(file);
}

void CFrameTimings::Add(long frame, double s, const std::string& what) {
  if (s > worstSeconds) {
    worstSeconds = s;
    worstFrame = frame;
    worstWhat = what;
  }
  seconds.push_back(static_cast<float>(s));
  std::fprintf(file, "%ld %.1f %s\n", frame, s * 1e6, what.c_str());
}

void CFrameTimings::Finish(double startupSeconds) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::fprintf(file, "# start-up-ms %.1f\n", startupSeconds * 1e3);
  std::fprintf(file, "# frames %zu p50-pct %.2f p99-pct %.2f max-pct %.2f worst-frame %ld %s\n", seconds.size(),
               FramePercent(Percentile(seconds, 50)), FramePercent(Percentile(seconds, 99)),
               FramePercent(std::max(worstSeconds, 0.0)), worstFrame, worstWhat.c_str());
  std::fprintf(file, "# peak-rss-kb %ld\n", usage.ru_maxrss);
  const bool written = std::ferror(file) == 0;
  const bool closed = std::fclose(file) == 0;
  file = nullptr;
  if (!written || !closed) throw std::runtime_error("the timings file could not be written");
}

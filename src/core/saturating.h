// Int results of the rules, clamped to the int range. Parameters from a
// damaged save can be any int, and the rules must not overflow on them.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

inline int Saturate(std::int64_t v) {
  return static_cast<int>(
      std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Truncated toward zero, then clamped; NaN gives 0.
inline int TruncSaturate(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::clamp(std::trunc(v), static_cast<double>(std::numeric_limits<int>::min()),
                                     static_cast<double>(std::numeric_limits<int>::max())));
}

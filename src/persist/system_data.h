// Play data kept for the whole run rather than per save: the moment from
// which play time is next counted.
#pragma once

#include <cstdint>

class CSystemData {
 public:
  // Milliseconds since 1970-01-01 00:00 UTC; 0 until a game starts or loads.
  std::int64_t mLastUpdateTime = 0;
};

// The wall clock in milliseconds since 1970-01-01 00:00 UTC.
std::int64_t CurrentUtcMilliseconds();

#include "persist/system_data.h"

#include <chrono>

std::int64_t CurrentUtcMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

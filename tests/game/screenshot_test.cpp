#include "game/screenshot.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <string>
#include <vector>

#include "assets/temp_tree.h"

namespace {

// 9 December 2026, 16:15:03 local time, plus `millis`.
std::chrono::system_clock::time_point At(int millis) {
  std::tm local{};
  local.tm_year = 2026 - 1900;
  local.tm_mon = 11;
  local.tm_mday = 9;
  local.tm_hour = 16;
  local.tm_min = 15;
  local.tm_sec = 3;
  local.tm_isdst = -1;
  return std::chrono::system_clock::from_time_t(std::mktime(&local)) + std::chrono::milliseconds(millis);
}

TEST(ScreenshotPath, IsTheLocalTimeToTheMillisecondAndNeverATakenName) {
  struct SCase {
    int millis;
    std::vector<std::string> taken;
    std::string expected;
  };
  const SCase cases[] = {
      {123, {},                                                       "20261209-161503-123.png"},
      {7,   {},                                                       "20261209-161503-007.png"},
      {123, {"20261209-161503-123.png"},                              "20261209-161503-123-1.png"},
      {123, {"20261209-161503-123.png", "20261209-161503-123-1.png"}, "20261209-161503-123-2.png"},
      {124, {"20261209-161503-123.png"},                              "20261209-161503-124.png"},
  };
  for (const SCase& c : cases) {
    const CTempTree tree("screenshot_path");
    for (const std::string& name : c.taken) tree.Write(name);
    EXPECT_EQ(ScreenshotPath(tree.Path(""), At(c.millis)).filename().string(), c.expected);
  }
}

}  // namespace

#include <gtest/gtest.h>

#include "runtime/gamelib/gamelib.h"

int main(int argc, char** argv) {
  // Every test runs headless: no window appears, no sound is heard.
  gamelib_test::UseHeadlessDrivers();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

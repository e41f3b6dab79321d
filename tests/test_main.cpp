#include <gtest/gtest.h>

#include <cstdlib>

#include "runtime/gamelib/gamelib.h"

int main(int argc, char** argv) {
  // Every test runs headless: no window appears, no sound is heard.
  gamelib_test::UseHeadlessDrivers();
  // A frame shown on the offscreen window is copied in software, not handed
  // to the software GL renderer, whose code generator deadlocks against the
  // sanitizers' stack walks.
  setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

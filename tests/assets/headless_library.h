// Starts the game library on the offscreen display for tests that load
// real images or sounds.
#pragma once

#include <gtest/gtest.h>

#include "runtime/gamelib/gamelib.h"

class HeadlessLibraryTest : public testing::Test {
 protected:
  void SetUp() override {
    SetGraphMode(640, 480, 32, 60);
    ASSERT_EQ(GameLib_Init(), 0) << GameLib_GetLastError();
    SetTransColor(255, 0, 255);
    ClsDrawScreen();
  }
  void TearDown() override { GameLib_End(); }
};

#include "runtime/key_repeat.h"

#include <gtest/gtest.h>

#include <vector>

#include "persist/option_info.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/key_manager.h"

namespace {

class KeyRepeatTest : public ::testing::Test {
 protected:
  void SetUp() override { gamelib_test::ClearInjectedInput(); }
  void TearDown() override { gamelib_test::ClearInjectedInput(); }

  // Runs `frames` frames with `code` held or not; returns the frame numbers
  // (1-based within this run) on which `key` repeated.
  std::vector<int> Run(int frames, int code, bool down, EGameKey key) {
    gamelib_test::SetKeyDown(code, down);
    std::vector<int> repeats;
    for (int f = 1; f <= frames; ++f) {
      km.Update();
      repeat.Update(km);
      if (repeat.IsRepeat(key)) repeats.push_back(f);
    }
    return repeats;
  }

  COptionInfo options;
  CKeyManager km{options.joypadAssign};
  CKeyRepeatManager repeat;
};

}  // namespace

TEST_F(KeyRepeatTest, HeldKeyRepeatsAfter21FramesThenEvery9) {
  repeat.Add(EGameKey::DOWN);
  EXPECT_EQ(Run(30, KEY_INPUT_K, true, EGameKey::DOWN), std::vector<int>{22});
  EXPECT_EQ(Run(1, KEY_INPUT_K, true, EGameKey::DOWN), std::vector<int>{1});  // frame 31
  EXPECT_EQ(Run(9, KEY_INPUT_K, true, EGameKey::DOWN), std::vector<int>{9});  // frame 40

  // A release starts the delay over.
  EXPECT_TRUE(Run(1, KEY_INPUT_K, false, EGameKey::DOWN).empty());
  EXPECT_EQ(Run(31, KEY_INPUT_K, true, EGameKey::DOWN), (std::vector<int>{22, 31}));
}

TEST_F(KeyRepeatTest, OnlyRegisteredKeysRepeatEachOnItsOwnClock) {
  repeat.Add(EGameKey::UP);
  repeat.Add(EGameKey::DOWN);
  // DOWN held through the arrow key, UP not at all.
  EXPECT_TRUE(Run(40, KEY_INPUT_DOWN, true, EGameKey::UP).empty());
  EXPECT_TRUE(repeat.IsRepeat(EGameKey::DOWN));   // its repeat was left unasked
  EXPECT_FALSE(repeat.IsRepeat(EGameKey::DOWN));  // asking consumed it
  EXPECT_FALSE(repeat.IsRepeat(EGameKey::LEFT));
  EXPECT_TRUE(Run(40, KEY_INPUT_LEFT, true, EGameKey::LEFT).empty());
}

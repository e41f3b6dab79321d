#include "runtime/key_manager.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <vector>

#include "persist/option_info.h"
#include "runtime/gamelib/gamelib.h"

namespace {

class KeyManagerTest : public ::testing::Test {
 protected:
  void SetUp() override { gamelib_test::ClearInjectedInput(); }
  void TearDown() override { gamelib_test::ClearInjectedInput(); }

  // One frame with exactly these keyboard keys held.
  void Frame(CKeyManager& km, std::initializer_list<int> keys) {
    for (int code : held) gamelib_test::SetKeyDown(code, false);
    held.assign(keys);
    for (int code : held) gamelib_test::SetKeyDown(code, true);
    km.Update();
  }

  COptionInfo options;
  std::vector<int> held;
};

}  // namespace

TEST_F(KeyManagerTest, KeyHeldAtCreationMustBeReleasedFirst) {
  gamelib_test::SetKeyDown(KEY_INPUT_Z, true);
  held = {KEY_INPUT_Z};
  CKeyManager km(options.joypadAssign);
  Frame(km, {KEY_INPUT_Z});
  EXPECT_TRUE(km.IsDown(EGameKey::DECIDE));
  EXPECT_TRUE(km.IsPush(EGameKey::DECIDE, false));
  EXPECT_FALSE(km.IsPush(EGameKey::DECIDE, true));
  Frame(km, {});
  EXPECT_FALSE(km.IsPush(EGameKey::DECIDE, true));
  Frame(km, {KEY_INPUT_Z});
  EXPECT_TRUE(km.IsPush(EGameKey::DECIDE, true));
}

TEST_F(KeyManagerTest, PushIsNewOncePerPressAndSameForEveryAsker) {
  CKeyManager km(options.joypadAssign);
  Frame(km, {});
  EXPECT_FALSE(km.IsPush(EGameKey::DECIDE, true));
  Frame(km, {KEY_INPUT_Z});
  // Two dialogs asking in the same frame both see the push.
  EXPECT_TRUE(km.IsPush(EGameKey::DECIDE, true));
  EXPECT_TRUE(km.IsPush(EGameKey::DECIDE, true));
  Frame(km, {KEY_INPUT_Z});
  EXPECT_FALSE(km.IsPush(EGameKey::DECIDE, true));

  // A release nobody asked about goes unnoticed: the next press is a hold.
  Frame(km, {});
  Frame(km, {KEY_INPUT_Z});
  EXPECT_FALSE(km.IsPush(EGameKey::DECIDE, true));

  // A push nobody asks about in its first frame is still new in the next.
  Frame(km, {});
  EXPECT_FALSE(km.IsPush(EGameKey::DECIDE, true));
  Frame(km, {KEY_INPUT_Z});
  Frame(km, {KEY_INPUT_Z});
  EXPECT_TRUE(km.IsPush(EGameKey::DECIDE, true));

  // ResetPushState swallows a push until the key is seen up again.
  Frame(km, {});
  EXPECT_FALSE(km.IsPush(EGameKey::CANCEL, true));
  Frame(km, {KEY_INPUT_X});
  km.ResetPushState();
  EXPECT_FALSE(km.IsPush(EGameKey::CANCEL, true));
}

TEST_F(KeyManagerTest, KeyboardMapping) {
  CKeyManager km(options.joypadAssign);
  Frame(km, {KEY_INPUT_LEFT});
  EXPECT_TRUE(km.IsDown(EGameKey::LEFT));
  EXPECT_TRUE(km.IsDown(EGameKey::ARROW_LEFT));
  Frame(km, {KEY_INPUT_J});
  EXPECT_TRUE(km.IsDown(EGameKey::LEFT));
  EXPECT_FALSE(km.IsDown(EGameKey::ARROW_LEFT));
  Frame(km, {KEY_INPUT_LSHIFT, KEY_INPUT_F12, KEY_INPUT_ESCAPE});
  for (int k = 0; k < kGameKeyCount - 2; ++k) {
    const auto key = static_cast<EGameKey>(k);
    const bool expected = key == EGameKey::SUB5 || key == EGameKey::F12 || key == EGameKey::ESCAPE;
    EXPECT_EQ(km.IsDown(key), expected) << "key " << k;
  }
  EXPECT_EQ(km.GetKeyCode(EGameKey::SUB6), KEY_INPUT_SPACE);
  EXPECT_EQ(km.GetKeyCode(EGameKey::ANALOG_X), 0);
  EXPECT_THROW(km.IsDown(static_cast<EGameKey>(31)), std::runtime_error);
}

TEST_F(KeyManagerTest, JoypadFollowsTheAssignmentButDirectionsKeepTheHat) {
  options.joypadAssign[1] = PAD_INPUT_3;   // UP
  options.joypadAssign[5] = PAD_INPUT_9;   // ARROW_UP: never taken from the settings
  options.joypadAssign[8] = PAD_INPUT_2;   // DECIDE
  CKeyManager km(options.joypadAssign);

  gamelib_test::SetJoypadBits(PAD_INPUT_UP);
  km.Update();
  EXPECT_TRUE(km.IsDown(EGameKey::UP));
  EXPECT_TRUE(km.IsDown(EGameKey::ARROW_UP));

  gamelib_test::SetJoypadBits(PAD_INPUT_3);
  km.Update();
  EXPECT_TRUE(km.IsDown(EGameKey::UP));
  EXPECT_TRUE(km.IsDown(EGameKey::SUB1));
  EXPECT_FALSE(km.IsDown(EGameKey::ARROW_UP));

  gamelib_test::SetJoypadBits(PAD_INPUT_9 | PAD_INPUT_1);
  km.Update();
  EXPECT_FALSE(km.IsDown(EGameKey::ARROW_UP));
  EXPECT_FALSE(km.IsDown(EGameKey::DECIDE));
  gamelib_test::SetJoypadBits(PAD_INPUT_2);
  km.Update();
  EXPECT_TRUE(km.IsDown(EGameKey::DECIDE));
  EXPECT_TRUE(km.IsDown(EGameKey::CANCEL));

  EXPECT_EQ(km.GetPadMask(EGameKey::F1), PAD_INPUT_28);
  EXPECT_EQ(km.GetPadMask(EGameKey::ANALOG_Y), 0);
}

TEST_F(KeyManagerTest, ShortAssignmentKeepsDefaultsAndReloads) {
  options.joypadAssign = {PAD_INPUT_4};
  CKeyManager km(options.joypadAssign);
  EXPECT_EQ(km.GetPadMask(EGameKey::LEFT), PAD_INPUT_4);
  EXPECT_EQ(km.GetPadMask(EGameKey::UP), PAD_INPUT_UP);
  EXPECT_EQ(km.GetPadMask(EGameKey::SUB6), PAD_INPUT_8);

  options.ResetToDefaults();
  options.joypadAssign[15] = PAD_INPUT_10;
  km.LoadPadConfig();
  EXPECT_EQ(km.GetPadMask(EGameKey::LEFT), PAD_INPUT_LEFT);
  EXPECT_EQ(km.GetPadMask(EGameKey::SUB6), PAD_INPUT_10);
}

TEST_F(KeyManagerTest, RawAndKeyboardQueriesReadTheDevicesNow) {
  CKeyManager km(options.joypadAssign);
  Frame(km, {});
  gamelib_test::SetJoypadBits(PAD_INPUT_1);
  EXPECT_TRUE(km.IsRawDown(EGameKey::DECIDE));  // before any Update
  EXPECT_FALSE(km.IsDown(EGameKey::DECIDE));
  // Only the keyboard counts; asking while Z is up notes the release.
  EXPECT_FALSE(km.IsKeyboardPush(EGameKey::DECIDE));
  km.Update();
  gamelib_test::SetKeyDown(KEY_INPUT_Z, true);
  EXPECT_TRUE(km.IsKeyboardPush(EGameKey::DECIDE));
  // It shares the push flags: next frame the held key is no longer new.
  km.Update();
  EXPECT_FALSE(km.IsKeyboardPush(EGameKey::DECIDE));
  EXPECT_FALSE(km.IsPush(EGameKey::DECIDE, true));
}

TEST_F(KeyManagerTest, Direction9AndAnalog) {
  CKeyManager km(options.joypadAssign);
  struct Case {
    std::initializer_list<int> keys;
    int expected;
  };
  const Case cases[] = {
      {{}, 4},
      {{KEY_INPUT_J, KEY_INPUT_I}, 6},
      {{KEY_INPUT_J, KEY_INPUT_K}, 0},
      {{KEY_INPUT_J, KEY_INPUT_L}, 3},  // left wins over right
      {{KEY_INPUT_I, KEY_INPUT_L}, 8},
      {{KEY_INPUT_I, KEY_INPUT_K}, 7},  // up wins over down
      {{KEY_INPUT_L, KEY_INPUT_K}, 2},
      {{KEY_INPUT_RIGHT}, 5},
      {{KEY_INPUT_DOWN}, 1},
      {{KEY_INPUT_J, KEY_INPUT_I, KEY_INPUT_L, KEY_INPUT_K}, 6},
  };
  for (const Case& c : cases) {
    Frame(km, c.keys);
    EXPECT_EQ(km.GetDirection9(), c.expected);
  }

  gamelib_test::SetAnalog(300, -1000);
  km.Update();
  EXPECT_EQ(km.GetAnalogX(), 300);
  EXPECT_EQ(km.GetAnalogY(), -1000);
}

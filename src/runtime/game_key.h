// The logical keys of the game. Keyboard and joypad both map onto them;
// scenes and menus ask only about these.
#pragma once

enum class EGameKey : int {
  LEFT = 0,  // J or the left arrow
  UP,        // I or the up arrow
  RIGHT,     // L or the right arrow
  DOWN,      // K or the down arrow
  ARROW_LEFT,
  ARROW_UP,
  ARROW_RIGHT,
  ARROW_DOWN,
  DECIDE,  // Z
  CANCEL,  // X
  SUB1,    // A
  SUB2,    // S
  SUB3,    // Q
  SUB4,    // W
  SUB5,    // left Shift
  SUB6,    // Space: held, the battle runs fast
  F1,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F8,
  F9,
  F10,
  F11,
  F12,  // saves a screenshot in every scene
  ESCAPE,
  ANALOG_X,  // holds the stick's X value, not a button
  ANALOG_Y,  // holds the stick's Y value, not a button
};

constexpr int kGameKeyCount = 31;
// Keys 0..28 have a joypad bit; the two analog slots do not.
constexpr int kPadKeyCount = 29;

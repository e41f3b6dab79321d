// The player's settings from "dat/setting.dat": the sound switch and the
// joypad bit of each of the first 16 logical keys.
#pragma once

#include <cstdint>
#include <vector>

class COptionInfo {
 public:
  static constexpr int kPadAssignCount = 16;

  COptionInfo() { ResetToDefaults(); }
  virtual ~COptionInfo() = default;
  virtual void ResetToDefaults();

  bool soundEnabled = true;
  std::vector<int32_t> joypadAssign;  // EGameKey 0..15 -> joypad bit mask
};

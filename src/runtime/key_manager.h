// Logical key state, sampled once per frame from keyboard and joypad, with
// detection of new pushes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "runtime/game_key.h"

class CKeyManagerBase {
 public:
  virtual ~CKeyManagerBase() = default;

  // Samples the devices; the main loop calls it once per frame.
  virtual void Update() = 0;
  // Nine-direction index (keypad digit - 1) of the held direction keys.
  virtual int GetDirection9() const = 0;
  // Whether the key is held on either device right now, not this frame.
  virtual bool IsRawDown(EGameKey k) const = 0;
  // Push detection on the keyboard key alone, read right now.
  virtual bool IsKeyboardPush(EGameKey k) = 0;
  virtual bool IsDown(EGameKey k) const = 0;
  // With edge, true only for a push that is new in this frame; every query
  // of the same key in one frame gets the same answer.
  virtual bool IsPush(EGameKey k, bool edge) = 0;
  virtual void LoadPadConfig() = 0;
  virtual int GetAnalogX() const = 0;
  virtual int GetAnalogY() const = 0;
  // No key reports a push again until it has been seen released.
  virtual void ResetPushState() = 0;
};

class CKeyManager : public CKeyManagerBase {
 public:
  // Only layout 0 (the game's only keyboard layout) exists; the joypad
  // assignment (joypad bit of each of the first 16 keys, from the settings)
  // is read now and by LoadPadConfig.
  explicit CKeyManager(const std::vector<std::int32_t>& joypadAssign, int layout = 0);

  void Update() override;
  int GetDirection9() const override;
  bool IsRawDown(EGameKey k) const override;
  bool IsKeyboardPush(EGameKey k) override;
  bool IsDown(EGameKey k) const override;
  bool IsPush(EGameKey k, bool edge) override;
  void LoadPadConfig() override;
  int GetAnalogX() const override;
  int GetAnalogY() const override;
  void ResetPushState() override;

  virtual bool IsKeyboardDown(EGameKey k) const;
  virtual bool IsPadDown(EGameKey k) const;
  virtual int GetKeyCode(EGameKey k) const;
  // The analog slots have no joypad bit: 0.
  virtual int GetPadMask(EGameKey k) const;

 private:
  bool DetectPush(int k, bool down);

  const std::vector<std::int32_t>& joypadAssign;
  int layout;
  std::array<int, kGameKeyCount> state{};
  std::array<int, kGameKeyCount> keyboardMap{};
  std::array<int, kPadKeyCount> padMap{};
  std::array<bool, kGameKeyCount> pushedBefore{};
  std::array<bool, kGameKeyCount> pushedNow{};
};

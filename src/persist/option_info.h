// The player's settings from "dat/setting.dat": the sound switch and the
// joypad bit of each of the first 16 logical keys. The game only reads this
// file, never writes it.
#pragma once

#include <cstdint>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

class Serializer;

class COptionInfo {
 public:
  static constexpr int kPadAssignCount = 16;
  static constexpr std::string_view kSerialName = "GameMain.COptionInfo";
  static constexpr const char* kTag = "C8GameMain11COptionInfo";

  COptionInfo() { ResetToDefaults(); }
  virtual ~COptionInfo() = default;
  COptionInfo(const COptionInfo&) = default;
  COptionInfo& operator=(const COptionInfo&) = default;
  virtual void ResetToDefaults();

  // The fields in file order.
  void Describe(Serializer& ar);

  bool soundEnabled = true;
  std::vector<int32_t> joypadAssign;  // EGameKey 0..15 -> joypad bit mask
};

// Registers COptionInfo under its tag; calling it again does nothing.
void RegisterOptionInfoClass();

// Reads settings held in `bytes` (the contents of a settings file). A file
// with fewer than 16 joypad entries is completed with the defaults. Throws
// ArchiveError when the bytes are damaged or cut short.
COptionInfo ParseOptionInfo(std::vector<std::uint8_t> bytes, const std::string& name);

// The settings at start-up: the defaults when the file is absent; the
// defaults and one line on `warnings` when it is damaged.
COptionInfo LoadOptionInfo(const std::string& path, std::ostream& warnings = std::cerr);

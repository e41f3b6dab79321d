// Records the game library calls made while it lives.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "runtime/gamelib/gamelib.h"

class CCallRecording {
 public:
  CCallRecording() {
    gamelib_test::ClearRecordedCalls();
    gamelib_test::StartRecording();
  }
  ~CCallRecording() {
    gamelib_test::StopRecording();
    gamelib_test::ClearRecordedCalls();
  }
  CCallRecording(const CCallRecording&) = delete;
  CCallRecording& operator=(const CCallRecording&) = delete;

  std::vector<std::string> Calls() const { return gamelib_test::RecordedCalls(); }
  void Clear() const { gamelib_test::ClearRecordedCalls(); }
  // The texts drawn with DrawStringToHandle, in order.
  std::vector<std::string> DrawnTexts() const {
    const std::string prefix = "DrawStringToHandle(";
    std::vector<std::string> texts;
    for (const std::string& call : Calls()) {
      if (call.rfind(prefix, 0) != 0) continue;
      const std::size_t open = call.find('"');
      const std::size_t close = call.rfind('"');
      if (open != std::string::npos && close > open) texts.push_back(call.substr(open + 1, close - open - 1));
    }
    return texts;
  }
  // Where `text` was written with DrawStringToHandle, if it was.
  std::optional<SPoint> TextAt(const std::string& text) const {
    const std::string quoted = ",\"" + text + "\",";
    for (const std::string& call : gamelib_test::RecordedCalls()) {
      if (!call.starts_with("DrawStringToHandle(") || call.find(quoted) == std::string::npos) continue;
      SPoint at;
      if (std::sscanf(call.c_str(), "DrawStringToHandle(%d,%d,", &at.x, &at.y) == 2) return at;
    }
    return std::nullopt;
  }
};

// Records the game library calls made while it lives.
#pragma once

#include <string>
#include <vector>

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
};

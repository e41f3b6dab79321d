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
};

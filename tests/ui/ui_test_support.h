// Keys and sounds under a test's control for the dialog tests.
#pragma once

#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "assets/sound_manager.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"

// Reports the keys a test sets as pushed this frame (and held).
class CScriptedKeys : public CKeyManagerBase {
 public:
  void Update() override {}
  int GetDirection9() const override { return 4; }
  bool IsRawDown(EGameKey k) const override { return pushed.count(k) > 0; }
  bool IsKeyboardPush(EGameKey k) override { return pushed.count(k) > 0; }
  bool IsDown(EGameKey k) const override { return pushed.count(k) > 0; }
  bool IsPush(EGameKey k, bool) override { return pushed.count(k) > 0; }
  void LoadPadConfig() override {}
  int GetAnalogX() const override { return 0; }
  int GetAnalogY() const override { return 0; }
  void ResetPushState() override {}

  std::set<EGameKey> pushed;
};

// A silent sound manager that remembers which effects were asked for.
class CRecordingSounds : public CSoundManager {
 public:
  CRecordingSounds() : CSoundManager(false) {}
  void PlaySE(int effect, bool) override { played.push_back(effect); }
  std::vector<int> played;
};

// Installs a recording sound manager as the global one while it lives.
class CSoundCapture {
 public:
  CSoundCapture() {
    auto s = std::make_unique<CRecordingSounds>();
    sounds = s.get();
    saved = std::exchange(soundManager, std::move(s));
  }
  ~CSoundCapture() { soundManager = std::move(saved); }
  CSoundCapture(const CSoundCapture&) = delete;
  CSoundCapture& operator=(const CSoundCapture&) = delete;

  const std::vector<int>& Played() const { return sounds->played; }

 private:
  CRecordingSounds* sounds;
  std::unique_ptr<CSoundManager> saved;
};

// Turns a held key into periodic repeats for menus and cursors: the first
// repeat comes 21 frames after the press, then one every 9 frames.
#pragma once

#include <memory>
#include <vector>

#include "runtime/game_key.h"

class CKeyManagerBase;
class CKeyRepeatManager;

class CRepeatInfo {
 public:
  CRepeatInfo(EGameKey key, int firstDelay, int interval, CKeyRepeatManager* owner);
  virtual ~CRepeatInfo() = default;

  virtual void Update(const CKeyManagerBase& keyManager);
  // True once per elapsed interval; asking consumes the repeat.
  virtual bool IsRepeat();
  virtual EGameKey GetKey() const;

 private:
  friend class CKeyRepeatManager;

  EGameKey key;
  int firstDelay;
  int interval;
  int firstDelayCounter;
  int intervalCounter;
  CKeyRepeatManager* owner;
};

class CKeyRepeatManager {
 public:
  CKeyRepeatManager() = default;
  CKeyRepeatManager(const CKeyRepeatManager& o);
  CKeyRepeatManager& operator=(const CKeyRepeatManager& o);
  virtual ~CKeyRepeatManager() = default;

  // The owner calls it once per frame, after the key manager's Update.
  virtual void Update(const CKeyManagerBase& keyManager);
  // Registers a key to repeat with the standard delays.
  virtual void Add(EGameKey k);
  virtual bool IsRepeat(EGameKey k);

 private:
  std::vector<std::unique_ptr<CRepeatInfo>> repeatInfos;
  int firstDelay = 12;
  int interval = 8;
};

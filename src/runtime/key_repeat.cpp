#include "runtime/key_repeat.h"

#include "runtime/key_manager.h"

CRepeatInfo::CRepeatInfo(EGameKey key_, int firstDelay_, int interval_, CKeyRepeatManager* owner_)
    : key(key_),
      firstDelay(firstDelay_),
      interval(interval_),
      firstDelayCounter(firstDelay_),
      intervalCounter(interval_),
      owner(owner_) {}

void CRepeatInfo::Update(const CKeyManagerBase& keyManager) {
  if (keyManager.IsDown(key)) {
    // The counters run one past zero, hence 21 frames to the first repeat
    // and 9 between repeats.
    if (firstDelayCounter < 0) {
      --intervalCounter;
    } else {
      --firstDelayCounter;
    }
  } else {
    firstDelayCounter = firstDelay;
    intervalCounter = interval;
  }
}

bool CRepeatInfo::IsRepeat() {
  if (intervalCounter < 0) {
    intervalCounter = interval;
    return true;
  }
  return false;
}

EGameKey CRepeatInfo::GetKey() const { return key; }

CKeyRepeatManager::CKeyRepeatManager(const CKeyRepeatManager& o) { *this = o; }

CKeyRepeatManager& CKeyRepeatManager::operator=(const CKeyRepeatManager& o) {
  if (this == &o) return *this;
  firstDelay = o.firstDelay;
  interval = o.interval;
  repeatInfos.clear();
  // A copy keeps the counters but belongs to its new manager.
  for (const auto& info : o.repeatInfos) {
    auto copy = std::make_unique<CRepeatInfo>(*info);
    copy->owner = this;
    repeatInfos.push_back(std::move(copy));
  }
  return *this;
}

void CKeyRepeatManager::Update(const CKeyManagerBase& keyManager) {
  for (const auto& info : repeatInfos) info->Update(keyManager);
}

void CKeyRepeatManager::Add(EGameKey k) {
  repeatInfos.push_back(std::make_unique<CRepeatInfo>(k, firstDelay, interval, this));
}

bool CKeyRepeatManager::IsRepeat(EGameKey k) {
  for (const auto& info : repeatInfos) {
    if (info->GetKey() == k && info->IsRepeat()) return true;
  }
  return false;
}

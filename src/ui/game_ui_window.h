// A window the battle scene shows over the map: it owns its own dialog
// manager, so it can be made, shown and dropped apart from any menu.
#pragma once

class CKeyManagerBase;

class CGameUIWindow {
 public:
  virtual ~CGameUIWindow() = default;
  virtual void Update() = 0;
  virtual void Draw() = 0;
  virtual void ProcessInput(CKeyManagerBase& keyManager) = 0;
  virtual bool IsEnd() = 0;
};

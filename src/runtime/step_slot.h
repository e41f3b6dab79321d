// The current step of a scene, a strategy or a command. A step replaces
// itself by handing its successor to the slot; the old one lives on until
// the owner's next frame, so the call that replaced it may finish.
#pragma once

#include <memory>
#include <vector>

// A step that works for `Owner` (a battle strategy with its four frame
// operations); the kinds override what they need.
template <class Owner>
class CStepOf {
 public:
  explicit CStepOf(Owner& owner_) : owner(&owner_) {}
  virtual ~CStepOf() = default;
  CStepOf(const CStepOf&) = delete;
  CStepOf& operator=(const CStepOf&) = delete;
  virtual void Update() {}
  virtual void ProcessInput() {}
  virtual void Draw() {}
  virtual void DrawOverlay() {}
  // True while the step plays on without reading the player's keys (a
  // telop, a pause), so that its owner may be updated again in one frame.
  virtual bool CanFastForward() const { return false; }

 protected:
  Owner* owner;
};

template <class Step>
class CStepSlot {
 public:
  void Set(std::unique_ptr<Step> next) {
    if (current) retired.push_back(std::move(current));
    current = std::move(next);
  }
  // The next step takes over and the current one is handed back whole,
  // for an owner that will give it the slot again later.
  std::unique_ptr<Step> Exchange(std::unique_ptr<Step> next) {
    std::unique_ptr<Step> old = std::move(current);
    current = std::move(next);
    return old;
  }
  // Frees the replaced steps: call where none of them can be running.
  void ReleaseRetired() { retired.clear(); }
  // Frees the current step, then the replaced ones.
  void Clear() {
    current.reset();
    retired.clear();
  }
  Step* Get() const { return current.get(); }
  Step* operator->() const { return current.get(); }
  explicit operator bool() const { return current != nullptr; }

 private:
  std::unique_ptr<Step> current;
  std::vector<std::unique_ptr<Step>> retired;
};

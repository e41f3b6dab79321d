// A movable, bevelled window with a title bar and a flat list of panes. One
// pane has the focus; the direction keys move it, DECIDE fires it, and a
// hook may add drawing, updating and key handling of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/color.h"
#include "core/geometry.h"
#include "runtime/key_repeat.h"
#include "ui/panes.h"

class CDialog;
class CGuiManager;
struct SGuiStyle;
class CKeyManagerBase;

class CDialogHook {
 public:
  virtual ~CDialogHook() = default;
  // At the end of the dialog's Draw.
  virtual void Draw() {}
  // At the end of the dialog's Update.
  virtual void Update() {}
  // At the end of every ProcessInput of the dialog, even while a child
  // dialog or a capturing pane has the keys.
  virtual void ProcessInput(CKeyManagerBase& keyManager) { (void)keyManager; }

  CDialog* dialog = nullptr;
};

class CDialog {
 public:
  explicit CDialog(int width = 100, int height = 100);
  virtual ~CDialog() = default;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  virtual void Layout();
  virtual void Draw();
  virtual void DrawPanes();
  virtual void DrawScrollBars();
  // Lays the pane out and keeps it; a pane added with its focused flag set
  // becomes the focused pane.
  virtual CPaneBase* AddPane(std::unique_ptr<CPaneBase> pane);
  virtual void Update();
  virtual void SetActive(bool active);
  virtual void ProcessInput(CKeyManagerBase& keyManager);
  virtual bool SetFocus(const std::string& paneName, bool focus);
  // `direction` is an EDirection4: 0 left, 1 up, 2 right, 3 down.
  virtual void MovePaneFocuse(int direction);
  // The child takes the input until it closes; this dialog owns it.
  virtual CDialog* OpenChildDialog(SPoint at, std::unique_ptr<CDialog> newChild);
  virtual void Close();
  virtual CPaneBase* FindPane(const std::string& paneName) const;
  // The first pane whose focused flag is set.
  virtual CPaneBase* GetFocusedPane() const;
  virtual void SetHook(std::unique_ptr<CDialogHook> newHook);
  virtual void UpdateContentSize();

  // Typed convenience over AddPane.
  template <class T>
  T* Add(std::unique_ptr<T> pane) {
    T* raw = pane.get();
    AddPane(std::move(pane));
    return raw;
  }

  CGuiManager* GetManager() const { return manager; }
  CDialog* GetParent() const { return parent; }
  CDialog* GetChild() const { return child.get(); }
  CPaneBase* GetFocusedPaneField() const { return focusedPane; }
  CDialogHook* GetHook() const { return hook.get(); }
  const std::vector<std::unique_ptr<CPaneBase>>& GetPanes() const { return panes; }
  bool IsActive() const { return isActive; }
  bool IsClosed() const { return isClosed; }
  int GetClientWidth() const { return clientWidth; }
  int GetClientHeight() const { return clientHeight; }
  int GetContentWidth() const { return contentWidth; }
  int GetContentHeight() const { return contentHeight; }

  void SetManager(CGuiManager* m) { manager = m; }

  SPoint position{20, 10};
  int width;
  int height;
  int titleBarHeight = 20;
  int borderWidth = 4;
  int font = 0;
  EColorName titleColor = EColorName::AliceBlue;
  std::string title;
  int backgroundAlpha = 220;
  bool hasVerticalScrollBar = false;
  bool hasHorizontalScrollBar = false;
  bool wrapsFocus = false;
  bool playsSounds = false;
  int scrollX = 0;
  int scrollY = 0;
  EColorName scrollTrackColor = EColorName::Gray;
  EColorName scrollThumbColor = EColorName::Silver;
  int scrollBarWidth = 8;

 private:
  // The manager's look, or the default look before the dialog is opened.
  const SGuiStyle& Style() const;
  void SetClip(const CRect& area);
  void ScrollIntoView();

  CKeyRepeatManager keyRepeat;
  CGuiManager* manager = nullptr;
  std::vector<std::unique_ptr<CPaneBase>> panes;
  CDialog* parent = nullptr;
  std::unique_ptr<CDialog> child;
  // A child that closed itself waits here so that it is not destroyed while
  // its own code is still running; the next Update frees it.
  std::unique_ptr<CDialog> closedChild;
  CPaneBase* focusedPane = nullptr;
  bool isActive = false;
  bool isClosed = false;
  std::unique_ptr<CDialogHook> hook;
  int clientWidth = 0;
  int clientHeight = 0;
  int contentWidth = 0;
  int contentHeight = 0;
};

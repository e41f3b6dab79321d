// Keeps the stack of open dialogs of a scene: draws and updates them bottom
// to top and gives the keys to the topmost one only.
#pragma once

#include <memory>
#include <vector>

#include "core/color.h"
#include "core/geometry.h"

class CDialog;
class CKeyManagerBase;

// The look of the dialogs of one manager. A dialog drawn before it is opened
// on a manager uses the defaults.
struct SGuiStyle {
  EColorName backgroundColor = EColorName::White;
  // Dark enough behind a white title for a dialog waiting under another.
  EColorName inactiveFrameColor = EColorName::DimGray;
  EColorName inactiveLightColor = EColorName::Gray;
  EColorName inactiveDarkColor = EColorName::Black;
  EColorName activeFrameColor = EColorName::Sienna;
  EColorName activeLightColor = EColorName::Goldenrod;
  EColorName activeDarkColor = EColorName::Maroon;
  int focusMargin = 1;
  EColorName focusFillColor = EColorName::LimeGreen;
  EColorName focusOutlineColor = EColorName::Green;
  int focusFillAlpha = 100;
};
inline constexpr SGuiStyle kDefaultGuiStyle{};

class CGuiManager : public SGuiStyle {
 public:
  CGuiManager();
  virtual ~CGuiManager();
  CGuiManager(const CGuiManager&) = delete;
  CGuiManager& operator=(const CGuiManager&) = delete;

  virtual void Draw();
  // Updates every dialog, then drops the closed ones.
  virtual void Update();
  virtual void ProcessInput(CKeyManagerBase& keyManager);
  // The manager owns the dialog until it is closed and dropped; the caller
  // may keep the returned pointer until then.
  virtual CDialog* OpenDialog(SPoint at, std::unique_ptr<CDialog> dialog);
  virtual void SetClipArea(const CRect& area);
  virtual CRect GetClipArea() const;

  const std::vector<std::unique_ptr<CDialog>>& GetDialogs() const { return dialogs; }

 private:
  CRect clipArea{0, 0, 0, 0};
  std::vector<std::unique_ptr<CDialog>> dialogs;
};

// The pieces a dialog is built from. A pane sits at a position relative to
// the client origin of its dialog (or of its container) and may take the
// focus; game code tells panes apart by name.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/color.h"
#include "core/geometry.h"
#include "gfx/draw_data.h"

class CDialog;
class CGuiManager;

class CPaneBase {
 public:
  CPaneBase(std::string name, SPoint position);
  virtual ~CPaneBase() = default;
  CPaneBase(const CPaneBase&) = delete;
  CPaneBase& operator=(const CPaneBase&) = delete;

  // Measures the pane; the dialog calls it when the pane is added.
  virtual void Layout() {}
  // `origin` is the screen point of the client origin.
  virtual void Draw(SPoint origin) = 0;
  virtual void Update() {}
  virtual void Decide();
  // Centre in client coordinates, halves truncated toward zero.
  virtual SPoint GetCenter() const;

  CDialog* parent = nullptr;
  std::string name;
  SPoint position;
  int height = 0;
  int width = 0;
  bool focusable = false;
  bool focused = false;
  // While set the dialog leaves the keys to the pane (text entry).
  bool capturesInput = false;
  bool visible = true;
  std::function<void(CDialog&)> onDecide;

 protected:
  // The manager of the dialog the pane belongs to, if it is open.
  CGuiManager* GetManager() const;
};

// The colours of the windows' text, each readable on the windows' white
// (and on the focus bar): values, raised parameters, and lines that cannot
// be chosen now, which are dimmed but still read.
inline constexpr EColorName kValueTextColor = EColorName::Purple;
inline constexpr EColorName kRaisedTextColor = EColorName::DarkRed;
inline constexpr EColorName kUnavailableTextColor = EColorName::DimGray;

class CPaneTextLabel : public CPaneBase {
 public:
  CPaneTextLabel(std::string name, SPoint position, int font, std::string text);
  void Draw(SPoint origin) override;

  int font;
  std::string text;
  EColorName textColor = EColorName::Black;
  bool drawsBackground = false;
  EColorName backgroundColor = EColorName::Gray;
};

class CPaneButton : public CPaneBase {
 public:
  CPaneButton(std::string name, SPoint position, int font, std::string caption);
  void Layout() override;
  void Draw(SPoint origin) override;

  int font;
  std::string caption;
  int bevel = 2;
  int innerMargin = 1;
  EColorName captionColor = EColorName::Black;
  EColorName faceColor = EColorName::Gray;
  EColorName lightColor = EColorName::Silver;
  EColorName darkColor = EColorName::DimGray;
};

class CPaneImage : public CPaneBase {
 public:
  CPaneImage(std::string name, SPoint position, SDrawData drawData);
  void Layout() override;
  void Draw(SPoint origin) override;
  // Advances the animation strip.
  void Update() override;

  SDrawData drawData;
};

// One line of text entry through the game library's key input.
class CPaneEditBox : public CPaneBase {
 public:
  CPaneEditBox(std::string name, SPoint position, int maxLength, std::string text);
  ~CPaneEditBox() override;
  void Layout() override;
  void Draw(SPoint origin) override;
  // Polls the entry while editing.
  void Update() override;
  // Starts editing; ignored while already editing.
  void Decide() override;

  bool IsEditing() const { return isEditing; }

  int font;
  std::string text;
  int maxLength;
  EColorName textColor = EColorName::White;
  EColorName backgroundColor = EColorName::Gray;
  EColorName editingBackgroundColor = EColorName::Black;

 private:
  int keyInputHandle = -1;
  bool isEditing = false;
};

class CPaneGauge : public CPaneBase {
 public:
  CPaneGauge(std::string name, SPoint position, int width, int height);
  void Draw(SPoint origin) override;

  int value = 50;
  int maximum = 100;
  EColorName frameColor = EColorName::DarkGreen;
  EColorName backgroundColor = EColorName::Red;
  EColorName barColor = EColorName::Green;
};

// Groups panes and clips them to its own rectangle.
class CPaneContainer : public CPaneBase {
 public:
  CPaneContainer(std::string name, SPoint position, int width, int height);
  void Draw(SPoint origin) override;
  void Update() override;

  // Lays the child out and keeps it; the child's parent stays unset.
  CPaneBase* AddChild(std::unique_ptr<CPaneBase> child);
  CPaneBase* FindChild(const std::string& childName) const;
  const std::vector<std::unique_ptr<CPaneBase>>& GetChildren() const { return children; }

 private:
  std::vector<std::unique_ptr<CPaneBase>> children;
};

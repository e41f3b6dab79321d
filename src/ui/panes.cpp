#include "ui/panes.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "ui/dialog.h"
#include "ui/gui_manager.h"

namespace {

int TextWidth(const std::string& text, int font) {
  return GetDrawStringWidthToHandle(text.c_str(), static_cast<int>(text.size()), font);
}

int FontSize(int font) {
  int size = 0;
  GetFontStateToHandle(nullptr, &size, nullptr, font);
  return size;
}

unsigned int Colour(EColorName c) { return GetColorByName(c); }

}  // namespace

// ---- base -------------------------------------------------------------------

CPaneBase::CPaneBase(std::string name_, SPoint position_) : name(std::move(name_)), position(position_) {}

void CPaneBase::Decide() {
  if (onDecide && parent) onDecide(*parent);
}

SPoint CPaneBase::GetCenter() const { return {position.x + width / 2, position.y + height / 2}; }

CGuiManager* CPaneBase::GetManager() const { return parent ? parent->GetManager() : nullptr; }

// ---- text label -------------------------------------------------------------

CPaneTextLabel::CPaneTextLabel(std::string name_, SPoint position_, int font_, std::string text_)
    : CPaneBase(std::move(name_), position_), font(font_), text(std::move(text_)) {
  width = TextWidth(text, font);
  height = FontSize(font);
}

void CPaneTextLabel::Draw(SPoint origin) {
  if (!visible) return;
  const SPoint p = origin + position;
  if (drawsBackground) DrawBox(p.x, p.y, p.x + width, p.y + height, Colour(backgroundColor), TRUE);
  DrawStringToHandle(p.x, p.y, text.c_str(), Colour(textColor), font);
}

// ---- button -----------------------------------------------------------------

CPaneButton::CPaneButton(std::string name_, SPoint position_, int font_, std::string caption_)
    : CPaneBase(std::move(name_), position_), font(font_), caption(std::move(caption_)) {}

void CPaneButton::Layout() {
  width = TextWidth(caption, font) + 2 * bevel + 2 * innerMargin;
  height = FontSize(font) + 2 * bevel + 2 * innerMargin;
}

void CPaneButton::Draw(SPoint origin) {
  if (!visible) return;
  const int x = origin.x + position.x;
  const int y = origin.y + position.y;
  DrawBox(x, y, x + width, y + height, Colour(faceColor), TRUE);
  const unsigned int light = Colour(lightColor);
  const unsigned int dark = Colour(darkColor);
  for (int i = 0; i < bevel; ++i) {
    DrawLine(x + i, y + i, x + width - i, y + i, light);
    DrawLine(x + i, y + i, x + i, y + height - i, light);
    DrawLine(x + i, y + height - i, x + width - i, y + height - i, dark);
    DrawLine(x + width - i, y + i, x + width - i, y + height - i, dark);
  }
  DrawStringToHandle(x + bevel + innerMargin, y + bevel + innerMargin, caption.c_str(), Colour(captionColor), font);
}

// ---- image ------------------------------------------------------------------

CPaneImage::CPaneImage(std::string name_, SPoint position_, SDrawData drawData_)
    : CPaneBase(std::move(name_), position_), drawData(std::move(drawData_)) {}

void CPaneImage::Layout() {
  width = drawData.width;
  height = drawData.height;
}

void CPaneImage::Draw(SPoint origin) {
  if (!visible) return;
  const SPoint p = origin + position;
  DrawSDrawData(drawData, SPointD(p.x, p.y));
}

void CPaneImage::Update() { drawData.UpdateAnimation(); }

// ---- edit box ---------------------------------------------------------------

CPaneEditBox::CPaneEditBox(std::string name_, SPoint position_, int maxLength_, std::string text_)
    : CPaneBase(std::move(name_), position_), font(fontNormal16), text(std::move(text_)), maxLength(maxLength_) {}

CPaneEditBox::~CPaneEditBox() {
  // A box dropped in the middle of an entry must not leave it open.
  if (isEditing) DeleteKeyInput(keyInputHandle);
}

void CPaneEditBox::Layout() {
  width = TextWidth(std::string(static_cast<std::size_t>(std::max(maxLength, 0)), ' '), font);
  height = FontSize(font);
}

void CPaneEditBox::Draw(SPoint origin) {
  if (!visible) return;
  const SPoint p = origin + position;
  if (isEditing) {
    DrawBox(p.x, p.y, p.x + width, p.y + height, Colour(editingBackgroundColor), TRUE);
    DrawKeyInputModeString(640, 480);
    DrawKeyInputString(p.x, p.y, keyInputHandle);
  } else {
    DrawBox(p.x, p.y, p.x + width, p.y + height, Colour(backgroundColor), TRUE);
    DrawStringToHandle(p.x, p.y, text.c_str(), Colour(textColor), font);
  }
}

void CPaneEditBox::Update() {
  if (!isEditing) return;
  const int result = CheckKeyInput(keyInputHandle);
  if (result == 0) return;
  isEditing = false;
  capturesInput = false;
  if (result == 1) text = GetKeyInputString(keyInputHandle);
  // 2 (cancelled) and -1 (the entry vanished) keep the old text.
  DeleteKeyInput(keyInputHandle);
  keyInputHandle = -1;
}

void CPaneEditBox::Decide() {
  if (isEditing) return;
  keyInputHandle = MakeKeyInput(maxLength, TRUE, FALSE, FALSE);
  if (!text.empty()) SetKeyInputString(text.c_str(), keyInputHandle);
  SetActiveKeyInput(keyInputHandle);
  isEditing = true;
  capturesInput = true;
}

// ---- gauge ------------------------------------------------------------------

CPaneGauge::CPaneGauge(std::string name_, SPoint position_, int width_, int height_)
    : CPaneBase(std::move(name_), position_) {
  width = width_;
  height = height_;
}

void CPaneGauge::Draw(SPoint origin) {
  if (!visible) return;
  const SPoint p = origin + position;
  DrawBox(p.x, p.y, p.x + width, p.y + height, Colour(backgroundColor), TRUE);
  const double ratio = maximum == 0 ? 1.0 : static_cast<double>(value) / maximum;
  DrawBox(p.x, p.y, p.x + static_cast<int>(width * ratio), p.y + height, Colour(barColor), TRUE);
  DrawBox(p.x, p.y, p.x + width, p.y + height, Colour(frameColor), FALSE);
}

// ---- container --------------------------------------------------------------

CPaneContainer::CPaneContainer(std::string name_, SPoint position_, int width_, int height_)
    : CPaneBase(std::move(name_), position_) {
  width = width_;
  height = height_;
}

namespace {
// The clip of the container being drawn, so that a container inside it (which
// has no dialog to ask) clips against it rather than the whole screen.
const CRect* drawingContainerClip = nullptr;
}  // namespace

void CPaneContainer::Draw(SPoint origin) {
  if (!visible) return;
  const SPoint p = origin + position;
  CGuiManager* manager = GetManager();
  const CRect previous = drawingContainerClip ? *drawingContainerClip
                         : manager            ? manager->GetClipArea()
                                              : CRect(0, 0, 640, 480);
  const CRect clip(std::max(previous.left, p.x), std::max(previous.top, p.y),
                   std::min(previous.right, p.x + width), std::min(previous.bottom, p.y + height));
  const auto setClip = [manager](const CRect& r) {
    if (manager) manager->SetClipArea(r);
    else SetDrawArea(r.left, r.top, r.right, r.bottom);
  };
  setClip(clip);
  const CRect* outer = std::exchange(drawingContainerClip, &clip);
  for (const auto& c : children) c->Draw(p);
  drawingContainerClip = outer;
  setClip(previous);
}

void CPaneContainer::Update() {
  for (const auto& c : children) c->Update();
}

CPaneBase* CPaneContainer::AddChild(std::unique_ptr<CPaneBase> child) {
  child->Layout();
  children.push_back(std::move(child));
  return children.back().get();
}

CPaneBase* CPaneContainer::FindChild(const std::string& childName) const {
  for (const auto& c : children)
    if (c->name == childName) return c.get();
  return nullptr;
}

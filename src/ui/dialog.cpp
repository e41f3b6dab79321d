#include "ui/dialog.h"

#include <algorithm>
#include <cmath>

#include "assets/sound_manager.h"
#include "core/game_sort.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "ui/gui_manager.h"

namespace {

// The focus search's candidates: a pane and how far its centre lies from
// the focused pane's centre.
struct SPaneAndDistance {
  CPaneBase* pane;
  double distance;
};

// Degrees clockwise from up, in [0, 360). The factor 180 / 3.141592 is the
// game's own: it tips panes on an exact diagonal or straight above or below
// into a neighbouring sector, which players of the menus rely on.
double Bearing(SPoint from, SPoint to) {
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  double b = std::fmod(std::atan2(dy, dx) * 180.0 / 3.141592 + 90.0, 360.0);
  if (b < 0) b += 360.0;
  return b;
}

bool InQuarter(int direction, double b) {
  switch (direction) {
    case 2: return 45 <= b && b < 135;    // right
    case 3: return 135 <= b && b < 225;   // down
    case 0: return 225 <= b && b < 315;   // left
    case 1: return b >= 315 || b < 45;    // up
    default: return false;
  }
}

bool InHalf(int direction, double b) {
  switch (direction) {
    case 2: return 0 <= b && b < 180;
    case 3: return 90 <= b && b < 270;
    case 0: return 180 <= b && b < 360;
    case 1: return b >= 270 || b < 90;
    default: return false;
  }
}

void PlaySound(int effect) {
  if (soundManager) soundManager->PlaySE(effect, false);
}

constexpr int kCursorSE = 24;
constexpr int kDecideSE = 25;
constexpr int kCancelSE = 26;

}  // namespace

CDialog::CDialog(int width_, int height_) : width(width_), height(height_) {
  keyRepeat.Add(EGameKey::DOWN);
  keyRepeat.Add(EGameKey::UP);
  keyRepeat.Add(EGameKey::LEFT);
  keyRepeat.Add(EGameKey::RIGHT);
}

void CDialog::Layout() {
  clientWidth = width - 2 * borderWidth - (hasVerticalScrollBar ? scrollBarWidth : 0);
  clientHeight = height - borderWidth - titleBarHeight - (hasHorizontalScrollBar ? scrollBarWidth : 0);
  UpdateContentSize();
}

void CDialog::SetClip(const CRect& area) {
  if (manager) manager->SetClipArea(area);
  else SetDrawArea(area.left, area.top, area.right, area.bottom);
}

const SGuiStyle& CDialog::Style() const { return manager ? *manager : kDefaultGuiStyle; }

void CDialog::Draw() {
  const int x = position.x;
  const int y = position.y;
  const int w = width;
  const int h = height;
  const int t = titleBarHeight;
  const int b = borderWidth;
  const SGuiStyle& m = Style();

  SetDrawBlendMode(DX_BLENDMODE_ALPHA, backgroundAlpha);
  DrawBox(x, y, x + w, y + h, GetColorByName(m.backgroundColor), TRUE);
  SetDrawBlendMode(DX_BLENDMODE_NOBLEND, 0);

  SetClip(CRect(x, y, x + w, y + h));
  DrawPanes();
  DrawScrollBars();

  const unsigned int f = GetColorByName(isActive ? m.activeFrameColor : m.inactiveFrameColor);
  const unsigned int l = GetColorByName(isActive ? m.activeLightColor : m.inactiveLightColor);
  const unsigned int d = GetColorByName(isActive ? m.activeDarkColor : m.inactiveDarkColor);
  DrawBox(x, y, x + w, y + t, f, TRUE);
  DrawBox(x, y, x + b, y + h, f, TRUE);
  DrawBox(x + w - b, y, x + w, y + h, f, TRUE);
  DrawBox(x, y + h - b, x + w, y + h, f, TRUE);
  DrawBox(x, y, x + w, y + 1, l, TRUE);
  DrawBox(x + b, y + t - 1, x + w - b, y + t, d, TRUE);
  DrawBox(x, y, x + 1, y + h, l, TRUE);
  DrawBox(x + b - 1, y + t, x + b, y + h - b, d, TRUE);
  DrawBox(x + w - 1, y, x + w, y + h, d, TRUE);
  DrawBox(x + w - b, y + t, x + w - b + 1, y + h - b, l, TRUE);
  DrawBox(x, y + h - 1, x + w, y + h, d, TRUE);
  DrawBox(x + b, y + h - b, x + w - b, y + h - b + 1, l, TRUE);

  DrawStringToHandle(x + b, y + b, title.c_str(), GetColorByName(titleColor), font);

  SetClip(CRect(0, 0, 640, 480));
  if (child) child->Draw();
  if (hook) hook->Draw();
}

void CDialog::DrawPanes() {
  const SPoint origin(position.x + borderWidth - scrollX, position.y + titleBarHeight - scrollY);
  const SGuiStyle& m = Style();
  const int p = m.focusMargin;
  for (std::size_t i = 0; i < panes.size(); ++i) {
    CPaneBase& pane = *panes[i];
    pane.Draw(origin);
    if (!pane.focused) continue;
    const int left = origin.x + pane.position.x - p;
    const int top = origin.y + pane.position.y - p;
    const int right = origin.x + pane.position.x + pane.width + p;
    const int bottom = origin.y + pane.position.y + pane.height + p;
    SetDrawBlendMode(DX_BLENDMODE_ALPHA, m.focusFillAlpha);
    DrawBox(left, top, right, bottom, GetColorByName(m.focusFillColor), TRUE);
    SetDrawBlendMode(DX_BLENDMODE_NOBLEND, 0);
    DrawBox(left, top, right, bottom, GetColorByName(m.focusOutlineColor), FALSE);
  }
}

void CDialog::DrawScrollBars() {
  const int x = position.x;
  const int y = position.y;
  const int b = borderWidth;
  const int t = titleBarHeight;
  const int cw = clientWidth;
  const int ch = clientHeight;
  const int s = scrollBarWidth;
  // With no content at all the thumb fills the track rather than dividing
  // by zero.
  if (hasVerticalScrollBar) {
    DrawBox(x + b + cw, y + t, x + b + cw + s, y + t + ch, GetColorByName(scrollTrackColor), TRUE);
    const double ratio = contentHeight > 0 ? static_cast<double>(ch) / contentHeight : 1.0;
    const int length = static_cast<int>(ratio * ch);
    const int top = static_cast<int>(ratio * scrollY + (y + t));
    DrawBox(x + b + cw, top, x + b + cw + s, top + length, GetColorByName(scrollThumbColor), TRUE);
  }
  if (hasHorizontalScrollBar) {
    DrawBox(x + b, y + t + ch, x + b + cw, y + t + ch + s, GetColorByName(scrollTrackColor), TRUE);
    const double ratio = contentWidth > 0 ? static_cast<double>(cw) / contentWidth : 1.0;
    const int length = static_cast<int>(ratio * cw);
    const int left = static_cast<int>(ratio * scrollX + (x + b));
    DrawBox(left, y + t + ch, left + length, y + t + ch + s, GetColorByName(scrollThumbColor), TRUE);
  }
}

CPaneBase* CDialog::AddPane(std::unique_ptr<CPaneBase> pane) {
  pane->parent = this;
  pane->Layout();
  if (pane->focused) focusedPane = pane.get();
  panes.push_back(std::move(pane));
  return panes.back().get();
}

void CDialog::Update() {
  closedChild.reset();
  for (std::size_t i = 0; i < panes.size(); ++i) panes[i]->Update();
  if (child) {
    if (child->isClosed) closedChild = std::move(child);
    else child->Update();
  }
  if (hook) hook->Update();
}

void CDialog::SetActive(bool active) { isActive = active; }

void CDialog::ProcessInput(CKeyManagerBase& keyManager) {
  keyRepeat.Update(keyManager);
  if (child) {
    child->ProcessInput(keyManager);
  } else if (focusedPane && !focusedPane->capturesInput) {
    for (EGameKey key : {EGameKey::UP, EGameKey::DOWN, EGameKey::RIGHT, EGameKey::LEFT}) {
      if (!keyManager.IsPush(key, true) && !keyRepeat.IsRepeat(key)) continue;
      if (playsSounds) PlaySound(kCursorSE);
      MovePaneFocuse(static_cast<int>(key));
    }
    if (keyManager.IsPush(EGameKey::DECIDE, true)) {
      if (playsSounds) PlaySound(kDecideSE);
      focusedPane->Decide();
    }
    if (keyManager.IsPush(EGameKey::CANCEL, true)) {
      if (playsSounds) PlaySound(kCancelSE);
    }
  }
  if (hook) hook->ProcessInput(keyManager);
}

bool CDialog::SetFocus(const std::string& paneName, bool focus) {
  CPaneBase* pane = FindPane(paneName);
  if (!pane) return false;
  pane->focused = focus;
  if (focus) focusedPane = pane;
  return true;
}

void CDialog::MovePaneFocuse(int direction) {
  if (!focusedPane) return;
  CPaneBase* from = focusedPane;
  const SPoint centre = from->GetCenter();

  auto collect = [&](bool (*qualifies)(int, double)) {
    std::vector<SPaneAndDistance> found;
    for (const auto& p : panes) {
      if (!p->focusable || p->name == from->name) continue;
      const SPoint c = p->GetCenter();
      if (qualifies(direction, Bearing(centre, c))) found.push_back({p.get(), Distance(centre, c)});
    }
    return found;
  };
  auto moveTo = [&](CPaneBase* to) {
    from->focused = false;
    to->focused = true;
    focusedPane = to;
  };

  std::vector<SPaneAndDistance> found = collect(InQuarter);
  if (found.empty()) found = collect(InHalf);
  if (!found.empty()) {
    GameSort(found.begin(), found.end(),
             [](const SPaneAndDistance& a, const SPaneAndDistance& b) { return a.distance < b.distance; });
    moveTo(found.front().pane);
  } else if (wrapsFocus) {
    std::vector<CPaneBase*> all;
    for (const auto& p : panes)
      if (p->focusable) all.push_back(p.get());
    if (!all.empty()) {
      const bool horizontal = direction == 0 || direction == 2;
      const bool descending = direction == 0 || direction == 1;
      GameSort(all.begin(), all.end(), [&](const CPaneBase* a, const CPaneBase* b) {
        const int av = horizontal ? a->position.x : a->position.y;
        const int bv = horizontal ? b->position.x : b->position.y;
        return descending ? av > bv : av < bv;
      });
      CPaneBase* first = all.front();
      const bool differs = horizontal ? first->position.x != from->position.x : first->position.y != from->position.y;
      if (differs) moveTo(first);
    }
  }
  ScrollIntoView();
}

void CDialog::ScrollIntoView() {
  const CPaneBase* g = focusedPane;
  const int p = Style().focusMargin;
  if (hasVerticalScrollBar) {
    if (scrollY > g->position.y - p) scrollY = g->position.y - p;
    if (scrollY + clientHeight < g->position.y + g->height + p) scrollY = g->position.y + g->height + p - clientHeight;
  }
  if (hasHorizontalScrollBar) {
    if (scrollX > g->position.x - p) scrollX = g->position.x - p;
    if (scrollX + clientWidth < g->position.x + g->width + p) scrollX = g->position.x + g->width + p - clientWidth;
  }
}

CDialog* CDialog::OpenChildDialog(SPoint at, std::unique_ptr<CDialog> newChild) {
  CDialog* raw = newChild.get();
  raw->position = at;
  raw->manager = manager;
  raw->parent = this;
  raw->SetActive(true);
  raw->Layout();
  // A child still open is replaced; keep it alive until the next Update in
  // case its own code is the caller.
  if (child) closedChild = std::move(child);
  child = std::move(newChild);
  SetActive(false);
  return raw;
}

void CDialog::Close() {
  if (parent) {
    parent->isActive = true;
    // The parent keeps the closed child until its next Update: this very
    // call may come from the child's own hook.
    if (parent->child.get() == this) parent->closedChild = std::move(parent->child);
  }
  isClosed = true;
}

CPaneBase* CDialog::FindPane(const std::string& paneName) const {
  for (const auto& p : panes)
    if (p->name == paneName) return p.get();
  return nullptr;
}

CPaneBase* CDialog::GetFocusedPane() const {
  for (const auto& p : panes)
    if (p->focused) return p.get();
  return nullptr;
}

void CDialog::SetHook(std::unique_ptr<CDialogHook> newHook) {
  hook = std::move(newHook);
  if (hook) hook->dialog = this;
}

void CDialog::UpdateContentSize() {
  const int p = Style().focusMargin;
  contentWidth = 0;
  contentHeight = 0;
  for (const auto& pane : panes) {
    contentWidth = std::max(contentWidth, pane->position.x + pane->width + p);
    contentHeight = std::max(contentHeight, pane->position.y + pane->height + p);
  }
}

#include "game/toast.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/wrap_text.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"

namespace {

constexpr int kScreenWidth = 640;
constexpr int kMargin = 4;     // from the screen's edges
constexpr int kPadding = 4;    // inside the box
constexpr int kMaxTextWidth = kScreenWidth - 2 * (kMargin + kPadding);
constexpr int kLineHeight = 14;

}  // namespace

void CToast::Show(std::string text_, int frames) {
  text = std::move(text_);
  framesLeft = frames;
}

void CToast::Draw() {
  if (framesLeft <= 0) return;
  --framesLeft;
  // A reason too long for the screen's width wraps instead of leaving it.
  const std::vector<std::string> lines = WrapText(text, kMaxTextWidth, fontEdge12, false);
  int width = 0;
  for (const std::string& line : lines) {
    width = std::max(width, GetDrawStringWidthToHandle(line.c_str(), static_cast<int>(line.size()), fontEdge12));
  }
  const int right = kScreenWidth - kMargin;
  const int left = right - width - 2 * kPadding;
  const int bottom = kMargin + 2 * kPadding + kLineHeight * static_cast<int>(lines.size());
  // Dark and half see-through, so that it reads on any picture and hides little.
  SetDrawBlendMode(DX_BLENDMODE_ALPHA, 160);
  DrawBox(left, kMargin, right, bottom, GetColor(0, 0, 0), TRUE);
  SetDrawBlendMode(DX_BLENDMODE_NOBLEND, 0);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    DrawStringToHandle(left + kPadding, kMargin + kPadding + kLineHeight * static_cast<int>(i), lines[i].c_str(),
                       GetColor(255, 255, 255), fontEdge12);
  }
}

#include "ui/key_help.h"

#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"

namespace {

constexpr int kPadding = 6;  // left and right of the text, inside the band

int TextWidth(const std::string& text) {
  return GetDrawStringWidthToHandle(text.c_str(), static_cast<int>(text.size()), fontEdge14);
}

}  // namespace

CRect KeyHelpBox(const std::string& text, int top) {
  return {640 - TextWidth(text) - 2 * kPadding, top, 640, top + kKeyHelpHeight};
}

void DrawKeyHelp(const std::string& text, int top) {
  const CRect band = KeyHelpBox(text, top);
  // Dark enough to read white text on a bright map or picture, light enough
  // to leave what lies under it readable.
  SetDrawBlendMode(DX_BLENDMODE_ALPHA, 140);
  DrawBox(band.left, band.top, band.right, band.bottom, GetColor(0, 0, 0), TRUE);
  SetDrawBlendMode(DX_BLENDMODE_NOBLEND, 0);
  DrawStringToHandle(band.left + kPadding, band.top + 2, text.c_str(), GetColor(255, 255, 255), fontEdge14);
}

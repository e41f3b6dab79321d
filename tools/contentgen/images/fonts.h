// Text for the generated pictures (title, status texts, contact-sheet
// labels), rendered with the same Japanese font the game uses.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "images/painter.h"

typedef struct _TTF_Font TTF_Font;

namespace contentgen {

class CFontBook {
 public:
  // Finds the font through fontconfig ("sans:lang=ja"); throws
  // std::runtime_error when there is none or it cannot be opened.
  CFontBook();
  ~CFontBook();
  CFontBook(const CFontBook&) = delete;
  CFontBook& operator=(const CFontBook&) = delete;

  // Coverage of one line of UTF-8 text at the given pixel size. Crisp text
  // is rendered without anti-aliasing (for tiny pixel labels).
  SMask Render(const std::string& utf8, int pixelSize, bool bold = false, bool crisp = false);
  const std::filesystem::path& FontPath() const { return path_; }

 private:
  TTF_Font* Font(int pixelSize, bool bold, bool crisp);

  std::filesystem::path path_;
  int faceIndex_ = 0;
  std::map<std::pair<int, int>, TTF_Font*> fonts_;
};

// Text drawn into a painter: fill over an outline band, centred on (cx, cy)
// in picture pixels. The mask is rendered at the painter's fine scale.
struct STextStyle {
  int size = 12;
  CPaint fill = SColor{255, 255, 255, 255};
  SColor outline = kClear;
  double outlineWidth = 0;
  bool bold = false;
  bool crisp = false;
};
// Width and height in picture pixels of the rendered text.
std::pair<double, double> MeasureText(CFontBook& fonts, const std::string& utf8, const STextStyle& style, int scale);
void DrawText(CPainter& painter, CFontBook& fonts, const std::string& utf8, double cx, double cy,
              const STextStyle& style);

}  // namespace contentgen

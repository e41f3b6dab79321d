#include "images/fonts.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <memory>
#include <stdexcept>

namespace contentgen {

namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

std::pair<std::filesystem::path, int> FindJapaneseFont() {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) throw std::runtime_error("fontconfig cannot load its configuration");
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans:lang=ja"));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  std::filesystem::path path;
  int index = 0;
  if (match) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
      path = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  FcConfigDestroy(config);
  if (path.empty())
    throw std::runtime_error("no Japanese font found through fontconfig (install fonts-ipafont-gothic)");
  return {path, index};
}

}  // namespace

CFontBook::CFontBook() {
  if (TTF_Init() != 0) throw std::runtime_error(std::string("SDL_ttf cannot start: ") + TTF_GetError());
  try {
    std::tie(path_, faceIndex_) = FindJapaneseFont();
  } catch (...) {
    TTF_Quit();
    throw;
  }
}

CFontBook::~CFontBook() {
  for (auto& [key, font] : fonts_) TTF_CloseFont(font);
  TTF_Quit();
}

TTF_Font* CFontBook::Font(int pixelSize, bool bold, bool crisp) {
  const std::pair<int, int> key{pixelSize, (bold ? 1 : 0) | (crisp ? 2 : 0)};
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
  TTF_Font* font = TTF_OpenFontIndex(path_.string().c_str(), pixelSize, faceIndex_);
  if (!font) throw std::runtime_error("cannot open the font " + path_.string() + ": " + TTF_GetError());
  TTF_SetFontStyle(font, bold ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL);
  TTF_SetFontHinting(font, crisp ? TTF_HINTING_MONO : TTF_HINTING_NORMAL);
  fonts_[key] = font;
  return font;
}

SMask CFontBook::Render(const std::string& utf8, int pixelSize, bool bold, bool crisp) {
  SMask mask;
  if (utf8.empty()) return mask;
  TTF_Font* font = Font(pixelSize, bold, crisp);
  const SDL_Color white{255, 255, 255, 255};
  std::unique_ptr<SDL_Surface, SurfaceDeleter> text(crisp ? TTF_RenderUTF8_Solid(font, utf8.c_str(), white)
                                                          : TTF_RenderUTF8_Blended(font, utf8.c_str(), white));
  if (!text) throw std::runtime_error("cannot render the text \"" + utf8 + "\": " + TTF_GetError());
  std::unique_ptr<SDL_Surface, SurfaceDeleter> rgba(SDL_ConvertSurfaceFormat(text.get(), SDL_PIXELFORMAT_RGBA32, 0));
  if (!rgba) throw std::runtime_error(std::string("cannot convert rendered text: ") + SDL_GetError());
  mask.width = rgba->w;
  mask.height = rgba->h;
  mask.value.resize(static_cast<std::size_t>(mask.width) * mask.height);
  const auto* base = static_cast<const std::uint8_t*>(rgba->pixels);
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x)
      mask.value[static_cast<std::size_t>(y) * mask.width + x] = base[y * rgba->pitch + 4 * x + 3];
  return mask;
}

std::pair<double, double> MeasureText(CFontBook& fonts, const std::string& utf8, const STextStyle& style, int scale) {
  const SMask m = fonts.Render(utf8, style.size * scale, style.bold, style.crisp);
  return {double(m.width) / scale, double(m.height) / scale};
}

void DrawText(CPainter& painter, CFontBook& fonts, const std::string& utf8, double cx, double cy,
              const STextStyle& style) {
  const int scale = painter.Scale();
  const SMask m = fonts.Render(utf8, style.size * scale, style.bold, style.crisp);
  const double x = cx - double(m.width) / scale / 2, y = cy - double(m.height) / scale / 2;
  if (style.outlineWidth <= 0 || style.outline.a == 0) {
    painter.FillMask(m, x, y, style.fill);
    return;
  }
  CPainter layer(painter.Width(), painter.Height(), scale);
  layer.FillMask(m, x, y, style.fill);
  layer.Outline(style.outlineWidth, style.outline);
  painter.DrawLayer(layer);
}

}  // namespace contentgen

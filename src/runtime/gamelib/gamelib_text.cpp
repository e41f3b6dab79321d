// Fonts, drawn text with its cache, and the one-line text entry.
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>

#include "runtime/gamelib/gamelib_state.h"

namespace gamelib_detail {
namespace {

constexpr size_t kTextCacheLimit = 512;  // rendered strings kept as textures
constexpr size_t kTextWidthLimit = 8192;  // measured strings kept

// The game's face: a Japanese-capable sans serif.
std::string FindFontFile() {
  std::string path;
  if (!FcInit()) return path;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans:lang=ja"));
  if (!pattern) return path;
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  if (match) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
      path = reinterpret_cast<const char*>(file);
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return path;
}

Font* FindFont(int handle) {
  auto it = S().fonts.find(handle);
  return it == S().fonts.end() ? nullptr : &it->second;
}

SDL_Surface* RenderPlain(const Font& font, const char* text, SDL_Color color) {
  SDL_Surface* raw = font.antialias ? TTF_RenderUTF8_Blended(font.face, text, color)
                                    : TTF_RenderUTF8_Solid(font.face, text, color);
  if (!raw) return nullptr;
  SDL_Surface* rgba = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(raw);
  return rgba;
}

// The text as a texture, with its edge when the font has one. The texture's
// top-left corner belongs at (x - edge, y - edge).
CachedText* RenderText(int fontHandle, Font& font, const char* text, unsigned int color, unsigned int edgeColor) {
  State& s = S();
  std::string key = std::to_string(fontHandle) + '\x1f' + std::to_string(color) + '\x1f' +
                    std::to_string(font.edge ? edgeColor : 0u) + '\x1f' + text;
  auto it = s.textCache.find(key);
  if (it != s.textCache.end()) {
    it->second.lastUse = ++s.textUse;
    return &it->second;
  }
  SDL_Surface* body = RenderPlain(font, text, ColorOf(color));
  if (!body) return nullptr;
  SDL_Surface* finished = body;
  if (font.edge > 0) {
    const int e = font.edge;
    SDL_Surface* outline = RenderPlain(font, text, ColorOf(edgeColor));
    finished = SDL_CreateRGBSurfaceWithFormat(0, body->w + 2 * e, body->h + 2 * e, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!finished || !outline) {
      if (outline) SDL_FreeSurface(outline);
      if (finished) SDL_FreeSurface(finished);
      SDL_FreeSurface(body);
      return nullptr;
    }
    SDL_FillRect(finished, nullptr, 0);
    SDL_SetSurfaceBlendMode(outline, SDL_BLENDMODE_BLEND);
    SDL_SetSurfaceBlendMode(body, SDL_BLENDMODE_BLEND);
    for (int dy = -e; dy <= e; ++dy) {
      for (int dx = -e; dx <= e; ++dx) {
        if (dx == 0 && dy == 0) continue;
        SDL_Rect at{e + dx, e + dy, 0, 0};
        SDL_BlitSurface(outline, nullptr, finished, &at);
      }
    }
    SDL_Rect at{e, e, 0, 0};
    SDL_BlitSurface(body, nullptr, finished, &at);
    SDL_FreeSurface(outline);
    SDL_FreeSurface(body);
  }
  CachedText entry;
  entry.texture = SDL_CreateTextureFromSurface(s.renderer, finished);
  entry.w = finished->w;
  entry.h = finished->h;
  SDL_FreeSurface(finished);
  if (!entry.texture) return nullptr;
  SDL_SetTextureBlendMode(entry.texture, SDL_BLENDMODE_BLEND);
  if (s.textCache.size() >= kTextCacheLimit) {
    auto oldest = std::min_element(s.textCache.begin(), s.textCache.end(),
                                   [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
    SDL_DestroyTexture(oldest->second.texture);
    s.textCache.erase(oldest);
  }
  entry.lastUse = ++s.textUse;
  return &(s.textCache[key] = entry);
}

int DefaultFont() {
  State& s = S();
  if (s.defaultFont < 0) s.defaultFont = CreateFontToHandle(nullptr, s.defaultFontSize, 6, DX_FONTTYPE_NORMAL);
  return s.defaultFont;
}

KeyInput* FindKeyInput(int handle) {
  auto it = S().keyInputs.find(handle);
  return it == S().keyInputs.end() ? nullptr : &it->second;
}

std::string Joined(const KeyInput& in, size_t from, size_t to) {
  std::string out;
  for (size_t i = from; i < to && i < in.chars.size(); ++i) out += in.chars[i];
  return out;
}

void Deactivate() {
  State& s = S();
  s.activeKeyInput = -1;
  if (s.initialised) SDL_StopTextInput();
}

void InsertText(KeyInput& in, const char* utf8) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p;) {
    int len = 1;
    if (*p >= 0xf0) len = 4;
    else if (*p >= 0xe0) len = 3;
    else if (*p >= 0xc0) len = 2;
    std::string ch(reinterpret_cast<const char*>(p), strnlen(reinterpret_cast<const char*>(p), len));
    p += ch.size();
    if (in.maxLength > 0 && static_cast<int>(in.chars.size()) >= in.maxLength) return;
    if (in.singleByteOnly && ch.size() != 1) continue;
    if (in.numberOnly && !(ch.size() == 1 && (std::isdigit(static_cast<unsigned char>(ch[0])) || ch[0] == '-'))) {
      continue;
    }
    if (ch.size() == 1 && static_cast<unsigned char>(ch[0]) < 0x20) continue;
    in.chars.insert(in.chars.begin() + static_cast<long>(in.cursor), ch);
    ++in.cursor;
  }
}

void EditKey(KeyInput& in, int key) {
  switch (key) {
    case KEY_INPUT_RETURN:
      in.state = 1;
      Deactivate();
      break;
    case KEY_INPUT_ESCAPE:
      if (in.cancelValid) {
        in.state = 2;
        Deactivate();
      }
      break;
    case KEY_INPUT_BACK:
      if (in.cursor > 0) in.chars.erase(in.chars.begin() + static_cast<long>(--in.cursor));
      break;
    case KEY_INPUT_DELETE:
      if (in.cursor < in.chars.size()) in.chars.erase(in.chars.begin() + static_cast<long>(in.cursor));
      break;
    case KEY_INPUT_LEFT:
      if (in.cursor > 0) --in.cursor;
      break;
    case KEY_INPUT_RIGHT:
      if (in.cursor < in.chars.size()) ++in.cursor;
      break;
    default:
      break;
  }
}

}  // namespace

bool EnsureTtf() {
  State& s = S();
  if (s.ttfReady) return true;
  if (TTF_Init() != 0) return false;
  s.fontPath = FindFontFile();
  s.ttfReady = true;
  return true;
}

void ReleaseText() {
  State& s = S();
  for (auto& [key, entry] : s.textCache) SDL_DestroyTexture(entry.texture);
  s.textCache.clear();
}

void ReleaseFonts() {
  State& s = S();
  for (auto& [handle, font] : s.fonts) TTF_CloseFont(font.face);
  s.fonts.clear();
  s.fontFiles.clear();
  s.textWidths.clear();
  s.defaultFont = -1;
  if (s.ttfReady) TTF_Quit();
  s.ttfReady = false;
}

void HandleTextInputEvent(const SDL_Event& e) {
  KeyInput* in = FindKeyInput(S().activeKeyInput);
  if (!in) return;
  if (e.type == SDL_TEXTINPUT) {
    InsertText(*in, e.text.text);
  } else if (e.type == SDL_KEYDOWN) {
    EditKey(*in, e.key.keysym.scancode);
  }
}

}  // namespace gamelib_detail

using namespace gamelib_detail;

int CreateFontToHandle(const char* fontName, int size, int thick, int fontType, int, int edgeSize, int italic, int) {
  if (!EnsureTtf()) return -1;
  State& s = S();
  std::string path = s.fontPath;
  if (fontName && *fontName) path = fontName;
  if (path.empty()) return -1;
  if (size <= 0) size = 16;
  // A face reads each glyph the first time it is drawn or measured; from
  // memory that costs no file seeks in the middle of a frame.
  auto file = s.fontFiles.find(path);
  if (file == s.fontFiles.end()) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    if (size <= 0) return -1;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return -1;
    file = s.fontFiles.emplace(path, std::move(bytes)).first;
  }
  SDL_RWops* rw = SDL_RWFromConstMem(file->second.data(), static_cast<int>(file->second.size()));
  TTF_Font* face = rw ? TTF_OpenFontRW(rw, 1, size) : nullptr;
  if (!face) return -1;
  Font font;
  font.face = face;
  font.size = size;
  font.thick = thick < 0 ? 6 : thick;
  font.type = fontType;
  font.antialias = fontType == DX_FONTTYPE_ANTIALIASING || fontType == DX_FONTTYPE_ANTIALIASING_EDGE;
  const bool edged = fontType == DX_FONTTYPE_EDGE || fontType == DX_FONTTYPE_ANTIALIASING_EDGE;
  font.edge = edged ? (edgeSize > 0 ? edgeSize : 1) : 0;
  // Crisp pixel text for the plain faces; heavier strokes for thick settings.
  TTF_SetFontHinting(face, font.antialias ? TTF_HINTING_LIGHT : TTF_HINTING_MONO);
  int style = TTF_STYLE_NORMAL;
  if (font.thick >= 8) style |= TTF_STYLE_BOLD;
  if (italic) style |= TTF_STYLE_ITALIC;
  TTF_SetFontStyle(face, style);
  const int handle = s.nextFont++;
  s.fonts[handle] = font;
  return handle;
}

int SetFontSize(int size) {
  State& s = S();
  if (size <= 0) return -1;
  s.defaultFontSize = size;
  s.defaultFont = -1;
  return 0;
}

int DrawStringToHandle(int x, int y, const char* text, unsigned int color, int fontHandle, unsigned int edgeColor,
                       int) {
  if (Recording()) Record("DrawStringToHandle", {Arg(x), Arg(y), Arg(text), Arg(color), Arg(fontHandle)});
  State& s = S();
  if (!s.initialised || !text || !*text) return 0;
  Font* font = FindFont(fontHandle);
  if (!font) return -1;
  CachedText* rendered = RenderText(fontHandle, *font, text, color, edgeColor);
  if (!rendered) return -1;
  SDL_SetTextureAlphaMod(rendered->texture,
                         s.blendMode == DX_BLENDMODE_NOBLEND ? 255 : static_cast<Uint8>(std::clamp(s.blendParam, 0, 255)));
  SDL_SetTextureColorMod(rendered->texture, static_cast<Uint8>(s.brightR), static_cast<Uint8>(s.brightG),
                         static_cast<Uint8>(s.brightB));
  const SDL_Rect dst{x - font->edge, y - font->edge, rendered->w, rendered->h};
  SDL_RenderCopy(s.renderer, rendered->texture, nullptr, &dst);
  return 0;
}

int GetDrawStringWidthToHandle(const char* text, int byteLength, int fontHandle) {
  Font* font = FindFont(fontHandle);
  if (!font || !text) return -1;
  if (byteLength <= 0) return 0;
  // Windows measure the same captions frame after frame; the font reads a
  // glyph it has not kept from its file each time, so widths are kept here.
  std::string key = std::to_string(fontHandle) + '\x1f';
  key.append(text, strnlen(text, static_cast<size_t>(byteLength)));
  State& s = S();
  if (const auto it = s.textWidths.find(key); it != s.textWidths.end()) return it->second;
  int w = 0, h = 0;
  if (TTF_SizeUTF8(font->face, key.c_str() + key.find('\x1f') + 1, &w, &h) != 0) return -1;
  if (s.textWidths.size() >= kTextWidthLimit) s.textWidths.clear();
  s.textWidths.emplace(std::move(key), w);
  return w;
}

int GetFontStateToHandle(std::string* fontName, int* size, int* thick, int fontHandle) {
  Font* font = FindFont(fontHandle);
  if (!font) return -1;
  if (fontName) {
    const char* family = TTF_FontFaceFamilyName(font->face);
    *fontName = family ? family : "";
  }
  if (size) *size = font->size;
  if (thick) *thick = font->thick;
  return 0;
}

// ---- one-line text entry ------------------------------------------------------

int MakeKeyInput(int maxLength, int cancelValidFlag, int singleByteOnlyFlag, int numberOnlyFlag) {
  State& s = S();
  KeyInput in;
  in.maxLength = maxLength;
  in.cancelValid = cancelValidFlag != 0;
  in.singleByteOnly = singleByteOnlyFlag != 0;
  in.numberOnly = numberOnlyFlag != 0;
  const int handle = s.nextKeyInput++;
  s.keyInputs[handle] = in;
  return handle;
}

int SetActiveKeyInput(int inputHandle) {
  State& s = S();
  KeyInput* in = FindKeyInput(inputHandle);
  if (!in) {
    Deactivate();
    return inputHandle == -1 ? 0 : -1;
  }
  in->state = 0;
  s.activeKeyInput = inputHandle;
  if (s.initialised) SDL_StartTextInput();
  return 0;
}

int SetKeyInputString(const char* text, int inputHandle) {
  KeyInput* in = FindKeyInput(inputHandle);
  if (!in) return -1;
  in->chars.clear();
  in->cursor = 0;
  const int keepMax = in->maxLength;
  const bool keepSingle = in->singleByteOnly, keepNumber = in->numberOnly;
  in->singleByteOnly = in->numberOnly = false;  // the game's own text is taken as given
  InsertText(*in, text ? text : "");
  in->maxLength = keepMax;
  in->singleByteOnly = keepSingle;
  in->numberOnly = keepNumber;
  return 0;
}

std::string GetKeyInputString(int inputHandle) {
  KeyInput* in = FindKeyInput(inputHandle);
  return in ? Joined(*in, 0, in->chars.size()) : std::string();
}

int CheckKeyInput(int inputHandle) {
  KeyInput* in = FindKeyInput(inputHandle);
  return in ? in->state : -1;
}

int DrawKeyInputString(int x, int y, int inputHandle) {
  KeyInput* in = FindKeyInput(inputHandle);
  if (!in) return -1;
  const std::string text = Joined(*in, 0, in->chars.size());
  if (Recording()) Record("DrawKeyInputString", {Arg(x), Arg(y), Arg(text.c_str())});
  State& s = S();
  if (!s.initialised) return 0;
  const int font = DefaultFont();
  const unsigned int white = GetColor(255, 255, 255);
  DrawStringToHandle(x, y, text.c_str(), white, font);
  // A blinking caret where the next character goes.
  if (s.activeKeyInput == inputHandle && (GetNowCount() / 500) % 2 == 0) {
    const std::string before = Joined(*in, 0, in->cursor);
    const int cx = x + GetDrawStringWidthToHandle(before.c_str(), static_cast<int>(before.size()), font);
    int size = s.defaultFontSize;
    GetFontStateToHandle(nullptr, &size, nullptr, font);
    DrawBox(cx, y, cx + 2, y + size, white, TRUE);
  }
  return 0;
}

int DrawKeyInputModeString(int, int) { return 0; }

int DeleteKeyInput(int inputHandle) {
  State& s = S();
  if (s.activeKeyInput == inputHandle) Deactivate();
  return s.keyInputs.erase(inputHandle) ? 0 : -1;
}

void gamelib_test::TypeText(const char* utf8) {
  KeyInput* in = FindKeyInput(S().activeKeyInput);
  if (in && utf8) InsertText(*in, utf8);
}

void gamelib_test::PressEditKey(int keyCode) {
  KeyInput* in = FindKeyInput(S().activeKeyInput);
  if (in) EditKey(*in, keyCode);
}

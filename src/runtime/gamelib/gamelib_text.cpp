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

// The file of the face fontconfig chooses for `name`, e.g. "sans:lang=ja"
// for the game's Japanese-capable sans serif.
std::string FindFontFile(const char* name) {
  std::string path;
  if (!FcInit()) return path;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
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

// Letters (and the blanks between them) come from the Latin face; digits and
// signs keep the main face's look, which reads well at every size.
bool IsLatin(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The text cut where it changes between letters and the rest; for each piece,
// whether it is drawn with the font's Latin face. A blank stays with the
// piece it follows.
std::vector<std::pair<std::string, bool>> Runs(const Font& font, const char* text) {
  std::vector<std::pair<std::string, bool>> runs;
  for (const char* p = text; *p; ++p) {
    const bool blank = *p == ' ' && !runs.empty();
    const bool latin = blank ? runs.back().second : font.latin && IsLatin(static_cast<unsigned char>(*p));
    if (runs.empty() || runs.back().second != latin) runs.emplace_back(std::string(), latin);
    runs.back().first += *p;
  }
  return runs;
}

SDL_Surface* RenderRun(const Font& font, TTF_Font* face, const char* text, SDL_Color color) {
  SDL_Surface* raw = font.antialias ? TTF_RenderUTF8_Blended(face, text, color) : TTF_RenderUTF8_Solid(face, text, color);
  if (!raw) return nullptr;
  SDL_Surface* rgba = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(raw);
  return rgba;
}

// A heavy face's strokes are doubled one pixel to the right: a thicker line
// that keeps the gaps inside M and W open, as an emboldened outline does not.
SDL_Surface* Thicken(SDL_Surface* body) {
  SDL_Surface* heavy = SDL_CreateRGBSurfaceWithFormat(0, body->w + 1, body->h, 32, SDL_PIXELFORMAT_ARGB8888);
  if (heavy) {
    SDL_FillRect(heavy, nullptr, 0);
    SDL_SetSurfaceBlendMode(body, SDL_BLENDMODE_BLEND);
    for (int dx = 0; dx <= 1; ++dx) {
      SDL_Rect at{dx, 0, 0, 0};
      SDL_BlitSurface(body, nullptr, heavy, &at);
    }
  }
  SDL_FreeSurface(body);
  return heavy;
}

SDL_Surface* RenderPlain(const Font& font, const char* text, SDL_Color color) {
  const auto runs = Runs(font, text);
  SDL_Surface* body = nullptr;
  if (runs.size() == 1 && !runs.front().second) {
    body = RenderRun(font, font.face, text, color);
  } else {
    // Pieces side by side on the main face's line, Latin ones on its baseline.
    // A piece of blanks may come back as no picture: its width stays empty.
    std::vector<SDL_Surface*> pieces;
    std::vector<int> widths;
    bool failed = false;
    for (const auto& [piece, latin] : runs) {
      TTF_Font* face = latin ? font.latin : font.face;
      int w = 0, h = 0;
      failed |= TTF_SizeUTF8(face, piece.c_str(), &w, &h) != 0;
      SDL_Surface* r = RenderRun(font, face, piece.c_str(), color);
      pieces.push_back(r);
      widths.push_back(r ? r->w : w);
    }
    int width = 0;
    for (int w : widths) width += w;
    if (!failed && width > 0) {
      body = SDL_CreateRGBSurfaceWithFormat(0, width, TTF_FontHeight(font.face), 32, SDL_PIXELFORMAT_ARGB8888);
    }
    if (body) {
      SDL_FillRect(body, nullptr, 0);
      int x = 0;
      for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i]) {
          SDL_SetSurfaceBlendMode(pieces[i], SDL_BLENDMODE_NONE);
          SDL_Rect at{x, runs[i].second ? font.latinRise : 0, 0, 0};
          SDL_BlitSurface(pieces[i], nullptr, body, &at);
        }
        x += widths[i];
      }
    }
    for (SDL_Surface* piece : pieces) {
      if (piece) SDL_FreeSurface(piece);
    }
  }
  if (body && font.heavy) body = Thicken(body);
  return body;
}

// The width of `text` as RenderPlain draws it.
int MeasureText(const Font& font, const char* text) {
  int width = font.heavy ? 1 : 0;
  for (const auto& [piece, latin] : Runs(font, text)) {
    int w = 0, h = 0;
    if (TTF_SizeUTF8(latin ? font.latin : font.face, piece.c_str(), &w, &h) != 0) return -1;
    width += w;
  }
  return width;
}

int Advance(TTF_Font* face, Uint32 ch) {
  int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
  return TTF_GlyphMetrics32(face, ch, &minx, &maxx, &miny, &maxy, &advance) == 0 ? advance : -1;
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
  s.fontPath = FindFontFile("sans:lang=ja");
  s.latinFontPath = FindFontFile("monospace:lang=en");
  if (s.latinFontPath == s.fontPath) s.latinFontPath.clear();
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
  for (auto& [handle, font] : s.fonts) {
    TTF_CloseFont(font.face);
    if (font.latin) TTF_CloseFont(font.latin);
  }
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

namespace gamelib_detail {
namespace {

// A face of `path` at `size`, read from memory (the file is read whole once):
// a face reads each glyph the first time it is drawn or measured, and from
// memory that costs no file seeks in the middle of a frame.
TTF_Font* OpenFace(const std::string& path, int size) {
  State& s = S();
  auto file = s.fontFiles.find(path);
  if (file == s.fontFiles.end()) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff length = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    if (length <= 0) return nullptr;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(length));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), length)) return nullptr;
    file = s.fontFiles.emplace(path, std::move(bytes)).first;
  }
  SDL_RWops* rw = SDL_RWFromConstMem(file->second.data(), static_cast<int>(file->second.size()));
  return rw ? TTF_OpenFontRW(rw, 1, size) : nullptr;
}

// The Latin face for `font`: the largest size whose M is no wider than the
// main face's, so that no caption grows. Small sizes of the Japanese face
// draw M and W as solid blocks; the Latin face is hinted for them.
void AddLatinFace(Font& font, int hinting) {
  const std::string& path = S().latinFontPath;
  const int cell = Advance(font.face, 'M');
  if (path.empty() || cell <= 0) return;
  for (int size = font.size; size >= font.size / 2 && size > 0; --size) {
    TTF_Font* latin = OpenFace(path, size);
    if (!latin) return;
    TTF_SetFontHinting(latin, hinting);
    const int advance = Advance(latin, 'M');
    if (advance > 0 && advance <= cell) {
      font.latin = latin;
      font.latinRise = TTF_FontAscent(font.face) - TTF_FontAscent(latin);
      return;
    }
    TTF_CloseFont(latin);
  }
}

}  // namespace
}  // namespace gamelib_detail

int CreateFontToHandle(const char* fontName, int size, int thick, int fontType, int, int edgeSize, int italic, int) {
  if (!EnsureTtf()) return -1;
  State& s = S();
  std::string path = s.fontPath;
  if (fontName && *fontName) path = fontName;
  if (path.empty()) return -1;
  if (size <= 0) size = 16;
  TTF_Font* face = OpenFace(path, size);
  if (!face) return -1;
  Font font;
  font.face = face;
  font.size = size;
  font.thick = thick < 0 ? 6 : thick;
  font.type = fontType;
  font.antialias = fontType == DX_FONTTYPE_ANTIALIASING || fontType == DX_FONTTYPE_ANTIALIASING_EDGE;
  const bool edged = fontType == DX_FONTTYPE_EDGE || fontType == DX_FONTTYPE_ANTIALIASING_EDGE;
  font.edge = edged ? (edgeSize > 0 ? edgeSize : 1) : 0;
  // Crisp pixel text for the plain faces. A thick setting makes large text
  // heavier; small text keeps its strokes, which would run together.
  const int hinting = font.antialias ? TTF_HINTING_LIGHT : TTF_HINTING_MONO;
  TTF_SetFontHinting(face, hinting);
  font.heavy = font.thick >= 8 && size >= 24;
  TTF_SetFontStyle(face, italic ? TTF_STYLE_ITALIC : TTF_STYLE_NORMAL);
  if (!fontName || !*fontName) AddLatinFace(font, hinting);
  if (font.latin && italic) TTF_SetFontStyle(font.latin, TTF_STYLE_ITALIC);
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
  const int w = MeasureText(*font, key.c_str() + key.find('\x1f') + 1);
  if (w < 0) return -1;
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

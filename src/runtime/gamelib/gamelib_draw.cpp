// Images and drawing into the 640 x 480 back buffer.
#include <SDL_image.h>

#include <algorithm>
#include <cmath>

#include "runtime/gamelib/gamelib_state.h"

namespace gamelib_detail {

Image* FindImage(int handle) {
  auto it = S().images.find(handle);
  return it == S().images.end() ? nullptr : &it->second;
}

namespace {

SDL_Texture* MakeTexture(SDL_Surface* rgba) {
  State& s = S();
  SDL_Texture* t = SDL_CreateTextureFromSurface(s.renderer, rgba);
  if (!t) return nullptr;
  SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(t, s.drawMode == DX_DRAWMODE_BILINEAR ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  return t;
}

// Pixels of the transparent colour become fully transparent (and black, so
// that filtered edges darken instead of taking on the key colour).
SDL_Surface* KeyedCopy(SDL_Surface* rgba) {
  SDL_Surface* copy = SDL_DuplicateSurface(rgba);
  if (!copy) return nullptr;
  const State& s = S();
  SDL_LockSurface(copy);
  for (int y = 0; y < copy->h; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(copy->pixels) + y * copy->pitch);
    for (int x = 0; x < copy->w; ++x) {
      Uint8 r, g, b, a;
      SDL_GetRGBA(row[x], copy->format, &r, &g, &b, &a);
      if (r == s.transR && g == s.transG && b == s.transB) row[x] = SDL_MapRGBA(copy->format, 0, 0, 0, 0);
    }
  }
  SDL_UnlockSurface(copy);
  return copy;
}

int AddImage(Image image) {
  State& s = S();
  const int handle = s.nextImage++;
  if (image.sheet == 0) {
    image.sheet = handle;
  } else if (Image* sheet = FindImage(image.sheet)) {
    ++sheet->cells;
  }
  s.images[handle] = image;
  return handle;
}

// The textures and pixels a whole picture owns.
void DestroyPicture(const Image& image) {
  if (image.keyed) SDL_DestroyTexture(image.keyed);
  if (image.opaque) SDL_DestroyTexture(image.opaque);
  if (image.surface) SDL_FreeSurface(image.surface);
}

void FreeSheet(int handle) {
  State& s = S();
  const auto it = s.images.find(handle);
  if (it == s.images.end()) return;
  DestroyPicture(it->second);
  const auto byPath = s.picturesByPath.find(it->second.path);
  if (byPath != s.picturesByPath.end() && byPath->second == handle) s.picturesByPath.erase(byPath);
  s.images.erase(it);
}

// Loads the file into a new whole-image handle, or returns -1.
int LoadSheet(const char* path) {
  SDL_Surface* loaded = IMG_Load(path);
  if (!loaded) return -1;
  SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!rgba) return -1;
  SDL_Surface* keyed = KeyedCopy(rgba);
  Image image;
  image.surface = rgba;
  image.src = {0, 0, rgba->w, rgba->h};
  image.keyed = keyed ? MakeTexture(keyed) : nullptr;
  if (keyed) SDL_FreeSurface(keyed);
  if (!image.keyed) {
    SDL_FreeSurface(rgba);
    return -1;
  }
  image.path = path;
  const int handle = AddImage(image);
  // The first picture of a file is the one cells are cut from.
  S().picturesByPath.emplace(path, handle);
  return handle;
}

// The picture read from `path`, read now if no picture of it is held (the
// new one then goes with the last cell cut from it); -1 when unreadable.
int SheetFor(const char* path) {
  const auto known = S().picturesByPath.find(path);
  if (known != S().picturesByPath.end()) return known->second;
  const int sheet = LoadSheet(path);
  if (sheet >= 0) FindImage(sheet)->ownedByCells = true;
  return sheet;
}

// A handle for the rectangle `src` of `sheet`, or -1 when it does not lie
// inside the picture.
int CutCell(int sheet, SDL_Rect src) {
  const SDL_Rect whole = FindImage(sheet)->src;
  if (src.x < 0 || src.y < 0 || src.x + src.w > whole.w || src.y + src.h > whole.h) return -1;
  Image cell;
  cell.sheet = sheet;
  cell.src = src;
  return AddImage(cell);
}

// Frees a picture nobody holds that no cell was cut from.
void DropIfUnused(int sheet) {
  const Image* read = FindImage(sheet);
  if (read && read->ownedByCells && read->cells == 0) FreeSheet(sheet);
}

SDL_BlendMode SdlBlend(int mode) {
  switch (mode) {
    case DX_BLENDMODE_ADD: return SDL_BLENDMODE_ADD;
    case DX_BLENDMODE_MUL: return SDL_BLENDMODE_MOD;
    default: return SDL_BLENDMODE_BLEND;
  }
}

Uint8 BlendAlpha() {
  const State& s = S();
  if (s.blendMode == DX_BLENDMODE_NOBLEND) return 255;
  return static_cast<Uint8>(std::clamp(s.blendParam, 0, 255));
}

bool Drawable() { return S().initialised && S().rasterise; }

void Copy(int handle, const SDL_FRect& dst, double angleDegrees, SDL_RendererFlip flip, bool transparent) {
  Image* image = FindImage(handle);
  if (!image) return;
  SDL_Texture* t = TextureFor(*image, transparent);
  if (!t) return;
  ApplyDrawState(t);
  // An opaque picture drawn without blending is a plain copy (the title and
  // camp backgrounds), which costs far less than a blend.
  if (!transparent && S().blendMode == DX_BLENDMODE_NOBLEND) SDL_SetTextureBlendMode(t, SDL_BLENDMODE_NONE);
  SDL_RenderCopyExF(S().renderer, t, &image->src, &dst, angleDegrees, nullptr, flip);
}

}  // namespace

SDL_Texture* TextureFor(Image& image, bool transparent) {
  Image* sheet = FindImage(image.sheet);
  if (!sheet) return nullptr;
  if (transparent) return sheet->keyed;
  if (!sheet->opaque && sheet->surface) sheet->opaque = MakeTexture(sheet->surface);
  return sheet->opaque ? sheet->opaque : sheet->keyed;
}

void ApplyDrawState(SDL_Texture* texture) {
  const State& s = S();
  SDL_SetTextureBlendMode(texture, SdlBlend(s.blendMode));
  SDL_SetTextureAlphaMod(texture, BlendAlpha());
  SDL_SetTextureColorMod(texture, static_cast<Uint8>(s.brightR), static_cast<Uint8>(s.brightG),
                         static_cast<Uint8>(s.brightB));
}

SDL_Color ColorOf(unsigned int color) {
  return SDL_Color{static_cast<Uint8>((color >> 16) & 0xff), static_cast<Uint8>((color >> 8) & 0xff),
                   static_cast<Uint8>(color & 0xff), 255};
}

void ApplyPrimitiveState(unsigned int color) {
  const State& s = S();
  const SDL_Color c = ColorOf(color);
  SDL_SetRenderDrawBlendMode(s.renderer, s.blendMode == DX_BLENDMODE_NOBLEND ? SDL_BLENDMODE_NONE
                                                                            : SdlBlend(s.blendMode));
  SDL_SetRenderDrawColor(s.renderer, static_cast<Uint8>(c.r * s.brightR / 255),
                         static_cast<Uint8>(c.g * s.brightG / 255), static_cast<Uint8>(c.b * s.brightB / 255),
                         BlendAlpha());
}

void ReleaseImages() {
  State& s = S();
  for (auto& [handle, image] : s.images) {
    if (image.sheet == handle) DestroyPicture(image);
  }
  s.images.clear();
  s.picturesByPath.clear();
}

}  // namespace gamelib_detail

using namespace gamelib_detail;

// ---- images ---------------------------------------------------------------------

int LoadGraph(const char* path) {
  if (Recording()) Record("LoadGraph", {Arg(path)});
  if (!S().initialised || !path) return -1;
  return LoadSheet(path);
}

int LoadDivGraph(const char* path, int allNum, int xNum, int yNum, int w, int h, int* handles) {
  if (Recording()) Record("LoadDivGraph", {Arg(path), Arg(allNum), Arg(xNum), Arg(yNum), Arg(w), Arg(h)});
  if (!handles || allNum <= 0) return -1;
  std::fill(handles, handles + allNum, -1);
  if (!S().initialised || !path || xNum <= 0 || yNum <= 0 || w <= 0 || h <= 0) return -1;
  // A picture already read from the same file is cut again rather than read
  // anew: a battle's map chips come from the sheet loaded at start-up.
  const int sheet = SheetFor(path);
  if (sheet < 0) return -1;
  for (int i = 0; i < allNum; ++i) {
    // Cells that lie outside the picture stay -1, like a failed load.
    const int cell = CutCell(sheet, {(i % xNum) * w, (i / xNum) * h, w, h});
    if (cell >= 0) handles[i] = cell;
  }
  DropIfUnused(sheet);
  return 0;
}

int CutGraph(const char* path, int x, int y, int w, int h) {
  if (Recording()) Record("CutGraph", {Arg(path), Arg(x), Arg(y), Arg(w), Arg(h)});
  if (!S().initialised || !path || w <= 0 || h <= 0) return -1;
  const int sheet = SheetFor(path);
  if (sheet < 0) return -1;
  const int cell = CutCell(sheet, {x, y, w, h});
  DropIfUnused(sheet);
  return cell;
}

int DeleteGraph(int handle) {
  State& s = S();
  Image* image = FindImage(handle);
  if (!image) return -1;
  if (image->sheet == handle) {
    // A picture stays while cells cut from it are in use, and goes with the
    // last of them.
    if (image->cells > 0) {
      image->ownedByCells = true;
    } else {
      FreeSheet(handle);
    }
    return 0;
  }
  const int sheetHandle = image->sheet;
  s.images.erase(handle);
  if (Image* sheet = FindImage(sheetHandle)) --sheet->cells;
  DropIfUnused(sheetHandle);
  return 0;
}

int GetGraphSize(int handle, int* width, int* height) {
  Image* image = FindImage(handle);
  if (!image) {
    if (width) *width = 0;
    if (height) *height = 0;
    return -1;
  }
  if (width) *width = image->src.w;
  if (height) *height = image->src.h;
  return 0;
}

// ---- drawing ----------------------------------------------------------------------

unsigned int GetColor(int r, int g, int b) {
  return (static_cast<unsigned>(std::clamp(r, 0, 255)) << 16) | (static_cast<unsigned>(std::clamp(g, 0, 255)) << 8) |
         static_cast<unsigned>(std::clamp(b, 0, 255));
}

int DrawGraph(int x, int y, int handle, int transFlag) {
  if (Recording()) Record("DrawGraph", {Arg(x), Arg(y), Arg(handle), Arg(transFlag)});
  if (!Drawable()) return 0;
  Image* image = FindImage(handle);
  if (!image) return -1;
  Copy(handle, SDL_FRect{float(x), float(y), float(image->src.w), float(image->src.h)}, 0.0, SDL_FLIP_NONE,
       transFlag != 0);
  return 0;
}

int DrawTurnGraph(int x, int y, int handle, int transFlag) {
  if (Recording()) Record("DrawTurnGraph", {Arg(x), Arg(y), Arg(handle), Arg(transFlag)});
  if (!Drawable()) return 0;
  Image* image = FindImage(handle);
  if (!image) return -1;
  Copy(handle, SDL_FRect{float(x), float(y), float(image->src.w), float(image->src.h)}, 0.0, SDL_FLIP_HORIZONTAL,
       transFlag != 0);
  return 0;
}

int DrawExtendGraph(int x1, int y1, int x2, int y2, int handle, int transFlag) {
  if (Recording()) Record("DrawExtendGraph", {Arg(x1), Arg(y1), Arg(x2), Arg(y2), Arg(handle), Arg(transFlag)});
  if (!Drawable()) return 0;
  if (!FindImage(handle)) return -1;
  // Swapped corners mirror the picture.
  int flip = SDL_FLIP_NONE;
  if (x2 < x1) {
    std::swap(x1, x2);
    flip |= SDL_FLIP_HORIZONTAL;
  }
  if (y2 < y1) {
    std::swap(y1, y2);
    flip |= SDL_FLIP_VERTICAL;
  }
  Copy(handle, SDL_FRect{float(x1), float(y1), float(x2 - x1), float(y2 - y1)}, 0.0,
       static_cast<SDL_RendererFlip>(flip), transFlag != 0);
  return 0;
}

int DrawRotaGraph(int x, int y, double rate, double angle, int handle, int transFlag, int turnFlag) {
  if (Recording()) Record("DrawRotaGraph", {Arg(x), Arg(y), Arg(rate), Arg(angle), Arg(handle), Arg(transFlag), Arg(turnFlag)});
  if (!Drawable()) return 0;
  Image* image = FindImage(handle);
  if (!image) return -1;
  const float w = static_cast<float>(image->src.w * rate);
  const float h = static_cast<float>(image->src.h * rate);
  Copy(handle, SDL_FRect{x - w / 2.0f, y - h / 2.0f, w, h}, angle * 180.0 / M_PI,
       turnFlag ? SDL_FLIP_HORIZONTAL : SDL_FLIP_NONE, transFlag != 0);
  return 0;
}

int DrawBox(int x1, int y1, int x2, int y2, unsigned int color, int fillFlag) {
  if (Recording()) Record("DrawBox", {Arg(x1), Arg(y1), Arg(x2), Arg(y2), Arg(color), Arg(fillFlag)});
  if (!Drawable()) return 0;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 == x1 || y2 == y1) return 0;
  ApplyPrimitiveState(color);
  const SDL_Rect r{x1, y1, x2 - x1, y2 - y1};
  if (fillFlag) {
    SDL_RenderFillRect(S().renderer, &r);
  } else {
    SDL_RenderDrawRect(S().renderer, &r);
  }
  return 0;
}

int DrawLine(int x1, int y1, int x2, int y2, unsigned int color, int thickness) {
  if (Recording()) Record("DrawLine", {Arg(x1), Arg(y1), Arg(x2), Arg(y2), Arg(color), Arg(thickness)});
  if (!Drawable()) return 0;
  ApplyPrimitiveState(color);
  SDL_Renderer* r = S().renderer;
  const int t = std::max(1, thickness);
  const bool steep = std::abs(y2 - y1) > std::abs(x2 - x1);
  for (int i = 0; i < t; ++i) {
    const int o = i - (t - 1) / 2;
    if (steep) {
      SDL_RenderDrawLine(r, x1 + o, y1, x2 + o, y2);
    } else {
      SDL_RenderDrawLine(r, x1, y1 + o, x2, y2 + o);
    }
  }
  return 0;
}

int SetDrawBlendMode(int blendMode, int param) {
  if (Recording()) Record("SetDrawBlendMode", {Arg(blendMode), Arg(param)});
  S().blendMode = blendMode;
  S().blendParam = param;
  return 0;
}

int SetDrawBright(int r, int g, int b) {
  if (Recording()) Record("SetDrawBright", {Arg(r), Arg(g), Arg(b)});
  S().brightR = std::clamp(r, 0, 255);
  S().brightG = std::clamp(g, 0, 255);
  S().brightB = std::clamp(b, 0, 255);
  return 0;
}

int SetDrawArea(int x1, int y1, int x2, int y2) {
  if (Recording()) Record("SetDrawArea", {Arg(x1), Arg(y1), Arg(x2), Arg(y2)});
  State& s = S();
  x1 = std::clamp(x1, 0, s.screenW);
  x2 = std::clamp(x2, 0, s.screenW);
  y1 = std::clamp(y1, 0, s.screenH);
  y2 = std::clamp(y2, 0, s.screenH);
  s.clip = {x1, y1, std::max(0, x2 - x1), std::max(0, y2 - y1)};
  if (s.initialised) SDL_RenderSetClipRect(s.renderer, &s.clip);
  return 0;
}

// ---- screenshots ----------------------------------------------------------------

namespace {
SDL_Surface* ReadBackBuffer() {
  State& s = S();
  if (!s.initialised) return nullptr;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, s.screenW, s.screenH, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return nullptr;
  if (SDL_RenderReadPixels(s.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, surface->pixels, surface->pitch) != 0) {
    SDL_FreeSurface(surface);
    return nullptr;
  }
  return surface;
}
}  // namespace

int gamelib_detail::SaveOpaquePng(SDL_Surface* surface, const char* path) {
  // The back buffer's alpha means nothing on screen: save it opaque.
  SDL_LockSurface(surface);
  for (int y = 0; y < surface->h; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < surface->w; ++x) row[x] |= 0xff000000u;
  }
  SDL_UnlockSurface(surface);
  return IMG_SavePNG(surface, path) == 0 ? 0 : -1;
}

int SaveScreenshot(const char* path) {
  SDL_Surface* surface = ReadBackBuffer();
  if (!surface) return -1;
  const int rc = SaveOpaquePng(surface, path);
  SDL_FreeSurface(surface);
  return rc;
}

unsigned int gamelib_test::GetBackBufferPixel(int x, int y) {
  State& s = S();
  if (!s.initialised || x < 0 || y < 0 || x >= s.screenW || y >= s.screenH) return 0;
  Uint32 pixel = 0;
  const SDL_Rect r{x, y, 1, 1};
  SDL_RenderReadPixels(s.renderer, &r, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
  return pixel & 0xffffffu;
}

int gamelib_test::LoadedPictureCount() {
  int count = 0;
  for (const auto& [handle, image] : S().images) count += image.sheet == handle ? 1 : 0;
  return count;
}

#include "map_pixels.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace contentgen::maps {

uint32_t Hash(int a, int b, int c, int d) {
  auto mix = [](uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
  };
  uint32_t h = mix(static_cast<uint32_t>(a) + 0x9e3779b9U);
  h = mix(h ^ (static_cast<uint32_t>(b) * 0x85ebca6bU));
  h = mix(h ^ (static_cast<uint32_t>(c) * 0xc2b2ae35U));
  h = mix(h ^ (static_cast<uint32_t>(d) * 0x27d4eb2fU));
  return h;
}

double Noise01(int a, int b, int c, int d) { return Hash(a, b, c, d) / 4294967296.0; }

double SmoothNoise(double x, double y, int cell, int period, int seed) {
  const int n = period / cell;
  const double fx = x / cell, fy = y / cell;
  const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  const double tx = fx - x0, ty = fy - y0;
  auto lattice = [&](int i, int j) { return Noise01(((i % n) + n) % n, ((j % n) + n) % n, seed, 77); };
  auto smooth = [](double t) { return t * t * (3 - 2 * t); };
  const double sx = smooth(tx), sy = smooth(ty);
  const double top = lattice(x0, y0) * (1 - sx) + lattice(x0 + 1, y0) * sx;
  const double bottom = lattice(x0, y0 + 1) * (1 - sx) + lattice(x0 + 1, y0 + 1) * sx;
  return top * (1 - sy) + bottom * sy;
}

SRgb Mix(SRgb a, SRgb b, double t) {
  auto channel = [t](uint8_t p, uint8_t q) {
    return static_cast<uint8_t>(std::clamp(std::lround(p + (q - p) * t), 0L, 255L));
  };
  return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

SRgb Darker(SRgb c, double amount) { return Mix(c, SRgb{0, 0, 0}, amount); }

CPixels::CPixels(int width_, int height_, SRgb fill)
    : width(width_), height(height_), data(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill) {}

void CPixels::Fill(SRgb c) { std::fill(data.begin(), data.end(), c); }

void CPixels::FillRect(int x, int y, int w, int h, SRgb c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void CPixels::Blit(const CPixels& src, int sx, int sy, int w, int h, int dx, int dy, bool skipClear) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      if (!src.Inside(sx + i, sy + j)) continue;
      const SRgb c = src.Get(sx + i, sy + j);
      if (skipClear && c == CLEAR) continue;
      Set(dx + i, dy + j, c);
    }
}

namespace {

struct SSurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SSurfaceDeleter>;

}  // namespace

void CPixels::SavePng(const std::filesystem::path& path) const {
  SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24));
  if (!surface) throw std::runtime_error("cannot make a picture for " + path.string() + ": " + SDL_GetError());
  auto* pixels = static_cast<uint8_t*>(surface->pixels);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const SRgb c = Get(x, y);
      uint8_t* p = pixels + y * surface->pitch + x * 3;
      p[0] = c.r;
      p[1] = c.g;
      p[2] = c.b;
    }
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  if (IMG_SavePNG(surface.get(), path.string().c_str()) != 0)
    throw std::runtime_error("cannot write " + path.string() + ": " + IMG_GetError());
}

CPixels CPixels::LoadPng(const std::filesystem::path& path) {
  SurfacePtr loaded(IMG_Load(path.string().c_str()));
  if (!loaded) throw std::runtime_error("cannot read the picture " + path.string() + ": " + IMG_GetError());
  SurfacePtr rgb(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB24, 0));
  if (!rgb) throw std::runtime_error("cannot convert the picture " + path.string() + ": " + SDL_GetError());
  CPixels result(rgb->w, rgb->h);
  const auto* pixels = static_cast<const uint8_t*>(rgb->pixels);
  for (int y = 0; y < rgb->h; ++y)
    for (int x = 0; x < rgb->w; ++x) {
      const uint8_t* p = pixels + y * rgb->pitch + x * 3;
      result.Set(x, y, SRgb{p[0], p[1], p[2]});
    }
  return result;
}

}  // namespace contentgen::maps

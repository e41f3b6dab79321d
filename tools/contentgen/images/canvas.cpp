#include "images/canvas.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>

namespace contentgen {

namespace {

std::uint8_t Clamp8(double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

}  // namespace

SColor Mix(SColor a, SColor b, double t) {
  return {Clamp8(a.r + (b.r - a.r) * t), Clamp8(a.g + (b.g - a.g) * t), Clamp8(a.b + (b.b - a.b) * t),
          Clamp8(a.a + (b.a - a.a) * t)};
}

SColor WithAlpha(SColor c, std::uint8_t a) { return {c.r, c.g, c.b, a}; }

SColor Shade(SColor c, double amount) {
  const SColor cool{40, 28, 72, c.a};
  SColor d = Mix(c, cool, amount * 0.35);
  return {Clamp8(d.r * (1 - amount * 0.55)), Clamp8(d.g * (1 - amount * 0.55)), Clamp8(d.b * (1 - amount * 0.45)), c.a};
}

SColor Light(SColor c, double amount) {
  const SColor warm{255, 250, 225, c.a};
  return Mix(c, warm, amount);
}

SRamp MakeRamp(SColor base) {
  // Near-white cloth needs its shadows pushed further to show any form.
  const double lum = 0.3 * base.r + 0.59 * base.g + 0.11 * base.b;
  if (lum > 215) return {Light(base, 0.6), Shade(base, 0.1), Shade(base, 0.32), Shade(base, 0.6)};
  return {Light(base, 0.35), base, Shade(base, 0.35), Shade(base, 0.7)};
}

CCanvas::CCanvas(int width, int height, SColor fill)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

SColor CCanvas::At(int x, int y) const {
  if (!Inside(x, y)) return kClear;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void CCanvas::Put(int x, int y, SColor c) {
  if (Inside(x, y)) pixels_[static_cast<std::size_t>(y) * width_ + x] = c;
}

void CCanvas::Over(int x, int y, SColor c) {
  if (!Inside(x, y) || c.a == 0) return;
  SColor& d = pixels_[static_cast<std::size_t>(y) * width_ + x];
  if (c.a == 255 || d.a == 0) {
    d = c;
    return;
  }
  const double sa = c.a / 255.0, da = d.a / 255.0;
  const double oa = sa + da * (1 - sa);
  auto ch = [&](std::uint8_t s, std::uint8_t t) { return Clamp8((s * sa + t * da * (1 - sa)) / oa); };
  d = {ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), Clamp8(oa * 255)};
}

void CCanvas::Fill(SColor c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void CCanvas::FillRect(int x, int y, int w, int h, SColor c) {
  for (int yy = std::max(0, y); yy < std::min(height_, y + h); ++yy)
    for (int xx = std::max(0, x); xx < std::min(width_, x + w); ++xx) Over(xx, yy, c);
}

void CCanvas::Draw(const CCanvas& src, int x, int y) {
  for (int yy = 0; yy < src.Height(); ++yy)
    for (int xx = 0; xx < src.Width(); ++xx) Over(x + xx, y + yy, src.At(xx, yy));
}

void CCanvas::Stamp(const CCanvas& src, int x, int y) {
  for (int yy = 0; yy < src.Height(); ++yy)
    for (int xx = 0; xx < src.Width(); ++xx)
      if (src.Covered(xx, yy)) Put(x + xx, y + yy, src.At(xx, yy));
}

CCanvas CCanvas::FlippedX() const {
  CCanvas out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.Put(width_ - 1 - x, y, At(x, y));
  return out;
}

CCanvas CCanvas::FlippedY() const {
  CCanvas out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.Put(x, height_ - 1 - y, At(x, y));
  return out;
}

CCanvas CCanvas::Crop(int x, int y, int w, int h) const {
  CCanvas out(w, h);
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx) out.Put(xx, yy, At(x + xx, y + yy));
  return out;
}

CCanvas CCanvas::ScaledNearest(int factor) const {
  factor = std::max(1, factor);
  CCanvas out(width_ * factor, height_ * factor);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) out.Put(x, y, At(x / factor, y / factor));
  return out;
}

void AddOutline(CCanvas& canvas, SColor c, bool diagonal) {
  const CCanvas before = canvas;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      if (before.Covered(x, y)) continue;
      bool touch = before.Covered(x - 1, y) || before.Covered(x + 1, y) || before.Covered(x, y - 1) ||
                   before.Covered(x, y + 1);
      if (!touch && diagonal)
        touch = before.Covered(x - 1, y - 1) || before.Covered(x + 1, y - 1) || before.Covered(x - 1, y + 1) ||
                before.Covered(x + 1, y + 1);
      if (touch) canvas.Put(x, y, c);
    }
  }
}

CCanvas Flatten(const CCanvas& canvas) {
  CCanvas out(canvas.Width(), canvas.Height());
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      SColor c = canvas.At(x, y);
      if (c.a < 128) {
        out.Put(x, y, kMagenta);
        continue;
      }
      c.a = 255;
      if (c == kMagenta) c.g = 1;
      out.Put(x, y, c);
    }
  }
  return out;
}

void SaveImage(const CCanvas& canvas, const std::filesystem::path& path) {
  const CCanvas flat = Flatten(canvas);
  SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, flat.Width(), flat.Height(), 24, SDL_PIXELFORMAT_RGB24));
  if (!surface) throw std::runtime_error("cannot create a picture for " + path.string() + ": " + SDL_GetError());
  auto* base = static_cast<std::uint8_t*>(surface->pixels);
  for (int y = 0; y < flat.Height(); ++y) {
    std::uint8_t* row = base + static_cast<std::ptrdiff_t>(y) * surface->pitch;
    for (int x = 0; x < flat.Width(); ++x) {
      const SColor c = flat.At(x, y);
      row[3 * x] = c.r;
      row[3 * x + 1] = c.g;
      row[3 * x + 2] = c.b;
    }
  }
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  if (ec) throw std::runtime_error("cannot create the folder " + path.parent_path().string() + ": " + ec.message());
  const int rc = path.extension() == ".jpg" ? IMG_SaveJPG(surface.get(), path.string().c_str(), 92)
                                            : IMG_SavePNG(surface.get(), path.string().c_str());
  if (rc != 0) throw std::runtime_error("cannot write " + path.string() + ": " + IMG_GetError());
}

CCanvas LoadImage(const std::filesystem::path& path) {
  SurfacePtr loaded(IMG_Load(path.string().c_str()));
  if (!loaded) throw std::runtime_error("cannot read the picture " + path.string() + ": " + IMG_GetError());
  SurfacePtr rgba(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
  if (!rgba) throw std::runtime_error("cannot convert the picture " + path.string() + ": " + SDL_GetError());
  CCanvas out(rgba->w, rgba->h);
  const auto* base = static_cast<const std::uint8_t*>(rgba->pixels);
  for (int y = 0; y < rgba->h; ++y) {
    const std::uint8_t* row = base + static_cast<std::ptrdiff_t>(y) * rgba->pitch;
    for (int x = 0; x < rgba->w; ++x) {
      const SColor c{row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]};
      out.Put(x, y, (c.r == 255 && c.g == 0 && c.b == 255) ? kClear : c);
    }
  }
  return out;
}

}  // namespace contentgen

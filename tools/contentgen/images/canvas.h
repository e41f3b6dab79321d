// Pixel canvas for the generated artwork: RGBA in memory, written to disk as
// opaque pictures where the game's transparent colour (magenta) stands for
// every pixel that is not covered.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace contentgen {

struct SColor {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  constexpr bool operator==(const SColor&) const = default;
};

constexpr SColor kClear{0, 0, 0, 0};
constexpr SColor kMagenta{255, 0, 255, 255};

// Colour from 0xRRGGBB.
constexpr SColor Hex(std::uint32_t rgb, std::uint8_t a = 255) {
  return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
          static_cast<std::uint8_t>(rgb), a};
}

// t = 0 gives a, t = 1 gives b (all four channels).
SColor Mix(SColor a, SColor b, double t);
SColor WithAlpha(SColor c, std::uint8_t a);
// Darker and cooler (shadows lean toward blue-violet), lighter and warmer.
SColor Shade(SColor c, double amount);
SColor Light(SColor c, double amount);

// Four tones of one material, from the lit side to the deepest shadow.
struct SRamp {
  SColor hi, base, mid, dark;
};
SRamp MakeRamp(SColor base);

class CCanvas {
 public:
  CCanvas() = default;
  CCanvas(int width, int height, SColor fill = kClear);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // Reads outside the canvas give kClear; writes outside are dropped.
  SColor At(int x, int y) const;
  void Put(int x, int y, SColor c);
  void Over(int x, int y, SColor c);  // alpha blend on top
  bool Covered(int x, int y) const { return At(x, y).a >= 128; }

  void Fill(SColor c);
  void FillRect(int x, int y, int w, int h, SColor c);
  // Alpha-blends src with its top-left corner at (x, y).
  void Draw(const CCanvas& src, int x, int y);
  // Copies src's covered pixels only, replacing what is below.
  void Stamp(const CCanvas& src, int x, int y);

  CCanvas FlippedX() const;
  CCanvas FlippedY() const;
  CCanvas Crop(int x, int y, int w, int h) const;
  CCanvas ScaledNearest(int factor) const;

  const std::vector<SColor>& Pixels() const { return pixels_; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<SColor> pixels_;
};

// Adds a one-pixel outline of colour c on the uncovered pixels that touch a
// covered one (four neighbours; with corners too when diagonal is set).
void AddOutline(CCanvas& canvas, SColor c, bool diagonal = false);

// Every covered pixel becomes fully opaque, every other one magenta. A pixel
// whose colour happens to be magenta itself is nudged so it is not keyed out.
CCanvas Flatten(const CCanvas& canvas);

// Writes the flattened canvas as PNG or (for ".jpg") JPEG at a fixed quality,
// creating the parent directory. Throws std::runtime_error on failure.
void SaveImage(const CCanvas& canvas, const std::filesystem::path& path);
// Reads any picture SDL_image understands; magenta pixels come back clear.
CCanvas LoadImage(const std::filesystem::path& path);

}  // namespace contentgen

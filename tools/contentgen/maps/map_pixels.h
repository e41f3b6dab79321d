// An RGB picture in memory for drawing the map chips by code; magenta
// (255, 0, 255) is the transparent colour, as everywhere in the game.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace contentgen::maps {

struct SRgb {
  uint8_t r = 255, g = 0, b = 255;
  constexpr bool operator==(const SRgb&) const = default;
};

constexpr SRgb CLEAR{255, 0, 255};

// Deterministic noise: the same arguments give the same value on every run.
uint32_t Hash(int a, int b = 0, int c = 0, int d = 0);
double Noise01(int a, int b = 0, int c = 0, int d = 0);
// Smooth value noise that repeats every `period` pixels (a multiple of `cell`).
double SmoothNoise(double x, double y, int cell, int period, int seed);

SRgb Mix(SRgb a, SRgb b, double t);
SRgb Darker(SRgb c, double amount);

class CPixels {
 public:
  CPixels() = default;
  CPixels(int width, int height, SRgb fill = CLEAR);

  int Width() const { return width; }
  int Height() const { return height; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  SRgb Get(int x, int y) const { return data[static_cast<size_t>(y * width + x)]; }
  void Set(int x, int y, SRgb c) {
    if (Inside(x, y)) data[static_cast<size_t>(y * width + x)] = c;
  }
  bool IsClear(int x, int y) const { return Get(x, y) == CLEAR; }
  void Fill(SRgb c);
  void FillRect(int x, int y, int w, int h, SRgb c);
  // Copies a rectangle; with skipClear the magenta pixels of src are not copied.
  void Blit(const CPixels& src, int sx, int sy, int w, int h, int dx, int dy, bool skipClear);

  bool operator==(const CPixels&) const = default;

  // PNG files (RGB, no alpha channel).
  void SavePng(const std::filesystem::path& path) const;
  static CPixels LoadPng(const std::filesystem::path& path);

 private:
  int width = 0;
  int height = 0;
  std::vector<SRgb> data;
};

}  // namespace contentgen::maps

// Vector painter for the larger pictures (faces, weapons, title, camp):
// shapes are filled on a supersampled layer and averaged down, so edges are
// smooth inside a picture while its silhouette can still be cut hard against
// the transparent magenta.
#pragma once

#include <functional>
#include <vector>

#include "images/canvas.h"

namespace contentgen {

struct SPt {
  double x = 0, y = 0;
};
inline SPt operator+(SPt a, SPt b) { return {a.x + b.x, a.y + b.y}; }
inline SPt operator-(SPt a, SPt b) { return {a.x - b.x, a.y - b.y}; }
inline SPt operator*(SPt a, double s) { return {a.x * s, a.y * s}; }

using Shader = std::function<SColor(double x, double y)>;

// A fill: one colour or a shader of picture coordinates.
class CPaint {
 public:
  CPaint(SColor c) : color_(c) {}  // NOLINT: colours convert implicitly
  CPaint(Shader s) : shader_(std::move(s)) {}  // NOLINT
  SColor At(double x, double y) const { return shader_ ? shader_(x, y) : color_; }

 private:
  SColor color_{};
  Shader shader_;
};

Shader LinearGradient(SPt from, SPt to, SColor a, SColor b);
Shader RadialGradient(SPt centre, double radius, SColor inner, SColor outer);

// Curves and transforms as point lists.
std::vector<SPt> QuadBezier(SPt a, SPt control, SPt b, int steps = 12);
std::vector<SPt> CubicBezier(SPt a, SPt c1, SPt c2, SPt b, int steps = 16);
std::vector<SPt> Rotated(const std::vector<SPt>& pts, SPt pivot, double degreesClockwise);
// Appends b to a (handy for building outlines from curve pieces).
std::vector<SPt> Join(std::vector<SPt> a, const std::vector<SPt>& b);
// The point at distance r from centre, degrees clockwise from up.
SPt Polar(SPt centre, double r, double degreesClockwise);

// Coverage mask at the painter's fine resolution (used for text).
struct SMask {
  int width = 0, height = 0;
  std::vector<std::uint8_t> value;
  std::uint8_t At(int x, int y) const {
    return (x < 0 || y < 0 || x >= width || y >= height) ? 0 : value[static_cast<std::size_t>(y) * width + x];
  }
};

class CPainter {
 public:
  CPainter(int width, int height, int scale = 4, SColor background = kClear);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Scale() const { return scale_; }

  // While locked, paint lands only where the layer is already covered and
  // keeps that coverage (shading inside a shape).
  void SetLockAlpha(bool lock) { lockAlpha_ = lock; }

  void FillPolygon(const std::vector<SPt>& pts, const CPaint& paint);
  void FillEllipse(SPt centre, double rx, double ry, const CPaint& paint, double degreesClockwise = 0);
  void FillCircle(SPt centre, double r, const CPaint& paint) { FillEllipse(centre, r, r, paint); }
  void FillRect(double x, double y, double w, double h, const CPaint& paint);
  void FillAll(const CPaint& paint);
  void StrokeLine(SPt a, SPt b, double width, const CPaint& paint);
  void StrokePolyline(const std::vector<SPt>& pts, double width, const CPaint& paint, bool closed = false);
  // A stroke whose width runs from w0 at the first point to w1 at the last.
  void StrokeTapered(const std::vector<SPt>& pts, double w0, double w1, const CPaint& paint);
  // Coverage given at fine resolution, top-left corner at picture point (x, y).
  void FillMask(const SMask& mask, double x, double y, const CPaint& paint);

  // Puts a band of colour c, width picture pixels wide, around everything
  // painted so far (under it), like an ink line around a cel.
  void Outline(double width, SColor c);
  // A soft halo: c fading out over radius picture pixels around the shapes.
  void Glow(double radius, SColor c);
  // Alpha-blends another layer of the same size on top.
  void DrawLayer(const CPainter& layer, double opacity = 1.0);
  // Draws a small pixel canvas scaled by factor with its corner at (x, y).
  void DrawCanvas(const CCanvas& canvas, double x, double y, int factor = 1);

  // Averages the fine pixels into the picture. With hardEdges, a pixel is
  // either covered (at least half) and opaque, or clear.
  CCanvas Resolve(bool hardEdges) const;

 private:
  void Blend(int fx, int fy, SColor c, double coverage = 1.0);
  SColor& Fine(int fx, int fy) { return fine_[static_cast<std::size_t>(fy) * fw_ + fx]; }
  const SColor& Fine(int fx, int fy) const { return fine_[static_cast<std::size_t>(fy) * fw_ + fx]; }
  // Fills every fine pixel whose centre passes inside(x, y) in the box.
  template <typename Inside>
  void FillWhere(double x0, double y0, double x1, double y1, const CPaint& paint, Inside inside);

  int width_, height_, scale_, fw_, fh_;
  bool lockAlpha_ = false;
  std::vector<SColor> fine_;
};

}  // namespace contentgen

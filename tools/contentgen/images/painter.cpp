#include "images/painter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace contentgen {

namespace {

constexpr double kInf = 1e20;

// Squared distances along one line (lower envelope of parabolas).
void DistanceTransform1D(const std::vector<double>& f, std::vector<double>& d, std::vector<int>& v,
                         std::vector<double>& z) {
  const int n = static_cast<int>(f.size());
  int k = 0;
  v[0] = 0;
  z[0] = -kInf;
  z[1] = kInf;
  for (int q = 1; q < n; ++q) {
    auto meet = [&](int p) { return ((f[q] + double(q) * q) - (f[p] + double(p) * p)) / (2.0 * q - 2.0 * p); };
    double s = meet(v[k]);
    while (k > 0 && s <= z[k]) s = meet(v[--k]);
    ++k;
    v[k] = q;
    z[k] = s;
    z[k + 1] = kInf;
  }
  k = 0;
  for (int q = 0; q < n; ++q) {
    while (z[k + 1] < q) ++k;
    d[q] = double(q - v[k]) * (q - v[k]) + f[v[k]];
  }
}

// Euclidean distance (in fine pixels) from each pixel to the nearest covered one.
std::vector<double> DistanceToCovered(const std::vector<SColor>& px, int w, int h) {
  std::vector<double> grid(static_cast<std::size_t>(w) * h);
  for (std::size_t i = 0; i < grid.size(); ++i) grid[i] = px[i].a >= 128 ? 0.0 : kInf;
  const int n = std::max(w, h);
  std::vector<double> f(n), d(n), z(n + 1);
  std::vector<int> v(n);
  f.resize(h), d.resize(h);
  for (int x = 0; x < w; ++x) {
    for (int y = 0; y < h; ++y) f[y] = grid[static_cast<std::size_t>(y) * w + x];
    DistanceTransform1D(f, d, v, z);
    for (int y = 0; y < h; ++y) grid[static_cast<std::size_t>(y) * w + x] = d[y];
  }
  f.resize(w), d.resize(w);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) f[x] = grid[static_cast<std::size_t>(y) * w + x];
    DistanceTransform1D(f, d, v, z);
    for (int x = 0; x < w; ++x) grid[static_cast<std::size_t>(y) * w + x] = std::sqrt(d[x]);
  }
  return grid;
}

double SegmentDistance(SPt p, SPt a, SPt b, double* tOut) {
  const SPt ab = b - a, ap = p - a;
  const double len2 = ab.x * ab.x + ab.y * ab.y;
  double t = len2 > 0 ? (ap.x * ab.x + ap.y * ab.y) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  if (tOut) *tOut = t;
  const SPt q = a + ab * t;
  return std::hypot(p.x - q.x, p.y - q.y);
}

}  // namespace

Shader LinearGradient(SPt from, SPt to, SColor a, SColor b) {
  const SPt d = to - from;
  const double len2 = std::max(1e-9, d.x * d.x + d.y * d.y);
  return [=](double x, double y) {
    const double t = std::clamp(((x - from.x) * d.x + (y - from.y) * d.y) / len2, 0.0, 1.0);
    return Mix(a, b, t);
  };
}

Shader RadialGradient(SPt centre, double radius, SColor inner, SColor outer) {
  return [=](double x, double y) {
    const double t = std::clamp(std::hypot(x - centre.x, y - centre.y) / radius, 0.0, 1.0);
    return Mix(inner, outer, t);
  };
}

std::vector<SPt> QuadBezier(SPt a, SPt c, SPt b, int steps) {
  std::vector<SPt> out;
  for (int i = 0; i <= steps; ++i) {
    const double t = double(i) / steps, u = 1 - t;
    out.push_back(a * (u * u) + c * (2 * u * t) + b * (t * t));
  }
  return out;
}

std::vector<SPt> CubicBezier(SPt a, SPt c1, SPt c2, SPt b, int steps) {
  std::vector<SPt> out;
  for (int i = 0; i <= steps; ++i) {
    const double t = double(i) / steps, u = 1 - t;
    out.push_back(a * (u * u * u) + c1 * (3 * u * u * t) + c2 * (3 * u * t * t) + b * (t * t * t));
  }
  return out;
}

std::vector<SPt> Rotated(const std::vector<SPt>& pts, SPt pivot, double deg) {
  const double r = deg * std::numbers::pi / 180.0, c = std::cos(r), s = std::sin(r);
  std::vector<SPt> out;
  out.reserve(pts.size());
  for (const SPt& p : pts) {
    const SPt d = p - pivot;
    out.push_back({pivot.x + d.x * c - d.y * s, pivot.y + d.x * s + d.y * c});
  }
  return out;
}

std::vector<SPt> Join(std::vector<SPt> a, const std::vector<SPt>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

SPt Polar(SPt centre, double r, double deg) {
  const double a = deg * std::numbers::pi / 180.0;
  return {centre.x + r * std::sin(a), centre.y - r * std::cos(a)};
}

CPainter::CPainter(int width, int height, int scale, SColor background)
    : width_(width), height_(height), scale_(std::max(1, scale)), fw_(width * scale_), fh_(height * scale_),
      fine_(static_cast<std::size_t>(fw_) * fh_, background) {}

void CPainter::Blend(int fx, int fy, SColor c, double coverage) {
  if (fx < 0 || fy < 0 || fx >= fw_ || fy >= fh_) return;
  SColor& d = Fine(fx, fy);
  const double sa = c.a / 255.0 * coverage;
  if (sa <= 0) return;
  if (lockAlpha_) {
    if (d.a == 0) return;
    d = {static_cast<std::uint8_t>(std::lround(d.r + (c.r - d.r) * sa)),
         static_cast<std::uint8_t>(std::lround(d.g + (c.g - d.g) * sa)),
         static_cast<std::uint8_t>(std::lround(d.b + (c.b - d.b) * sa)), d.a};
    return;
  }
  const double da = d.a / 255.0;
  const double oa = sa + da * (1 - sa);
  auto ch = [&](std::uint8_t s, std::uint8_t t) {
    return static_cast<std::uint8_t>(std::clamp(std::lround((s * sa + t * da * (1 - sa)) / oa), 0L, 255L));
  };
  d = {ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), static_cast<std::uint8_t>(std::lround(oa * 255))};
}

template <typename Inside>
void CPainter::FillWhere(double x0, double y0, double x1, double y1, const CPaint& paint, Inside inside) {
  const int fx0 = std::max(0, static_cast<int>(std::floor(x0 * scale_)));
  const int fy0 = std::max(0, static_cast<int>(std::floor(y0 * scale_)));
  const int fx1 = std::min(fw_ - 1, static_cast<int>(std::ceil(x1 * scale_)));
  const int fy1 = std::min(fh_ - 1, static_cast<int>(std::ceil(y1 * scale_)));
  for (int fy = fy0; fy <= fy1; ++fy) {
    const double y = (fy + 0.5) / scale_;
    for (int fx = fx0; fx <= fx1; ++fx) {
      const double x = (fx + 0.5) / scale_;
      if (inside(x, y)) Blend(fx, fy, paint.At(x, y));
    }
  }
}

void CPainter::FillPolygon(const std::vector<SPt>& pts, const CPaint& paint) {
  if (pts.size() < 3) return;
  double minY = pts[0].y, maxY = pts[0].y;
  for (const SPt& p : pts) minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  const int fy0 = std::max(0, static_cast<int>(std::floor(minY * scale_)));
  const int fy1 = std::min(fh_ - 1, static_cast<int>(std::ceil(maxY * scale_)));
  std::vector<std::pair<double, int>> cross;
  for (int fy = fy0; fy <= fy1; ++fy) {
    const double y = (fy + 0.5) / scale_;
    cross.clear();
    for (std::size_t i = 0; i < pts.size(); ++i) {
      const SPt a = pts[i], b = pts[(i + 1) % pts.size()];
      if (a.y == b.y) continue;
      const bool down = b.y > a.y;
      const double lo = down ? a.y : b.y, hi = down ? b.y : a.y;
      if (y < lo || y >= hi) continue;
      cross.push_back({a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y), down ? 1 : -1});
    }
    std::sort(cross.begin(), cross.end());
    int winding = 0;
    for (std::size_t i = 0; i + 1 < cross.size(); ++i) {
      winding += cross[i].second;
      if (winding == 0) continue;
      const int fx0 = std::max(0, static_cast<int>(std::ceil(cross[i].first * scale_ - 0.5)));
      const int fx1 = std::min(fw_ - 1, static_cast<int>(std::ceil(cross[i + 1].first * scale_ - 0.5)) - 1);
      for (int fx = fx0; fx <= fx1; ++fx) Blend(fx, fy, paint.At((fx + 0.5) / scale_, y));
    }
  }
}

void CPainter::FillEllipse(SPt c, double rx, double ry, const CPaint& paint, double deg) {
  if (rx <= 0 || ry <= 0) return;
  const double r = deg * std::numbers::pi / 180.0, cs = std::cos(r), sn = std::sin(r);
  const double ext = std::max(rx, ry);
  FillWhere(c.x - ext, c.y - ext, c.x + ext, c.y + ext, paint, [&](double x, double y) {
    const double dx = x - c.x, dy = y - c.y;
    const double u = dx * cs + dy * sn, v = -dx * sn + dy * cs;
    return (u * u) / (rx * rx) + (v * v) / (ry * ry) <= 1.0;
  });
}

void CPainter::FillRect(double x, double y, double w, double h, const CPaint& paint) {
  FillWhere(x, y, x + w, y + h, paint,
            [&](double px, double py) { return px >= x && px < x + w && py >= y && py < y + h; });
}

void CPainter::FillAll(const CPaint& paint) { FillRect(0, 0, width_, height_, paint); }

void CPainter::StrokeLine(SPt a, SPt b, double width, const CPaint& paint) {
  const double r = width / 2;
  FillWhere(std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r, paint,
            [&](double x, double y) { return SegmentDistance({x, y}, a, b, nullptr) <= r; });
}

void CPainter::StrokePolyline(const std::vector<SPt>& pts, double width, const CPaint& paint, bool closed) {
  if (pts.empty()) return;
  // One pass over the union so overlapping joints are not painted twice.
  double x0 = pts[0].x, y0 = pts[0].y, x1 = x0, y1 = y0;
  for (const SPt& p : pts) x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
  const double r = width / 2;
  const std::size_t n = pts.size(), segs = closed ? n : n - 1;
  FillWhere(x0 - r, y0 - r, x1 + r, y1 + r, paint, [&](double x, double y) {
    if (n == 1) return std::hypot(x - pts[0].x, y - pts[0].y) <= r;
    for (std::size_t i = 0; i < segs; ++i)
      if (SegmentDistance({x, y}, pts[i], pts[(i + 1) % n], nullptr) <= r) return true;
    return false;
  });
}

void CPainter::StrokeTapered(const std::vector<SPt>& pts, double w0, double w1, const CPaint& paint) {
  if (pts.size() < 2) return;
  std::vector<double> along(pts.size(), 0.0);
  for (std::size_t i = 1; i < pts.size(); ++i)
    along[i] = along[i - 1] + std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
  const double total = std::max(1e-9, along.back());
  double x0 = pts[0].x, y0 = pts[0].y, x1 = x0, y1 = y0;
  for (const SPt& p : pts) x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
  const double r = std::max(w0, w1) / 2;
  FillWhere(x0 - r, y0 - r, x1 + r, y1 + r, paint, [&](double x, double y) {
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
      double t;
      const double d = SegmentDistance({x, y}, pts[i], pts[i + 1], &t);
      const double s = (along[i] + t * (along[i + 1] - along[i])) / total;
      if (d <= (w0 + (w1 - w0) * s) / 2) return true;
    }
    return false;
  });
}

void CPainter::FillMask(const SMask& mask, double x, double y, const CPaint& paint) {
  const int ox = static_cast<int>(std::lround(x * scale_)), oy = static_cast<int>(std::lround(y * scale_));
  for (int my = 0; my < mask.height; ++my)
    for (int mx = 0; mx < mask.width; ++mx) {
      const std::uint8_t m = mask.At(mx, my);
      if (m == 0) continue;
      const int fx = ox + mx, fy = oy + my;
      Blend(fx, fy, paint.At((fx + 0.5) / scale_, (fy + 0.5) / scale_), m / 255.0);
    }
}

void CPainter::Outline(double width, SColor c) {
  const std::vector<double> dist = DistanceToCovered(fine_, fw_, fh_);
  const double r = width * scale_;
  for (int fy = 0; fy < fh_; ++fy)
    for (int fx = 0; fx < fw_; ++fx) {
      const double d = dist[static_cast<std::size_t>(fy) * fw_ + fx];
      if (d <= 0 || d > r) continue;
      SColor& px = Fine(fx, fy);
      const SColor top = px;
      px = c;
      if (top.a > 0) {
        const bool lock = lockAlpha_;
        lockAlpha_ = false;
        Blend(fx, fy, top);
        lockAlpha_ = lock;
      }
    }
}

void CPainter::Glow(double radius, SColor c) {
  const std::vector<double> dist = DistanceToCovered(fine_, fw_, fh_);
  const double r = radius * scale_;
  for (int fy = 0; fy < fh_; ++fy)
    for (int fx = 0; fx < fw_; ++fx) {
      const double d = dist[static_cast<std::size_t>(fy) * fw_ + fx];
      if (d <= 0 || d > r) continue;
      const double k = 1.0 - d / r;
      SColor& px = Fine(fx, fy);
      const SColor top = px;
      px = WithAlpha(c, static_cast<std::uint8_t>(std::lround(c.a * k * k)));
      if (top.a > 0) Blend(fx, fy, top);
    }
}

void CPainter::DrawLayer(const CPainter& layer, double opacity) {
  const int w = std::min(fw_, layer.fw_), h = std::min(fh_, layer.fh_);
  for (int fy = 0; fy < h; ++fy)
    for (int fx = 0; fx < w; ++fx) {
      const SColor c = layer.Fine(fx, fy);
      if (c.a) Blend(fx, fy, c, opacity);
    }
}

void CPainter::DrawCanvas(const CCanvas& canvas, double x, double y, int factor) {
  const int ox = static_cast<int>(std::lround(x * scale_)), oy = static_cast<int>(std::lround(y * scale_));
  const int k = factor * scale_;
  for (int cy = 0; cy < canvas.Height(); ++cy)
    for (int cx = 0; cx < canvas.Width(); ++cx) {
      const SColor c = canvas.At(cx, cy);
      if (c.a == 0) continue;
      for (int j = 0; j < k; ++j)
        for (int i = 0; i < k; ++i) Blend(ox + cx * k + i, oy + cy * k + j, c);
    }
}

CCanvas CPainter::Resolve(bool hardEdges) const {
  CCanvas out(width_, height_);
  const double n = double(scale_) * scale_;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int j = 0; j < scale_; ++j)
        for (int i = 0; i < scale_; ++i) {
          const SColor c = Fine(x * scale_ + i, y * scale_ + j);
          const double ca = c.a / 255.0;
          r += c.r * ca, g += c.g * ca, b += c.b * ca, a += ca;
        }
      if (a <= 0) continue;
      auto ch = [&](double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v / a), 0L, 255L)); };
      const double alpha = a / n;
      std::uint8_t outA = static_cast<std::uint8_t>(std::lround(alpha * 255));
      if (hardEdges) outA = alpha >= 0.5 ? 255 : 0;
      if (outA) out.Put(x, y, {ch(r), ch(g), ch(b), outA});
    }
  return out;
}

}  // namespace contentgen

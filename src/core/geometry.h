// Points, vectors and rectangles of the screen and the battle map.
// Screen coordinates grow to the right and downward.
#pragma once

#include <cmath>
#include <limits>

template <typename T>
struct SPointT {
  T x{};
  T y{};

  constexpr SPointT() = default;
  constexpr SPointT(T x_, T y_) : x(x_), y(y_) {}

  constexpr SPointT operator+(const SPointT& o) const { return {x + o.x, y + o.y}; }
  constexpr SPointT operator-(const SPointT& o) const { return {x - o.x, y - o.y}; }
  constexpr SPointT& operator+=(const SPointT& o) { x += o.x; y += o.y; return *this; }
  constexpr SPointT& operator-=(const SPointT& o) { x -= o.x; y -= o.y; return *this; }
  constexpr bool operator==(const SPointT& o) const = default;

  SPointT operator*(double s) const { return {static_cast<T>(x * s), static_cast<T>(y * s)}; }
  SPointT operator/(double s) const { return {static_cast<T>(x / s), static_cast<T>(y / s)}; }

  // For integer points the squares are taken in int, the root in floating point.
  double Length() const { return std::sqrt(static_cast<double>(x * x + y * y)); }
  double Distance(const SPointT& o) const { return (o - *this).Length(); }

  // Degrees clockwise from up, from this point towards `to`, in (-90, 270].
  double GetAngle(const SPointT& to) const {
    return std::atan2(static_cast<double>(to.y - y), static_cast<double>(to.x - x)) * (180.0 / 3.141592) + 90.0;
  }

  // Rotation by `degrees` clockwise (screen coordinates).
  void Rotate(double degrees) {
    const double t = degrees * M_PI / 180.0;
    const double c = std::cos(t), s = std::sin(t);
    const double nx = x * c - y * s;
    const double ny = x * s + y * c;
    x = static_cast<T>(nx);
    y = static_cast<T>(ny);
  }
  SPointT Rotated(double degrees) const {
    SPointT r = *this;
    r.Rotate(degrees);
    return r;
  }
};

using SPoint = SPointT<int>;
using SPointD = SPointT<double>;

// An edge-based rectangle: left, top, right, bottom.
template <typename T>
struct CRectT {
  T left{};
  T top{};
  T right{};
  T bottom{};

  constexpr CRectT() = default;
  constexpr CRectT(T l, T t, T r, T b) : left(l), top(t), right(r), bottom(b) {}
  constexpr T Width() const { return right - left; }
  constexpr T Height() const { return bottom - top; }
  constexpr bool operator==(const CRectT& o) const = default;
};

using CRect = CRectT<int>;

// A centre-based rectangle. Unset (default) rectangles hold NaN everywhere.
template <typename T>
struct CRectExT {
  T x = std::numeric_limits<T>::quiet_NaN();
  T y = std::numeric_limits<T>::quiet_NaN();
  T w = std::numeric_limits<T>::quiet_NaN();
  T h = std::numeric_limits<T>::quiet_NaN();

  constexpr CRectExT() = default;
  constexpr CRectExT(T x_, T y_, T w_, T h_) : x(x_), y(y_), w(w_), h(h_) {}

  constexpr T Left() const { return x - w / 2; }
  constexpr T Right() const { return x + (w - w / 2); }
  constexpr T Top() const { return y - h / 2; }
  constexpr T Bottom() const { return y + (h - h / 2); }
};

using CRectExD = CRectExT<double>;

template <typename A, typename B>
struct TPair {
  A first{};
  B second{};
};

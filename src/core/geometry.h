// Points, vectors and rectangles of the screen and the battle map.
// Screen coordinates grow to the right and downward.
#pragma once

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <numbers>
#include <type_traits>

template <typename T>
struct SPointT {
  T x{};
  T y{};

  constexpr SPointT() = default;
  constexpr SPointT(T x_, T y_) : x(x_), y(y_) {}
  // Grid cells become pixel positions and back; the conversion truncates.
  template <typename U>
  constexpr explicit SPointT(const SPointT<U>& o) : x(static_cast<T>(o.x)), y(static_cast<T>(o.y)) {}

  constexpr SPointT operator+(const SPointT& o) const { return {x + o.x, y + o.y}; }
  constexpr SPointT operator-(const SPointT& o) const { return {x - o.x, y - o.y}; }
  constexpr SPointT& operator+=(const SPointT& o) { x += o.x; y += o.y; return *this; }
  constexpr SPointT& operator-=(const SPointT& o) { x -= o.x; y -= o.y; return *this; }
  constexpr bool operator==(const SPointT& o) const = default;

  constexpr SPointT operator*(double s) const { return {static_cast<T>(x * s), static_cast<T>(y * s)}; }
  constexpr SPointT operator/(double s) const { return {static_cast<T>(x / s), static_cast<T>(y / s)}; }

  double Length() const {
    if constexpr (std::is_integral_v<T>) {
      // Squared in 64 bits: the same answer as int arithmetic wherever that
      // does not overflow.
      const auto lx = static_cast<std::int64_t>(x);
      const auto ly = static_cast<std::int64_t>(y);
      return std::sqrt(static_cast<double>(lx * lx + ly * ly));
    } else {
      return std::sqrt(static_cast<double>(x * x + y * y));
    }
  }
  double Distance(const SPointT& o) const { return (o - *this).Length(); }

  // Degrees clockwise from up, from this point towards `to`: up 0, right 90,
  // down 180, left 270, always in (-90, 270]. The factor uses 3.141592 on
  // purpose: it nudges exact diagonals off the 45-degree boundaries, which
  // decides how a unit faces a diagonal target.
  double GetAngle(const SPointT& to) const {
    // + 0.0 turns a -0.0 difference into +0.0, so "left" is 270, never -90.
    const double dy = static_cast<double>(to.y - y) + 0.0;
    const double dx = static_cast<double>(to.x - x);
    return std::atan2(dy, dx) * (180.0 / 3.141592) + 90.0;
  }

  // Rotation by `degrees`, clockwise on the screen.
  void Rotate(double degrees)
    requires std::floating_point<T>
  {
    const double t = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(t);
    const double s = std::sin(t);
    const double nx = x * c - y * s;
    const double ny = x * s + y * c;
    x = static_cast<T>(nx);
    y = static_cast<T>(ny);
  }
  SPointT Rotated(double degrees) const
    requires std::floating_point<T>
  {
    SPointT r = *this;
    r.Rotate(degrees);
    return r;
  }
};

using SPoint = SPointT<int>;
using SPointD = SPointT<double>;

template <typename T>
double GetAngle(const SPointT<T>& from, const SPointT<T>& to) {
  return from.GetAngle(to);
}

template <typename T>
double Distance(const SPointT<T>& a, const SPointT<T>& b) {
  return a.Distance(b);
}

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

  // An odd width puts the extra pixel on the right (and bottom) side.
  constexpr T Left() const { return x - w / 2; }
  constexpr T Right() const { return x + (w - w / 2); }
  constexpr T Top() const { return y - h / 2; }
  constexpr T Bottom() const { return y + (h - h / 2); }
  bool IsSet() const { return !(std::isnan(x) || std::isnan(y) || std::isnan(w) || std::isnan(h)); }
};

using CRectExD = CRectExT<double>;

template <typename A, typename B>
struct TPair {
  A first{};
  B second{};

  bool operator==(const TPair&) const = default;
};

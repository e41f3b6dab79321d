#include "core/direction.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace {

int CheckedIndex(EDirection4 d) {
  const int i = static_cast<int>(d);
  if (i < 0 || i > 3) {
    throw std::runtime_error("not a four-way direction: " + std::to_string(i));
  }
  return i;
}

}  // namespace

double NormalizeAngle(double angle) {
  const double r = std::fmod(angle, 360.0);
  return angle >= 0 ? r : r + 360.0;
}

EDirection4 AngleToDirection4(double angle) {
  const double a = NormalizeAngle(angle);
  if (a >= 45 && a < 135) return EDirection4::RIGHT;
  if (a >= 135 && a < 225) return EDirection4::DOWN;
  if (a >= 225 && a < 315) return EDirection4::LEFT;
  return EDirection4::UP;
}

int AngleToDirection9(double angle) {
  const double a = NormalizeAngle(angle);
  // Upper bounds belong to the sector below them: 22.5 is still "up".
  if (a > 22.5 && a <= 67.5) return dir9::UP_RIGHT;
  if (a > 67.5 && a <= 112.5) return dir9::RIGHT;
  if (a > 112.5 && a <= 157.5) return dir9::DOWN_RIGHT;
  if (a > 157.5 && a <= 202.5) return dir9::DOWN;
  if (a > 202.5 && a <= 247.5) return dir9::DOWN_LEFT;
  if (a > 247.5 && a <= 292.5) return dir9::LEFT;
  if (a > 292.5 && a <= 337.5) return dir9::UP_LEFT;
  return dir9::UP;
}

double Direction4ToAngle(EDirection4 d) {
  static constexpr double kAngles[] = {270, 0, 90, 180};
  return kAngles[CheckedIndex(d)];
}

int Direction4ToNine(EDirection4 d) {
  static constexpr int kNine[] = {dir9::LEFT, dir9::UP, dir9::RIGHT, dir9::DOWN};
  return kNine[CheckedIndex(d)];
}

int DirectionLRToNine(EDirectionLR d) {
  switch (d) {
    case EDirectionLR::LEFT: return dir9::LEFT;
    case EDirectionLR::RIGHT: return dir9::RIGHT;
  }
  throw std::runtime_error("not a left/right facing: " + std::to_string(static_cast<int>(d)));
}

EDirection4 RotateDirection4(EDirection4 turn, EDirection4 d) {
  // LEFT, UP, RIGHT, DOWN are numbered clockwise, so a turn is a step
  // around the four values.
  const int i = CheckedIndex(d);
  switch (turn) {
    case EDirection4::LEFT: return static_cast<EDirection4>((i + 3) % 4);
    case EDirection4::RIGHT: return static_cast<EDirection4>((i + 1) % 4);
    default: break;
  }
  throw std::runtime_error("a direction can only be turned LEFT or RIGHT, not " +
                           std::to_string(static_cast<int>(turn)));
}

EDirection4 OppositeDirection4(EDirection4 d) {
  return RotateDirection4(EDirection4::LEFT, RotateDirection4(EDirection4::LEFT, d));
}

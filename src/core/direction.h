// Facings and angles. Angles are degrees clockwise from straight up:
// 0 up, 90 right, 180 down, 270 left.
#pragma once

enum class EDirection4 : int { LEFT = 0, UP = 1, RIGHT = 2, DOWN = 3 };
enum class EDirectionLR : int { LEFT = 0, RIGHT = 1 };

// Nine-direction index, laid out like a numeric keypad (digit - 1):
// 0 down-left, 1 down, 2 down-right, 3 left, 4 centre, 5 right,
// 6 up-left, 7 up, 8 up-right.
namespace dir9 {
constexpr int DOWN_LEFT = 0, DOWN = 1, DOWN_RIGHT = 2, LEFT = 3, CENTER = 4, RIGHT = 5, UP_LEFT = 6, UP = 7,
              UP_RIGHT = 8;
}

// Into [0, 360] (a negative multiple of 360 gives 360, which every
// conversion below treats as "up").
double NormalizeAngle(double angle);
EDirection4 AngleToDirection4(double angle);
int AngleToDirection9(double angle);
// The conversions below throw std::runtime_error for a value outside the
// enumeration.
double Direction4ToAngle(EDirection4 d);
int Direction4ToNine(EDirection4 d);
int DirectionLRToNine(EDirectionLR d);
// turn is LEFT (counter-clockwise) or RIGHT (clockwise).
EDirection4 RotateDirection4(EDirection4 turn, EDirection4 d);
EDirection4 OppositeDirection4(EDirection4 d);

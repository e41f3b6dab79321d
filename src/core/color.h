// The 140 standard web colour names, numbered in alphabetical order of
// their keywords (Aqua and Cyan, Fuchsia and Magenta are the same colours).
#pragma once

#include <cstdint>

enum class EColorName : int {
  AliceBlue,  // 0
  AntiqueWhite,
  Aqua,
  Aquamarine,
  Azure,
  Beige,
  Bisque,
  Black,
  BlanchedAlmond,
  Blue,
  BlueViolet,  // 10
  Brown,
  Burlywood,
  CadetBlue,
  Chartreuse,
  Chocolate,
  Coral,
  CornflowerBlue,
  Cornsilk,
  Crimson,
  Cyan,  // 20
  DarkBlue,
  DarkCyan,
  DarkGoldenrod,
  DarkGray,
  DarkGreen,
  DarkKhaki,
  DarkMagenta,
  DarkOliveGreen,
  DarkOrange,
  DarkOrchid,  // 30
  DarkRed,
  DarkSalmon,
  DarkSeaGreen,
  DarkSlateBlue,
  DarkSlateGray,
  DarkTurquoise,
  DarkViolet,
  DeepPink,
  DeepSkyBlue,
  DimGray,  // 40
  DodgerBlue,
  Firebrick,
  FloralWhite,
  ForestGreen,
  Fuchsia,
  Gainsboro,
  GhostWhite,
  Gold,
  Goldenrod,
  Gray,  // 50
  Green,
  GreenYellow,
  Honeydew,
  HotPink,
  IndianRed,
  Indigo,
  Ivory,
  Khaki,
  Lavender,
  LavenderBlush,  // 60
  LawnGreen,
  LemonChiffon,
  LightBlue,
  LightCoral,
  LightCyan,
  LightGoldenrodYellow,
  LightGray,
  LightGreen,
  LightPink,
  LightSalmon,  // 70
  LightSeaGreen,
  LightSkyBlue,
  LightSlateGray,
  LightSteelBlue,
  LightYellow,
  Lime,
  LimeGreen,
  Linen,
  Magenta,
  Maroon,  // 80
  MediumAquamarine,
  MediumBlue,
  MediumOrchid,
  MediumPurple,
  MediumSeaGreen,
  MediumSlateBlue,
  MediumSpringGreen,
  MediumTurquoise,
  MediumVioletRed,
  MidnightBlue,  // 90
  MintCream,
  MistyRose,
  Moccasin,
  NavajoWhite,
  Navy,
  OldLace,
  Olive,
  OliveDrab,
  Orange,
  OrangeRed,  // 100
  Orchid,
  PaleGoldenrod,
  PaleGreen,
  PaleTurquoise,
  PaleVioletRed,
  PapayaWhip,
  PeachPuff,
  Peru,
  Pink,
  Plum,  // 110
  PowderBlue,
  Purple,
  Red,
  RosyBrown,
  RoyalBlue,
  SaddleBrown,
  Salmon,
  SandyBrown,
  SeaGreen,
  Seashell,  // 120
  Sienna,
  Silver,
  SkyBlue,
  SlateBlue,
  SlateGray,
  Snow,
  SpringGreen,
  SteelBlue,
  Tan,
  Teal,  // 130
  Thistle,
  Tomato,
  Turquoise,
  Violet,
  Wheat,
  White,
  WhiteSmoke,
  Yellow,
  YellowGreen,  // 139
};

constexpr int kColorNameCount = 140;

struct SColorRGB {
  std::uint8_t r;
  std::uint8_t g;
  std::uint8_t b;
};

// The three functions throw std::runtime_error for a value outside the
// enumeration.
SColorRGB GetColorRGB(EColorName c);
// The keyword as written on the web ("AliceBlue").
const char* GetColorKeyword(EColorName c);
// The drawing colour of the game library (GetColor of the triple).
unsigned int GetColorByName(EColorName c);

// How far apart two colours read, from 1 (the same) to 21 (black on white):
// (L1 + 0.05) / (L2 + 0.05) of their relative luminances, the lighter above.
// Body text wants 4.5 or more.
double ContrastRatio(SColorRGB a, SColorRGB b);
// `top` drawn with `alpha` (0..255) over `bottom`.
SColorRGB BlendOver(SColorRGB top, int alpha, SColorRGB bottom);

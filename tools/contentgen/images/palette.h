// The shared colours that keep every generated picture in one style.
#pragma once

#include "images/canvas.h"

namespace contentgen::pal {

constexpr SColor kOutline = Hex(0x1a1220);  // every sprite's one-pixel edge
constexpr SColor kWhite = Hex(0xfcfcf4);
constexpr SColor kGold = Hex(0xe8b830);
constexpr SColor kSkin = Hex(0xf6d0a8);
constexpr SColor kSkinPale = Hex(0xfbe0c8);
constexpr SColor kSkinTan = Hex(0xe0a878);

}  // namespace contentgen::pal

// Small builders shared by the battle information windows.
#pragma once

#include <string>

#include "core/color.h"
#include "core/geometry.h"
#include "gfx/draw_data.h"

class CDialog;
class CPaneTextLabel;

// printf into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

CPaneTextLabel* AddLabel(CDialog& dialog, const std::string& name, SPoint at, int font, const std::string& text,
                         EColorName colour = EColorName::Black);
// A figure next to its caption: fontNormal14 in purple.
CPaneTextLabel* AddValue(CDialog& dialog, const std::string& name, SPoint at, const std::string& text);

// An image of dat/image/ drawn with its top-left corner at the pane's
// position, at its own size.
SDrawData ImageDrawData(const std::string& key);

// Small builders shared by the game's dialogs and information windows.
#pragma once

#include <string>

#include "core/color.h"
#include "core/geometry.h"
#include "gfx/draw_data.h"

class CDialog;
class CPaneTextLabel;

// The title of every game dialog: fontNormal16 in white.
void SetGameTitle(CDialog& dialog, const std::string& title);

// printf into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

CPaneTextLabel* AddLabel(CDialog& dialog, const std::string& name, SPoint at, int font, const std::string& text,
                         EColorName colour = EColorName::Black);
// A figure next to its caption: fontNormal14 in purple.
CPaneTextLabel* AddValue(CDialog& dialog, const std::string& name, SPoint at, const std::string& text);

// An image of dat/image/ drawn with its top-left corner at the pane's
// position, at its own size.
SDrawData ImageDrawData(const std::string& key);

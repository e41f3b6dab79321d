// The one line that says what the keys do where that is not obvious: short
// white edged text on a dark band, set against the right edge of the
// screen. Every screen that shows key help draws it with this.
#pragma once

#include <string>

#include "core/geometry.h"

// The band's height: the small edged font and a pixel above and below.
inline constexpr int kKeyHelpHeight = 18;

// The box the line covers with its band's top edge at `top`.
CRect KeyHelpBox(const std::string& text, int top);

// Draws the line at once (not queued), over everything drawn before it.
void DrawKeyHelp(const std::string& text, int top);

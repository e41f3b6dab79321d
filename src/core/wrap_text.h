// Breaks UTF-8 text (Japanese, mostly) into lines that fit a pixel width.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits at every "\n" and wraps each piece with WrapLine. With
// keepPunctuation, "、" and "。" never begin a line (unless the text does):
// they move to the next line together with the character before them.
// Only a character (with its marks) wider than maxWidth on its own makes a
// line wider than maxWidth.
std::vector<std::string> WrapText(std::string_view text, int maxWidth, int fontHandle, bool keepPunctuation);

// Wraps one line of text (no "\n") between characters, measuring with the
// given font.
std::vector<std::string> WrapLine(std::string_view line, int maxWidth, int fontHandle, bool keepPunctuation);

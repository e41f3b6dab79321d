// A map drawn as text, one character per grid cell: '.' plain, ',' rough,
// '~' fly only, anything else a wall. Turned into the map file the battle
// reads (every grid is 2 x 2 chips, no pictures on the chip layers).
#pragma once

#include <string>
#include <vector>

inline std::string MapCsvFromRows(const std::vector<std::string>& rows) {
  const int w = static_cast<int>(rows.front().size()) * 2;
  const int h = static_cast<int>(rows.size()) * 2;
  std::string text = std::to_string(w) + "," + std::to_string(h) + "\n";
  for (int block = 0; block < 4; ++block) {
    if (block > 0) text += "\n";
    for (int r = 0; r < h; ++r) {
      for (int c = 0; c < w; ++c) {
        int value = 255;
        if (block == 3) {
          const char ch = rows[static_cast<std::size_t>(r / 2)][static_cast<std::size_t>(c / 2)];
          value = ch == '.' ? 1 : ch == ',' ? 2 : ch == '~' ? 3 : 0;
        }
        text += (c ? "," : "") + std::to_string(value);
      }
      text += "\n";
    }
  }
  return text;
}

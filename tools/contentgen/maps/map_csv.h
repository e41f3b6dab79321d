// The map files of dat/map: a header line "W,H" (in 16 x 16 chips), three
// chip layers of H lines of W chip numbers, then the terrain layer, each
// block after a separator line "0".
#pragma once

#include <array>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace contentgen::maps {

struct SMapChips {
  int chipWidth = 0;
  int chipHeight = 0;
  std::array<std::vector<int>, 3> layers;  // row by row; 255 = no chip
  std::vector<int> terrain;                // a terrain code at every chip

  SMapChips() = default;
  SMapChips(int chipWidth_, int chipHeight_);
  int& Layer(int layer, int column, int row) { return layers[static_cast<size_t>(layer)][Index(column, row)]; }
  int Layer(int layer, int column, int row) const { return layers[static_cast<size_t>(layer)][Index(column, row)]; }
  int& Terrain(int column, int row) { return terrain[Index(column, row)]; }
  int Terrain(int column, int row) const { return terrain[Index(column, row)]; }
  bool operator==(const SMapChips&) const = default;

 private:
  size_t Index(int column, int row) const { return static_cast<size_t>(row * chipWidth + column); }
};

class CMapCsvError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string FormatMapCsv(const SMapChips& map);
// Reads the exact format back; anything else (a BOM, a missing or extra
// field or line, a non-number) is refused with the line it was found on.
SMapChips ParseMapCsv(const std::string& text, const std::string& sourceName);
SMapChips ReadMapCsv(const std::filesystem::path& path);
void WriteMapCsv(const SMapChips& map, const std::filesystem::path& path);

}  // namespace contentgen::maps

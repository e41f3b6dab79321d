// Feeds arbitrary bytes to the battle map reader as a map CSV file. Reading
// must end in a map or a CMapFileError that names the file; a failed read
// leaves the map loaded before it as it was, and a map that reads keeps every
// chip on the chip sheet, every cell of a known terrain, and draws only chips
// it has.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "battle/stage.h"
#include "field/geographical_features.h"

namespace {

// The game's chip sheet: 256 x 32 chips of 16 x 16 pixels.
constexpr int kSheetColumns = 256;
constexpr int kSheetRows = 32;
constexpr int kSheetChips = kSheetColumns * kSheetRows;

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "map_csv_fuzz: %s\n", what);
  std::abort();
}

// One file per process, rewritten for every input, so that parallel runs
// never share it. The name is never freed: the exit handler that removes the
// file runs after the statics are gone.
const std::string& MapPath() {
  static const std::string& path = *new std::string(
      (std::filesystem::temp_directory_path() / ("map_csv_fuzz-" + std::to_string(getpid()) + ".csv")).string());
  return path;
}

void RemoveMapFile() {
  std::error_code ignored;
  std::filesystem::remove(MapPath(), ignored);
}

struct SMapShape {
  int chipWidth, chipHeight, width, height;
  bool operator==(const SMapShape&) const = default;
};

SMapShape ShapeOf(const CGeographicalFeatures& map) {
  return {map.chipWidth, map.chipHeight, map.width, map.height};
}

void CheckMap(CStage& stage, CGeographicalFeatures& map) {
  Require(map.chipWidth >= 1 && map.chipHeight >= 1, "a map without chips");
  Require(map.width == map.chipWidth / 2 && map.height == map.chipHeight / 2, "grid cells that are not 2 x 2 chips");
  Require(map.scrollLimitRight == map.chipWidth * MAP_CHIP_SIZE &&
              map.scrollLimitBottom == map.chipHeight * MAP_CHIP_SIZE,
          "scroll limits that are not the map's edges");
  for (int layer = 0; layer < 3; ++layer) {
    for (int row = 0; row < map.chipHeight; ++row) {
      for (int column = 0; column < map.chipWidth; ++column) {
        const CMapObject* chip = map.GetChip(layer, column, row);
        if (!chip) continue;
        Require(chip->chipNumber >= 0 && chip->chipNumber < kSheetChips, "a chip off the chip sheet");
        Require(chip->position == SPointD(column * MAP_CHIP_SIZE + MAP_CHIP_SIZE / 2,
                                          row * MAP_CHIP_SIZE + MAP_CHIP_SIZE / 2),
                "a chip away from its place");
      }
    }
  }
  for (int y = 0; y < map.height; ++y) {
    for (int x = 0; x < map.width; ++x) {
      const CGridObject* cell = map.GetGrid({x, y});
      if (!cell) continue;
      const int type = static_cast<int>(cell->type);
      Require(type >= 0 && type <= static_cast<int>(EMapObjectType::FLY_ONLY), "a cell of no terrain");
    }
  }
  Require(map.GetGrid({map.width, 0}) == nullptr && map.GetGrid({0, map.height}) == nullptr,
          "a cell past the map's edge");
  // The camera where a battle starts it: the drawn window must stay on the map.
  map.Draw();
  const std::size_t drawn = stage.GetDrawQueue().GetEntries().size();
  Require(drawn <= 3u * static_cast<std::size_t>(map.chipWidth) * static_cast<std::size_t>(map.chipHeight),
          "more chips drawn than the map has");
  stage.GetDrawQueue().Flush();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::atexit(RemoveMapFile);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Without a window the chip sheet does not load: every chip keeps handle 0,
  // but the reader still checks chip numbers against the whole sheet.
  static CStage stage;
  static CGeographicalFeatures map(stage, 0, 320.0, 240.0, kSheetColumns, kSheetRows, "no/mapchip.png");
  {
    std::ofstream out(MapPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Require(static_cast<bool>(out), "the map file could not be written");
  }
  const SMapShape before = ShapeOf(map);
  try {
    map.LoadMapCsv(MapPath());
  } catch (const CMapFileError& e) {
    Require(std::string_view(e.what()).starts_with("map file '" + MapPath() + "'"), "a fault that does not name the file");
    Require(ShapeOf(map) == before, "a failed read changed the map");
    return 0;
  }
  CheckMap(stage, map);
  return 0;
}

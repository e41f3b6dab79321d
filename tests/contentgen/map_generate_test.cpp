// The committed maps in dat/ against their sources in content/maps.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "contentgen.h"
#include "field/stage_data.h"
#include "maps/map_check.h"
#include "maps/map_chip_sheet.h"
#include "maps/map_csv.h"
#include "maps/map_layout.h"
#include "maps/map_preview.h"

namespace contentgen::maps {
namespace {

namespace fs = std::filesystem;

std::string MapName(int stage) { return "map0" + std::to_string(stage) + ".csv"; }

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A scratch directory removed again at the end of the test.
struct SScratch {
  fs::path dir = fs::temp_directory_path() / ("quorvane-maps-" + std::to_string(getpid()));
  SScratch() { fs::remove_all(dir); }
  ~SScratch() { fs::remove_all(dir); }
};

const CPixels& CommittedSheet() {
  static const CPixels sheet = CPixels::LoadPng("dat/image/mapchip/mapchip.png");
  return sheet;
}

bool ChipIsBlank(const CPixels& sheet, int chip) {
  for (int y = 0; y < CHIP_SIZE; ++y)
    for (int x = 0; x < CHIP_SIZE; ++x)
      if (!sheet.IsClear((chip % SHEET_COLUMNS) * CHIP_SIZE + x, (chip / SHEET_COLUMNS) * CHIP_SIZE + y)) return false;
  return true;
}

TEST(MapGenerateTest, CommittedMapsHaveTheExactFormatAndKeepTheRules) {
  const CPixels& sheet = CommittedSheet();
  for (int stage = 0; stage < STAGE_COUNT; ++stage) {
    SCOPED_TRACE(MapName(stage));
    const fs::path path = fs::path("dat/map") / MapName(stage);
    const SMapChips map = ReadMapCsv(path);  // refuses a BOM, stray fields or lines
    EXPECT_EQ(map.chipWidth % 2, 0);
    EXPECT_EQ(map.chipHeight % 2, 0);
    EXPECT_GE(map.chipWidth, 40);
    EXPECT_GE(map.chipHeight, 30);

    std::istringstream lines(ReadBytes(path));
    std::string line;
    for (int n = 0; std::getline(lines, line); ++n) {
      if (n > 0 && n % (map.chipHeight + 1) == 0 && n < 4 * (map.chipHeight + 1)) {
        EXPECT_EQ(line, "0") << "line " << n;
      }
    }

    const int width = map.chipWidth / 2, height = map.chipHeight / 2;
    std::vector<EMapObjectType> terrain;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const int code = map.Terrain(2 * x, 2 * y);
        EXPECT_TRUE(code == 256 || code == 258 || code == 768 || code == 770) << "cell " << x << "," << y;
        for (int q = 1; q < 4; ++q) EXPECT_EQ(map.Terrain(2 * x + (q & 1), 2 * y + (q >> 1)), code);
        terrain.push_back(TerrainFromCode(code).value_or(EMapObjectType::BLOCKED));
      }
    EXPECT_NO_THROW(CheckStagePlacement(stage, width, height, terrain, GetStageData(stage)));

    for (int layer = 0; layer < 3; ++layer)
      for (int row = 0; row < map.chipHeight; ++row)
        for (int column = 0; column < map.chipWidth; ++column) {
          const int chip = map.Layer(layer, column, row);
          if (chip == NO_CHIP && layer > 0) continue;
          ASSERT_TRUE(chip >= 0 && chip < SHEET_COLUMNS * SHEET_ROWS && chip != NO_CHIP)
              << "layer " << layer << " chip " << column << "," << row << " is " << chip;
          ASSERT_FALSE(ChipIsBlank(sheet, chip)) << "layer " << layer << " shows the blank chip " << chip;
        }
  }
}

TEST(MapGenerateTest, CommittedSheetHasItsMarkersAndBlankSpaces) {
  const CPixels& sheet = CommittedSheet();
  ASSERT_EQ(sheet.Width(), 4096);
  ASSERT_EQ(sheet.Height(), 512);
  for (int marker : {256, 258, 768, 770})
    for (int q = 0; q < 4; ++q) EXPECT_FALSE(ChipIsBlank(sheet, QuarterChip(marker, q))) << marker;
  // 255 means "no chip" in a map, so that chip can never be shown.
  EXPECT_TRUE(ChipIsBlank(sheet, 255));
  for (int chip = 30 * SHEET_COLUMNS; chip < SHEET_ROWS * SHEET_COLUMNS; ++chip)
    ASSERT_TRUE(ChipIsBlank(sheet, chip)) << "the unused rows stay magenta";
}

TEST(MapGenerateTest, GeneratingTwiceGivesTheCommittedBytes) {
  SScratch scratch;
  GenerateMaps("content", scratch.dir / "a");
  GenerateMaps("content", scratch.dir / "b");
  std::vector<fs::path> files{"image/mapchip/mapchip.png"};
  for (int stage = 0; stage < STAGE_COUNT; ++stage) files.push_back(fs::path("map") / MapName(stage));
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    const std::string first = ReadBytes(scratch.dir / "a" / file);
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(first == ReadBytes(scratch.dir / "b" / file)) << "two runs differ";
    // The picture is compared by its pixels: another PNG library may pack the same pixels differently.
    const bool same = file.extension() == ".png"
                          ? CPixels::LoadPng(scratch.dir / "a" / file) == CommittedSheet()
                          : first == ReadBytes("dat" / file);
    EXPECT_TRUE(same) << "dat/ is out of date: run contentgen --out dat --only maps";
  }
}

TEST(MapGenerateTest, ARefusedLayoutLeavesTheOutputUntouched) {
  SScratch scratch;
  fs::create_directories(scratch.dir / "content");
  fs::copy("content/maps", scratch.dir / "content" / "maps", fs::copy_options::recursive);
  // Wall in the first start cell of stage 3, (2,20).
  const fs::path layoutPath = scratch.dir / "content/maps/map03.txt";
  std::string text = ReadBytes(layoutPath);
  size_t row = text.find("[map]\n") + 6;
  for (int y = 0; y < 20; ++y) row = text.find('\n', row) + 1;
  text[row + 2] = '#';
  std::ofstream(layoutPath, std::ios::binary) << text;

  try {
    GenerateMaps(scratch.dir / "content", scratch.dir / "out");
    ADD_FAILURE() << "the broken layout was accepted";
  } catch (const CMapLayoutError& e) {
    EXPECT_NE(std::string(e.what()).find("stage 3: start 0 at cell (2,20)"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(fs::exists(scratch.dir / "out")) << "nothing is written when a layout is refused";
}

// Also leaves a picture of every map with its units marked in build/map-previews.
TEST(MapGenerateTest, EveryMapRendersWithoutHoles) {
  const CPixels& sheet = CommittedSheet();
  fs::create_directories("build/map-previews");
  for (int stage = 0; stage < STAGE_COUNT; ++stage) {
    SCOPED_TRACE(MapName(stage));
    const SMapChips map = ReadMapCsv(fs::path("dat/map") / MapName(stage));
    const CPixels picture = RenderMapPreview(map, sheet, nullptr);
    // The preview starts black; the ground layer must cover every pixel.
    int holes = 0;
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x) holes += picture.Get(x, y) == SRgb{0, 0, 0};
    EXPECT_EQ(holes, 0);
    const CZoneInfo zone = GetStageData(stage);
    RenderMapPreview(map, sheet, &zone).SavePng("build/map-previews/map0" + std::to_string(stage) + ".png");
  }
}

}  // namespace
}  // namespace contentgen::maps

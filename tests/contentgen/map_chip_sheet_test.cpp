#include "maps/map_chip_sheet.h"

#include <gtest/gtest.h>

#include <string>

#include "maps/map_build.h"

namespace contentgen::maps {
namespace {

const CChipSheet& Sheet() {
  static const CChipSheet sheet;
  return sheet;
}

bool IsOpaque(int chip) {
  const CPixels& pixels = Sheet().Pixels();
  for (int y = 0; y < CHIP_SIZE; ++y)
    for (int x = 0; x < CHIP_SIZE; ++x)
      if (pixels.IsClear((chip % SHEET_COLUMNS) * CHIP_SIZE + x, (chip / SHEET_COLUMNS) * CHIP_SIZE + y)) return false;
  return true;
}

// Layer 0 is drawn over nothing: a magenta pixel in a ground chip is a hole.
TEST(MapChipSheetTest, EveryGroundChipIsOpaque) {
  const CChipSheet& sheet = Sheet();
  for (const STileKind& kind : TileKinds()) {
    SCOPED_TRACE(kind.name);
    const EGround ground = kind.ground;
    for (int q = 0; q < 4; ++q) {
      if (CChipSheet::IsPlainGround(ground)) {
        for (int v = 0; v < 4; ++v) EXPECT_TRUE(IsOpaque(sheet.PlainChip(ground, v, q)));
      } else if (CChipSheet::IsWallGround(ground)) {
        for (int s = 0; s < EDGE_SHAPE_COUNT; ++s) EXPECT_TRUE(IsOpaque(sheet.WallTopChip(ground, static_cast<EEdgeShape>(s), q)));
        for (bool open : {false, true})
          for (EFaceSide side : {EFaceSide::CONTINUES, EFaceSide::MEETS_WALL, EFaceSide::ENDS})
            EXPECT_TRUE(IsOpaque(sheet.WallFaceChip(ground, open, side, q)));
      } else {
        for (int s = 0; s < EDGE_SHAPE_COUNT; ++s) EXPECT_TRUE(IsOpaque(sheet.EdgeChip(ground, static_cast<EEdgeShape>(s), q)));
      }
    }
  }
}

// A field with every tile kind next to every other gets built, and each chip
// it names shows something.
TEST(MapChipSheetTest, EveryTileKindCanBeDrawn) {
  std::string legend = "[legend]\n", row;
  const std::string symbols = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  const auto& kinds = TileKinds();
  ASSERT_LE(kinds.size(), symbols.size());
  const char* const words[] = {"blocked", "plain", "rough", "fly-only"};
  for (size_t i = 0; i < kinds.size(); ++i) {
    legend += std::string(1, symbols[i]) + " " + kinds[i].name + " " + words[static_cast<int>(kinds[i].terrain)] + "\n";
    row += symbols[i];
  }
  std::string rows;
  for (size_t shift = 0; shift < kinds.size(); shift += 3) rows += row.substr(shift) + row.substr(0, shift) + "\n";
  const SMapLayout layout = ParseMapLayout(legend + "[map]\n" + rows, 0);
  const SMapChips map = BuildMapChips(layout, Sheet());
  for (int layer = 0; layer < 3; ++layer)
    for (int r = 0; r < map.chipHeight; ++r)
      for (int c = 0; c < map.chipWidth; ++c) {
        const int chip = map.Layer(layer, c, r);
        if (layer == 0) {
          ASSERT_NE(chip, NO_CHIP) << c << "," << r;
        }
        if (chip != NO_CHIP) {
          ASSERT_FALSE(Sheet().IsChipEmpty(chip)) << "layer " << layer << " at " << c << "," << r;
        }
      }
}

TEST(MapChipSheetTest, PicturesSurviveAPngRoundTrip) {
  CPixels picture(5, 3, SRgb{1, 2, 3});
  picture.Set(4, 2, CLEAR);
  picture.Set(0, 1, SRgb{250, 128, 7});
  const auto path = std::filesystem::temp_directory_path() / "quorvane-map-pixels-test.png";
  picture.SavePng(path);
  const CPixels back = CPixels::LoadPng(path);
  std::filesystem::remove(path);
  EXPECT_TRUE(back == picture);
  EXPECT_THROW(CPixels::LoadPng("dat/no-such-picture.png"), std::runtime_error);
}

}  // namespace
}  // namespace contentgen::maps

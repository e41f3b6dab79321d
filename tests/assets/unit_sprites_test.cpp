#include "assets/unit_sprites.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "assets/headless_library.h"
#include "assets/temp_tree.h"

namespace {

// Colour of the sheet cell at (column, row); no cell is magenta.
unsigned int CellColour(int column, int row) { return GetColor(40 + row * 50, 30 + column * 70, 90); }

class UnitSpritesTest : public HeadlessLibraryTest {};

TEST_F(UnitSpritesTest, SheetRowsAreReorderedIntoFacingOrder) {
  // A sheet whose every cell has its own colour (the rest of the 640 x 480
  // picture is unused).
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 3; ++column) {
      DrawBox(column * 32, row * 32, column * 32 + 32, row * 32 + 32, CellColour(column, row), TRUE);
    }
  }
  CTempTree tree("unit_sprites");
  const std::string sheet = tree.Path("sheet.png");
  ASSERT_EQ(SaveScreenshot(sheet.c_str()), 0);
  for (const char* file : unitSpriteFiles) tree.Copy(sheet, std::string("ziki/") + file);
  tree.Copy(sheet, "ziki/emotion.png");

  LoadUnitSprites(tree.Dir() + "ziki/");

  // Facing LEFT is the sheet's bottom row, UP its top, RIGHT the second, DOWN the third.
  const int sheetRow[4] = {3, 0, 1, 2};
  for (int facing = 0; facing < 4; ++facing) {
    for (int frame = 0; frame < 3; ++frame) {
      ClsDrawScreen();
      const int handle = GetUnitSpriteHandle(16, static_cast<EDirection4>(facing), frame);
      EXPECT_EQ(handle, unitSprites[16][facing * 3 + frame]);
      DrawGraph(0, 0, handle, TRUE);
      EXPECT_EQ(gamelib_test::GetBackBufferPixel(16, 16), CellColour(frame, sheetRow[facing]) & 0xffffff)
          << "facing " << facing << " frame " << frame;
    }
  }
  // Balloons are numbered row by row, four across.
  ClsDrawScreen();
  DrawGraph(0, 0, emotionSprites[5], TRUE);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(16, 16), CellColour(1, 1) & 0xffffff);

  EXPECT_THROW(GetUnitSpriteHandle(17, EDirection4::UP, 0), std::out_of_range);
  EXPECT_THROW(GetUnitSpriteHandle(0, EDirection4::UP, 3), std::out_of_range);
}

TEST(UnitSpritesErrorTest, MissingSheetIsNamedAndLeavesTheTableAlone) {
  CTempTree tree("unit_sprites_missing");
  unitSprites[0][0] = 1234;
  try {
    LoadUnitSprites(tree.Dir());
    FAIL() << "expected an error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(tree.Dir() + "knight.png"), std::string::npos) << e.what();
  }
  EXPECT_EQ(unitSprites[0][0], 1234);
}

TEST(UnitWalkRecordTest, WalksFrames1232OfTheFacingRow) {
  int frames[UNIT_SPRITE_FRAMES];
  for (int i = 0; i < UNIT_SPRITE_FRAMES; ++i) frames[i] = 100 + i;
  const SDrawData walk = MakeUnitWalkRecord(frames, EDirection4::RIGHT);
  ASSERT_EQ(walk.images.size(), 4u);
  EXPECT_EQ(walk.images[0].handle, 106);
  EXPECT_EQ(walk.images[1].handle, 107);
  EXPECT_EQ(walk.images[2].handle, 108);
  EXPECT_EQ(walk.images[3].handle, 107);
  EXPECT_EQ(walk.frameWait, 12);
  EXPECT_TRUE(walk.loop);
  EXPECT_EQ(walk.width, 32);
  EXPECT_EQ(walk.imageHeight, 32);
  EXPECT_EQ(walk.pivot, SPoint(-16, -16));
}

}  // namespace

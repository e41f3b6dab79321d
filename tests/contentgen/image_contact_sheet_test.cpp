#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "contentgen.h"
#include "images/canvas.h"

namespace contentgen {
namespace {

namespace fs = std::filesystem;

class ContactSheetTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("quorvane_sheet_" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "dat" / "image");
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  void Picture(const std::string& key, int w, int h) {
    CCanvas c(w, h);
    c.FillRect(0, 0, w / 2, h / 2, SColor{40, 160, 80, 255});
    SaveImage(c, root_ / "dat" / "image" / key);
  }
  int SheetHeight() {
    WriteContactSheet(root_ / "dat", root_ / "sheet.png");
    return LoadImage(root_ / "sheet.png").Height();
  }
  fs::path root_;
};

TEST_F(ContactSheetTest, ShowsEveryPictureTheGameWouldLoadAndSkipsTheRest) {
  Picture("ziki/knight.png", 96, 128);
  const int base = SheetHeight();
  // Files the game ignores must not break or grow the sheet.
  std::ofstream(root_ / "dat" / "image" / "readme.txt") << "notes";
  std::ofstream(root_ / "dat" / "image" / "upper.PNG") << "not loaded by the game";
  EXPECT_EQ(SheetHeight(), base);
  Picture("ui_parts/cursor.png", 32, 32);
  EXPECT_GT(SheetHeight(), base);
}

TEST_F(ContactSheetTest, MapChipsAreListedOnlyWhenTheyHoldSomething) {
  Picture("ziki/knight.png", 96, 128);
  const int base = SheetHeight();
  SaveImage(CCanvas(4096, 512), root_ / "dat" / "image" / "mapchip" / "mapchip.png");
  const int empty = SheetHeight();
  CCanvas chips(4096, 512);
  chips.FillRect(32, 16, 16, 16, SColor{90, 140, 60, 255});
  SaveImage(chips, root_ / "dat" / "image" / "mapchip" / "mapchip.png");
  EXPECT_EQ(empty, base) << "a sheet of empty chips shows nothing";
  EXPECT_GT(SheetHeight(), empty);
}

TEST_F(ContactSheetTest, MissingFolderAndBrokenPicturesAreReported) {
  EXPECT_THROW(WriteContactSheet(root_ / "nowhere", root_ / "sheet.png"), std::runtime_error);
  std::ofstream(root_ / "dat" / "image" / "broken.png") << "not a picture";
  try {
    WriteContactSheet(root_ / "dat", root_ / "sheet.png");
    FAIL() << "expected an error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("broken.png"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace contentgen

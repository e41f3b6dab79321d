#include "images/canvas.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>


namespace contentgen {
namespace {

namespace fs = std::filesystem;

fs::path Scratch(const std::string& name) {
  return fs::temp_directory_path() / ("quorvane_canvas_" + name + "_" + std::to_string(::getpid()));
}

TEST(CanvasTest, FlattenKeysUncoveredPixelsAndNeverLetsArtTurnIntoAHole) {
  CCanvas c(3, 1);
  c.Put(0, 0, SColor{10, 20, 30, 127});  // less than half covered
  c.Put(1, 0, SColor{10, 20, 30, 128});
  c.Put(2, 0, kMagenta);                 // drawn in the key colour by mistake
  const CCanvas flat = Flatten(c);
  EXPECT_EQ(flat.At(0, 0), kMagenta);
  EXPECT_EQ(flat.At(1, 0), (SColor{10, 20, 30, 255}));
  EXPECT_NE(flat.At(2, 0), kMagenta);
  EXPECT_EQ(flat.At(2, 0).a, 255);
}

TEST(CanvasTest, OutlineRingsTheShapeOnlyOnItsOutside) {
  CCanvas c(5, 5);
  c.Put(2, 2, SColor{200, 200, 200, 255});
  CCanvas plus = c;
  AddOutline(plus, SColor{1, 1, 1, 255});
  int ring = 0;
  for (const SColor& p : plus.Pixels()) ring += p == SColor{1, 1, 1, 255};
  EXPECT_EQ(ring, 4);
  EXPECT_EQ(plus.At(2, 2), (SColor{200, 200, 200, 255}));
  CCanvas square = c;
  AddOutline(square, SColor{1, 1, 1, 255}, true);
  ring = 0;
  for (const SColor& p : square.Pixels()) ring += p == SColor{1, 1, 1, 255};
  EXPECT_EQ(ring, 8);
}

TEST(CanvasTest, SavedPicturesReadBackExactlyWithMagentaAsClear) {
  const fs::path dir = Scratch("roundtrip");
  CCanvas c(4, 3);
  c.Put(0, 0, SColor{255, 255, 255, 255});
  c.Put(3, 2, SColor{12, 34, 56, 255});
  SaveImage(c, dir / "deep" / "folder" / "pic.png");
  const CCanvas back = LoadImage(dir / "deep" / "folder" / "pic.png");
  ASSERT_EQ(back.Width(), 4);
  ASSERT_EQ(back.Height(), 3);
  EXPECT_EQ(back.Pixels(), c.Pixels());
  SaveImage(c, dir / "pic.jpg");
  EXPECT_EQ(LoadImage(dir / "pic.jpg").Width(), 4);
  fs::remove_all(dir);
}

TEST(CanvasTest, UnreadablePicturesAreReportedByName) {
  const fs::path dir = Scratch("unreadable");
  fs::create_directories(dir);
  std::ofstream(dir / "broken.png") << "not a picture";
  for (const fs::path& p : {dir / "broken.png", dir / "missing.png"}) {
    try {
      LoadImage(p);
      ADD_FAILURE() << "expected an error for " << p;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(p.string()), std::string::npos) << e.what();
    }
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace contentgen

#include "images/image_set.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "assets/headless_library.h"
#include "assets/image_manager.h"
#include "images/canvas.h"
#include "images/fonts.h"

namespace contentgen {
namespace {

namespace fs = std::filesystem;

struct SSize {
  int w, h;
  bool operator==(const SSize&) const = default;
};

// Every picture of dat/image the game reads (the map chips are drawn with
// the maps, elsewhere), with the size the game draws it at.
std::map<std::string, SSize> GamePictures() {
  std::map<std::string, SSize> pictures{{"title.png", {640, 480}},
                                        {"town_entrance.jpg", {640, 480}},
                                        {"shadow.png", {32, 32}},
                                        {"ui_parts/cursor.png", {32, 32}},
                                        {"ui_parts/cursor_down.png", {16, 16}},
                                        {"ui_parts/arrow.png", {16, 16}},
                                        {"ui_parts/large_arrow.png", {48, 48}},
                                        {"ui_parts/hand.png", {30, 32}},
                                        {"effect/heal.png", {16, 16}},
                                        {"effect/water_ball_small.png", {16, 16}},
                                        {"effect/speed_effect_blue.png", {16, 32}},
                                        {"effect/speed_effect_red.png", {16, 32}},
                                        {"weapon/bow.png", {24, 24}},
                                        {"weapon/arrow_01.png", {32, 32}},
                                        {"ziki/emotion.png", {128, 64}},
                                        {"ziki/fireball_effect.png", {32, 32}},
                                        {"ziki/firewall1.png", {32, 64}},
                                        {"ziki/firewall2.png", {32, 64}},
                                        {"ziki/water_ball_small.png", {16, 16}},
                                        {"item/coins2.png", {32, 32}}};
  for (int i = 1; i <= 3; ++i) pictures["portal" + std::to_string(i) + ".png"] = {32, 32};
  for (const char* g : {"move_grid_blue", "move_grid_yellow", "move_grid_red", "move_grid_green", "sight_grid"})
    pictures[std::string("ui_parts/") + g + ".png"] = {34, 34};
  for (const char* s : {"poison", "slow", "fast", "move_down", "move_up", "provocation", "concentrate"})
    pictures[std::string("ui_parts/state_icon_") + s + ".png"] = {24, 24};
  for (int d = 0; d <= 9; ++d) {
    pictures["ui_parts/num_" + std::to_string(d) + ".png"] = {16, 16};
    pictures["ui_parts/num_" + std::to_string(d) + "_green.png"] = {16, 16};
  }
  for (const char* m : {"poison", "wtdown", "wtup", "movedown", "moveup", "provocation", "concentration", "evede"})
    pictures[std::string("effect/moji_") + m + ".png"] = {32, 32};
  for (int i = 1; i <= 8; ++i) pictures["effect/shot_hit0" + std::to_string(i) + ".png"] = {16, 16};
  const std::pair<const char*, int> strips[] = {{"knife", 4}, {"long_sword", 4}, {"large_sword", 5}, {"spier", 4}};
  for (const auto& [name, n] : strips)
    for (int i = 1; i <= n; ++i) pictures[std::string("weapon/") + name + "_0" + std::to_string(i) + ".png"] = {96, 64};
  for (int i = 1; i <= 4; ++i) pictures["weapon/rod_0" + std::to_string(i) + ".png"] = {96, 96};
  for (const char* u : {"knight", "fighter", "sorcerer", "sorceress", "priestess", "slime", "slime_red", "slime_yellow",
                        "kobold", "fairy", "snake", "ogre", "spilit_of_fire", "spilit_of_water", "spilit_of_forest",
                        "spilit_of_ray", "daemon"})
    pictures[std::string("ziki/") + u + ".png"] = {96, 128};
  for (const char* f : {"fighter", "knight", "sorcerer", "sorceress", "priestess", "unknown", "kobold", "fairy",
                        "spilit_of_fire", "spilit_of_water", "spilit_of_forest", "spilit_of_ray"})
    pictures[std::string("ziki/") + f + "_face.png"] = {96, 96};
  for (int i = 1; i <= 5; ++i) pictures["ziki/thunder" + std::to_string(i) + ".png"] = {32, 96};
  return pictures;
}

bool IsMagenta(SColor c) { return c.r == 255 && c.g == 0 && c.b == 255; }

std::string ReadBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Pictures the game reads straight from disk, keyed magenta and all.
CCanvas ReadRaw(const fs::path& p) {
  // LoadImage turns magenta clear; put it back to look at the raw colours.
  CCanvas c = LoadImage(p);
  CCanvas raw(c.Width(), c.Height());
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) raw.Put(x, y, c.At(x, y).a == 0 ? kMagenta : c.At(x, y));
  return raw;
}

class CScratch {
 public:
  explicit CScratch(const std::string& name)
      : root_(fs::temp_directory_path() / ("quorvane_images_" + name + "_" + std::to_string(::getpid()))) {
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  ~CScratch() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  const fs::path& Path() const { return root_; }

 private:
  fs::path root_;
};

TEST(ImageSetTest, GeneratorDrawsExactlyTheGamesPicturesUnderTheirExactNames) {
  std::set<std::string> drawn;
  for (const SImageEntry& e : ImageEntries()) {
    EXPECT_TRUE(drawn.insert(e.path).second) << "drawn twice: " << e.path;
    EXPECT_TRUE(e.draw) << e.path;
  }
  std::set<std::string> expected;
  for (const auto& [path, size] : GamePictures()) expected.insert(path);
  EXPECT_EQ(drawn, expected);
  EXPECT_THROW(FindImageEntry("mapchip/mapchip.png"), std::runtime_error);
  EXPECT_THROW(FindImageEntry("ziki/spirit_of_fire.png"), std::runtime_error) << "the files keep the spelling 'spilit'";
}

// The committed pictures are what the game reads: each one present, at its
// size, transparent (magenta) in its corner unless it fills the screen.
TEST(ImageSetTest, CommittedPicturesHaveTheirSizesAndMagentaBackgrounds) {
  const fs::path root = "dat/image";
  for (const auto& [path, size] : GamePictures()) {
    SCOPED_TRACE(path);
    ASSERT_TRUE(fs::exists(root / path)) << "run contentgen --only images";
    const CCanvas c = ReadRaw(root / path);
    EXPECT_EQ((SSize{c.Width(), c.Height()}), size);
    const bool fullScreen = size == SSize{640, 480};
    EXPECT_NE(IsMagenta(c.At(0, 0)), fullScreen);
  }
}

TEST(ImageSetTest, FullScreenPicturesHaveNoHolesAndTheJpegKeepsClearOfMagenta) {
  for (const char* path : {"dat/image/title.png", "dat/image/town_entrance.jpg"}) {
    SCOPED_TRACE(path);
    const CCanvas c = ReadRaw(path);
    int magenta = 0, nearMagenta = 0;
    for (const SColor& p : c.Pixels()) {
      magenta += IsMagenta(p);
      // A lossy codec can land near colours on the key exactly.
      nearMagenta += p.r > 190 && p.b > 190 && p.g < 90;
    }
    EXPECT_EQ(magenta, 0);
    if (std::string(path).ends_with(".jpg")) {
      EXPECT_EQ(nearMagenta, 0);
    }
  }
}

// Same sources, same bytes; and the committed files are what the current
// generator draws (a sample of every kind of picture, to keep this quick).
TEST(ImageSetTest, GeneratingTwiceGivesIdenticalFilesMatchingTheCommittedOnes) {
  const std::vector<std::string> sample = {"ziki/knight.png",        "ziki/slime_red.png",    "ziki/fairy_face.png",
                                           "ziki/thunder2.png",      "ziki/emotion.png",      "effect/moji_wtdown.png",
                                           "weapon/large_sword_04.png", "ui_parts/num_7_green.png", "town_entrance.jpg"};
  CScratch a("det_a"), b("det_b");
  CFontBook fonts;
  for (const std::string& path : sample) {
    SCOPED_TRACE(path);
    const SImageEntry& entry = FindImageEntry(path);
    WriteImageEntry(entry, fonts, a.Path());
    WriteImageEntry(entry, fonts, b.Path());
    const std::string first = ReadBytes(a.Path() / "image" / path);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, ReadBytes(b.Path() / "image" / path));
    if (!path.ends_with(".jpg")) {
      EXPECT_EQ(ReadRaw(a.Path() / "image" / path).Pixels(), ReadRaw(fs::path("dat/image") / path).Pixels())
          << "dat/image is older than the generator: run contentgen --only images";
    }
  }
}

TEST(ImageSetTest, UnwritableDestinationIsReportedWithItsPath) {
  CScratch s("unwritable");
  // A file where the image folder should be.
  std::ofstream(s.Path() / "image") << "in the way";
  CFontBook fonts;
  try {
    WriteImageEntry(FindImageEntry("shadow.png"), fonts, s.Path());
    FAIL() << "expected an error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find((s.Path() / "image").string()), std::string::npos) << e.what();
  }
}

// The game's own loader takes every committed picture at its size.
class ImageSetLoadTest : public HeadlessLibraryTest {};

TEST_F(ImageSetLoadTest, EveryPictureLoadsThroughTheImageManagerAtItsSize) {
  const CImageManager images("dat/image/");
  for (const auto& [path, size] : GamePictures()) {
    SCOPED_TRACE(path);
    const int handle = images.GetHandle(path);
    ASSERT_GT(handle, 0);
    int w = 0, h = 0;
    ASSERT_EQ(GetGraphSize(handle, &w, &h), 0);
    EXPECT_EQ((SSize{w, h}), size);
  }
}

}  // namespace
}  // namespace contentgen

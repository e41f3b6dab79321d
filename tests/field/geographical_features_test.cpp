#include "field/geographical_features.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

#include "assets/temp_tree.h"
#include "battle/stage.h"
#include "runtime/gamelib/gamelib.h"

#ifdef __SANITIZE_ADDRESS__
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, std::size_t),
                                                         void (*)(const volatile void*));
#endif

namespace {

// Text of a map file w x h chips; value(block, column, row) fills the three
// chip layers (blocks 0..2) and the terrain layer (block 3).
std::string MapCsv(int w, int h, const std::function<int(int, int, int)>& value, const std::string& eol = "\n") {
  std::string text = std::to_string(w) + "," + std::to_string(h) + ",extra" + eol;
  for (int block = 0; block < 4; ++block) {
    if (block > 0) text += "separator, not numbers" + eol;
    for (int r = 0; r < h; ++r) {
      for (int c = 0; c < w; ++c) text += (c ? "," : "") + std::to_string(value(block, c, r));
      text += eol;
    }
  }
  return text;
}

struct SMapFixture : ::testing::Test {
  CTempTree tree{"map"};
  CStage stage;
  CGeographicalFeatures map{stage, GetColor(40, 40, 40), 320.0, 240.0, 256, 32, MAPCHIP_TEST_PATH};
  static constexpr const char* MAPCHIP_TEST_PATH = "no/such/mapchip.png";

  std::string Write(const std::string& text, const std::string& name = "map.csv") {
    tree.Write(name, text);
    return tree.Path(name);
  }
};

TEST_F(SMapFixture, ReadsChipLayersAndTerrainOfAnOddSizedMap) {
  // 9 x 5 chips: 4 x 2 grid cells, the last chip column and row have no cell.
  const int terrain[5][9] = {
      {0, 1, 258, 1, 768, 1, 3, 1, 7},
      {9, 9, 9, 9, 9, 9, 9, 9, 9},
      {255, 1, 1, 1, 2, 1, 5, 1, 1},
      {9, 9, 9, 9, 9, 9, 9, 9, 9},
      {3, 3, 3, 3, 3, 3, 3, 3, 3},
  };
  for (const std::string eol : {"\n", "\r\n"}) {
    SCOPED_TRACE(eol == "\n" ? "LF" : "CRLF");
    map.LoadMapCsv(Write(MapCsv(9, 5, [&](int block, int c, int r) {
      if (block == 3) return terrain[r][c];
      if (block == 1 && c == 2) return 255;
      return block * 1000 + r * 10 + c;
    }, eol)));

    EXPECT_EQ(map.chipWidth, 9);
    EXPECT_EQ(map.chipHeight, 5);
    EXPECT_EQ(map.width, 4);
    EXPECT_EQ(map.height, 2);
    EXPECT_EQ(map.scrollLimitBottom, 80.0);
    EXPECT_EQ(map.scrollLimitRight, 144.0);

    const CMapObject* chip = map.GetChip(2, 8, 4);
    ASSERT_NE(chip, nullptr);
    EXPECT_EQ(chip->chipNumber, 2048);
    EXPECT_EQ(chip->position, SPointD(8 * 16 + 8, 4 * 16 + 8));
    EXPECT_EQ(map.GetChip(0, 3, 1)->chipNumber, 13);
    EXPECT_EQ(map.GetChip(1, 2, 0), nullptr);  // 255: nothing shown

    const EMapObjectType expected[2][4] = {
        {EMapObjectType::BLOCKED, EMapObjectType::PLAIN, EMapObjectType::ROUGH, EMapObjectType::FLY_ONLY},
        {EMapObjectType::BLOCKED, EMapObjectType::PLAIN, EMapObjectType::ROUGH, EMapObjectType::BLOCKED},
    };
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 4; ++x) {
        SCOPED_TRACE("cell " + std::to_string(x) + "," + std::to_string(y));
        if (x == 0 && y == 1) {
          EXPECT_EQ(map.GetGrid({x, y}), nullptr);  // coded 255
          continue;
        }
        ASSERT_NE(map.GetGrid({x, y}), nullptr);
        EXPECT_EQ(map.GetGrid({x, y})->type, expected[y][x]);
      }
    }
    EXPECT_EQ(map.GetGrid({-1, 0}), nullptr);
    EXPECT_EQ(map.GetGrid({4, 0}), nullptr);
    EXPECT_EQ(map.GetGrid({0, 2}), nullptr);
  }
}

struct SBadMap {
  const char* name;
  std::string text;  // empty name of file: do not write it at all
  const char* expected;
};

TEST_F(SMapFixture, MalformedFilesGiveAnErrorNamingFileAndLine) {
  const auto good = [](int, int, int) { return 1; };
  std::string cutLine = MapCsv(4, 2, good);
  cutLine.replace(cutLine.find("1,1,1,1\n1,1,1,1\nsep"), 7, "1,1,1");  // line 1 short of fields
  std::string word = MapCsv(4, 2, good);
  word.replace(word.rfind("1,1,1,1"), 7, "1,1,x,1");  // last terrain line, line 12
  std::string empty = MapCsv(4, 2, good);
  empty.replace(empty.find("1,1,1,1"), 7, "");
  const SBadMap cases[] = {
      {"empty file", "", "is empty"},
      {"size not numbers", "wide,tall\n", "line 0 field 0: 'wide'"},
      {"size one field", "4\n", "line 0 has 1 fields where 2"},
      {"size zero", "0,2\n", "line 0: map size 0 x 2"},
      {"size huge", "100000,100000\n", "line 0: map size"},
      {"truncated", MapCsv(4, 2, good).substr(0, 30), "has lines 0..3 only, but a map 2 chips high needs lines 0..11"},
      {"header only", "4,2\n", "has lines 0..0 only"},
      {"line cut short", cutLine, "line 1 has 3 fields where 4"},
      {"word in terrain", word, "line 11 field 2: 'x' is not a whole number"},
      {"empty line", empty, "line 1 is empty"},
      {"overflow", MapCsv(4, 2, [](int b, int, int) { return b; }).replace(2, 1, "99999999999"), "line 0"},
      {"chip off the sheet", MapCsv(4, 2, [](int b, int c, int) { return b == 2 && c == 3 ? 8192 : 1; }),
       "line 7 field 3: chip 8192 is not on the chip sheet"},
      {"negative chip", MapCsv(4, 2, [](int b, int, int) { return b == 0 ? -1 : 1; }), "chip -1"},
  };
  // A good map first: a failed load must leave it as it was.
  map.LoadMapCsv(Write(MapCsv(6, 4, good)));
  for (const SBadMap& bad : cases) {
    SCOPED_TRACE(bad.name);
    const std::string path = Write(bad.text, "bad.csv");
    try {
      map.LoadMapCsv(path);
      ADD_FAILURE() << "no error for: " << bad.text;
    } catch (const CMapFileError& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find(path), std::string::npos) << message;
      EXPECT_NE(message.find(bad.expected), std::string::npos) << message;
    }
    EXPECT_EQ(map.width, 3);
    EXPECT_EQ(map.chipHeight, 4);
    ASSERT_NE(map.GetGrid({2, 1}), nullptr);
  }
  try {
    map.LoadMapCsv(tree.Path("missing.csv"));
    ADD_FAILURE() << "no error for a missing file";
  } catch (const CMapFileError& e) {
    EXPECT_NE(std::string(e.what()).find("missing.csv' cannot be opened"), std::string::npos) << e.what();
  }
}

#ifdef __SANITIZE_ADDRESS__
std::atomic<bool> watchingAllocations{false};
std::atomic<std::size_t> largestAllocation{0};

void NoteAllocation(const volatile void*, std::size_t size) {
  if (!watchingAllocations) return;
  std::size_t seen = largestAllocation;
  while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
  }
}

// The sanitizer takes the two hooks only as a pair.
void IgnoreFree(const volatile void*) {}
#endif

TEST_F(SMapFixture, AHeaderPromisingAHugeMapCostsNothingUntilTheNumbersAreThere) {
#ifndef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "allocations are watched through the address sanitizer";
#else
  static const bool hooked = __sanitizer_install_malloc_and_free_hooks(NoteAllocation, IgnoreFree) != 0;
  ASSERT_TRUE(hooked);
  // 4096 x 4096 chips would be 16.7 million chips a layer; each file has the
  // 16388 lines such a map needs, but not its numbers.
  const std::string blankLines(16388, '\n');
  std::string fullRow = "0";
  for (int i = 1; i < 4096; ++i) fullRow += ",0";
  const struct {
    const char* name;
    std::string text;
    const char* expected;
  } cases[] = {
      {"only blank lines", "4096,4096\n" + blankLines, "line 1 is empty"},
      {"one full row", "4096,4096\n" + fullRow + "\n" + blankLines, "line 2 is empty"},
      {"a word in the second row", "4096,4096\r\n" + fullRow + "\r\nx\r\n" + blankLines,
       "line 2 field 0: 'x' is not a whole number"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = Write(c.text, "huge.csv");
    largestAllocation = 0;
    watchingAllocations = true;
    try {
      map.LoadMapCsv(path);
      ADD_FAILURE() << "no error";
    } catch (const CMapFileError& e) {
      EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
    }
    watchingAllocations = false;
    // The lines of a 24 KB file take well under 4 MB; one layer of the
    // promised map would take 128 MB.
    EXPECT_LT(largestAllocation.load(), std::size_t{4} << 20);
  }
#endif
}

TEST_F(SMapFixture, DrawsOnlyTheChipsAroundTheCamera) {
  // 100 x 80 chips, every chip of every layer filled.
  map.LoadMapCsv(Write(MapCsv(100, 80, [](int block, int, int) { return block == 3 ? 258 : 7; })));
  map.Draw();
  const auto& entries = stage.GetDrawQueue().GetEntries();
  // The camera chip is (20, 15): columns 0..40, rows 0..31, three layers.
  ASSERT_EQ(entries.size(), 3u * 41 * 32);
  EXPECT_EQ(entries.front().position, SPointD(8, 8));
  EXPECT_EQ(entries.front().priority, 0);
  EXPECT_EQ(entries[41 * 32].priority, 1000);
  EXPECT_EQ(entries.back().priority, 8000);  // the top layer covers the units
  stage.GetDrawQueue().Flush();

  map.camera = SPointD(1000.5, 700.7);
  EXPECT_EQ(map.GetScrollX(), 320.0 - 1000.5);
  EXPECT_EQ(map.GetScrollY(), 240.0 - 700.7);
  const SChipWindow window = map.GetVisibleChips(20, 16);
  EXPECT_EQ(window.left, 42);
  EXPECT_EQ(window.right, 82);
  EXPECT_EQ(window.top, 27);
  EXPECT_EQ(window.bottom, 59);
  map.DrawLayer(1, 1);
  ASSERT_EQ(entries.size(), 41u * 33);
  // Chip (43, 27) has its centre at (696, 440); positions are truncated.
  EXPECT_EQ(entries[1].position, SPointD(15, -20));
  stage.GetDrawQueue().Flush();

  // Near the top-left corner and beyond it the window is clamped to the map.
  map.camera = SPointD(-8, -40);
  const SChipWindow corner = map.GetVisibleChips(20, 16);
  EXPECT_EQ(corner.left, 0);
  EXPECT_EQ(corner.right, 19);
  EXPECT_EQ(corner.top, 0);
  EXPECT_EQ(corner.bottom, 13);
  map.camera = SPointD(1600 + 5000, 1280 + 5000);
  const SChipWindow far = map.GetVisibleChips(20, 16);
  EXPECT_GT(far.left, far.right);  // nothing to draw
  map.Draw();
  EXPECT_TRUE(stage.GetDrawQueue().IsEmpty());
}

TEST_F(SMapFixture, GridLinesAreDrawnHalfTransparentFollowingTheCamera) {
  map.LoadMapCsv(Write(MapCsv(40, 30, [](int, int, int) { return 1; })));
  map.camera = SPointD(330.0, 245.0);
  map.DrawGridLines();
  ASSERT_EQ(stage.GetDrawQueue().GetEntries().size(), 1u);
  EXPECT_EQ(stage.GetDrawQueue().GetEntries().front().priority, 2000);
  gamelib_test::ClearRecordedCalls();
  gamelib_test::StartRecording();
  stage.GetDrawQueue().Flush();
  gamelib_test::StopRecording();
  const auto calls = gamelib_test::RecordedCalls();
  ASSERT_EQ(calls.size(), 1u + 24 + 20 + 1);
  EXPECT_EQ(calls.front(), "SetDrawBlendMode(1,150)");
  EXPECT_EQ(calls.back(), "SetDrawBlendMode(0,0)");
  // -10 mod 32 keeps the sign of -10: the first lines start off screen.
  EXPECT_EQ(calls[1].rfind("DrawLine(-10,0,-10,640,", 0), 0u) << calls[1];
  EXPECT_EQ(calls[25].rfind("DrawLine(0,-5,640,-5,", 0), 0u) << calls[25];
  gamelib_test::ClearRecordedCalls();
}

}  // namespace

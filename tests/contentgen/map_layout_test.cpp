#include "maps/map_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace contentgen::maps {
namespace {

const char* const legend =
    "// a comment\n"
    "[legend]\n"
    ".  grass        plain\n"
    "~  water        fly-only\n"
    "#  cliff        blocked\n"
    "\"  tall grass   rough\n";

TEST(MapLayoutTest, ReadsTheLegendAndOneCellPerCharacter) {
  const SMapLayout layout = ParseMapLayout(std::string(legend) + "[map]\n.~#\r\n\"..\n\n", 3);
  EXPECT_EQ(layout.stage, 3);
  ASSERT_EQ(layout.width, 3);
  ASSERT_EQ(layout.height, 2);
  EXPECT_STREQ(layout.At(1, 0).name, "water");
  EXPECT_EQ(layout.At(2, 0).terrain, EMapObjectType::BLOCKED);
  EXPECT_EQ(layout.At(0, 1).terrain, EMapObjectType::ROUGH);
  const std::vector<EMapObjectType> terrain = layout.Terrain();
  EXPECT_EQ(terrain[1], EMapObjectType::FLY_ONLY);
  EXPECT_EQ(terrain[4], EMapObjectType::PLAIN);
}

TEST(MapLayoutTest, RefusesABrokenLayoutSayingWhereAndWhy) {
  struct SCase {
    std::string text;
    std::vector<std::string> expected;
  };
  const std::string map = "[map]\n...\n...\n";
  const SCase cases[] = {
      {std::string(legend) + "[map]\n...\n..\n", {"line 9", "map row 1 is 2 cells wide"}},
      {std::string(legend) + "[map]\n..x\n", {"line 8", "cell (2,0)", "'x'", "not in the legend"}},
      {"[legend]\n.  lava  blocked\n" + map, {"line 2", "unknown tile kind \"lava\""}},
      {"[legend]\n.  water  plain\n" + map, {"line 2", "\"water\" is fly-only ground", "says plain"}},
      {"[legend]\n.  grass  plain\n.  path  plain\n" + map, {"line 3", "'.' is in the legend twice"}},
      {"[legend]\n.  grass\n" + map, {"line 2", "needs a kind and a terrain"}},
      {std::string(legend), {"no [map] section"}},
      {std::string(legend) + "[map]\n\n\n", {"map section is empty"}},
      {".  grass  plain\n" + map, {"line 1", "expected [legend]"}},
      {"[map]\n...\n", {"line 1", "before any legend"}},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParseMapLayout(c.text, 5);
      ADD_FAILURE() << "the layout was accepted";
    } catch (const CMapLayoutError& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find("stage 5"), std::string::npos) << message;
      for (const std::string& part : c.expected) EXPECT_NE(message.find(part), std::string::npos) << message;
    }
  }
}

TEST(MapLayoutTest, AMissingFileIsAClearError) {
  try {
    LoadMapLayout("content/maps/no-such-layout.txt", 2);
    ADD_FAILURE() << "a missing file was accepted";
  } catch (const CMapLayoutError& e) {
    EXPECT_NE(std::string(e.what()).find("no-such-layout.txt"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace contentgen::maps

#include "maps/map_csv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace contentgen::maps {
namespace {

SMapChips TwoCellMap() {
  SMapChips map(4, 2);
  map.layers[0] = {10, 11, 12, 13, 266, 267, 268, 269};
  map.layers[2][3] = 7;
  map.terrain = {258, 258, 256, 256, 258, 258, 256, 256};
  return map;
}

const char* const twoCellText =
    "4,2\n"
    "10,11,12,13\n"
    "266,267,268,269\n"
    "0\n"
    "255,255,255,255\n"
    "255,255,255,255\n"
    "0\n"
    "255,255,255,7\n"
    "255,255,255,255\n"
    "0\n"
    "258,258,256,256\n"
    "258,258,256,256\n";

TEST(MapCsvTest, WritesTheGamesLayoutAndReadsItBack) {
  EXPECT_EQ(FormatMapCsv(TwoCellMap()), twoCellText);
  EXPECT_EQ(ParseMapCsv(twoCellText, "test"), TwoCellMap());
  // Windows line ends read the same.
  std::string crlf;
  for (char c : std::string(twoCellText)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(ParseMapCsv(crlf, "test"), TwoCellMap());
}

TEST(MapCsvTest, RefusesAnythingButTheExactFormat) {
  struct SCase {
    std::string text;
    std::vector<std::string> expected;
  };
  const std::string good = twoCellText;
  auto replace = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const SCase cases[] = {
      {"\xEF\xBB\xBF" + good, {"byte order mark"}},
      {"", {"empty"}},
      {replace("4,2\n", "4\n"), {"line 0", "width and the height"}},
      {replace("4,2\n", "0,2\n"), {"line 0", "0 x 2"}},
      {replace("4,2\n", "4,3\n"), {"12 lines", "has 16"}},
      {good + "0\n", {"13 lines", "has 12"}},
      {replace("10,11,12,13\n", "10,11,12\n"), {"line 1", "3 fields, not 4"}},
      {replace("266,267,268,269\n", "266,267,268,269,270\n"), {"line 2", "5 fields"}},
      {replace("10,11,12,13\n", "10,x,12,13\n"), {"line 1", "\"x\" is not a whole number"}},
      {replace("10,11,12,13\n", "10, 11,12,13\n"), {"line 1", "\" 11\""}},
      {replace("10,11,12,13\n", "10,,12,13\n"), {"line 1", "\"\" is not a whole number"}},
      {replace("0\n255", "\n255"), {"line 3", "separator line is empty"}},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParseMapCsv(c.text, "map99.csv");
      ADD_FAILURE() << "the text was accepted";
    } catch (const CMapCsvError& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find("map99.csv"), std::string::npos) << message;
      for (const std::string& part : c.expected) EXPECT_NE(message.find(part), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace contentgen::maps

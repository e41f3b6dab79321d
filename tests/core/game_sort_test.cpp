#include "core/game_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

struct SKeyed {
  int key;
  char label;
};

std::string SortedLabels(std::vector<SKeyed> items) {
  GameSort(items.begin(), items.end(), [](const SKeyed& a, const SKeyed& b) { return a.key < b.key; });
  std::string labels;
  for (const SKeyed& item : items) labels += item.label;
  return labels;
}

TEST(GameSortTest, TiesFollowTheHandWorkedOrder) {
  // Worked through the pivot swaps by hand; a stable sort would give "bdace".
  EXPECT_EQ(SortedLabels({{1, 'a'}, {0, 'b'}, {1, 'c'}, {0, 'd'}, {1, 'e'}}), "bdcea");
  // All equal: the middle one comes first, then the rest rotate behind it.
  EXPECT_EQ(SortedLabels({{0, 'x'}, {0, 'y'}, {0, 'z'}}), "yzx");
  EXPECT_EQ(SortedLabels({{5, 'p'}, {5, 'q'}}), "qp");
  EXPECT_EQ(SortedLabels({{3, 'a'}, {1, 'b'}, {2, 'c'}}), "bca");
  EXPECT_EQ(SortedLabels({}), "");
  EXPECT_EQ(SortedLabels({{7, 'k'}}), "k");
}

TEST(GameSortTest, SortsAnyInputWithTheCallersComparison) {
  std::mt19937 random(12345);
  for (int round = 0; round < 200; ++round) {
    std::vector<int> values(random() % 40);
    for (int& v : values) v = static_cast<int>(random() % 8) - 4;  // many ties
    std::vector<int> expected = values;
    std::sort(expected.begin(), expected.end(), std::greater<>());

    GameSort(values.begin(), values.end(), std::greater<>());
    EXPECT_EQ(values, expected);
  }
}

}  // namespace

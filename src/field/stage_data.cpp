#include "field/stage_data.h"

#include <array>
#include <span>
#include <string>

namespace {

using enum ECharactor;
constexpr EDirection4 L = EDirection4::LEFT, U = EDirection4::UP, R = EDirection4::RIGHT, D = EDirection4::DOWN;

// clang-format off
constexpr std::array<SStageInfo, STAGE_COUNT> stageTable{{
  // units  name                 extra  reward value  grid line colour  map
  {  3,     "なんかの森",         "",     50,   1,     40,  40,  40,     "dat/map/map00.csv" },
  {  3,     "どこかの森",         "",     80,   1,     40,  40,  40,     "dat/map/map01.csv" },
  {  4,     "ぽろんの森",         "",    120,   2,     40,  40,  40,     "dat/map/map02.csv" },
  {  5,     "なんかの洞窟",       "",    150,   1,    150, 150, 150,     "dat/map/map03.csv" },
  {  5,     "どこかの洞窟",       "",    180,   1,    150, 150, 150,     "dat/map/map04.csv" },
  {  4,     "ぽろんの洞窟",       "",    200,   2,    150, 150, 150,     "dat/map/map05.csv" },
  {  5,     "なんかのお城",       "",    240,   1,    180, 180, 180,     "dat/map/map06.csv" },
  {  5,     "どこかのお城",       "",    280,   1,    180, 180, 180,     "dat/map/map07.csv" },
  {  5,     "ぽろんのお城",       "",    300,   2,    180, 180, 180,     "dat/map/map08.csv" },
}};

// Start cells: the i-th sortie unit takes the i-th entry.
constexpr CStartInfo starts0[] = {{{4, 7}, R}, {{3, 7}, R}, {{3, 8}, R}};
constexpr CStartInfo starts1[] = {{{14, 10}, U}, {{14, 11}, U}, {{15, 10}, U}};
constexpr CStartInfo starts2[] = {{{5, 23}, U}, {{6, 23}, U}, {{7, 23}, U}, {{8, 23}, U}};
constexpr CStartInfo starts3[] = {{{2, 20}, U}, {{3, 20}, U}, {{2, 21}, U}, {{3, 21}, U}, {{4, 21}, U}};
constexpr CStartInfo starts4[] = {{{13, 27}, U}, {{14, 27}, U}, {{13, 28}, L}, {{14, 28}, R}, {{13, 29}, D}};
constexpr CStartInfo starts5[] = {{{12, 19}, R}, {{12, 20}, R}, {{17, 19}, L}, {{17, 20}, L}};
constexpr CStartInfo starts6[] = {{{18, 24}, U}, {{19, 24}, U}, {{18, 25}, U}, {{19, 25}, U}, {{20, 25}, U}};
constexpr CStartInfo starts7[] = {{{14, 12}, L}, {{14, 13}, L}, {{17, 10}, U}, {{17, 15}, D}, {{20, 12}, L}};
constexpr CStartInfo starts8[] = {{{1, 17}, R}, {{2, 17}, R}, {{3, 17}, R}, {{1, 18}, R}, {{2, 18}, R}};

// Enemies: kind, rank, cell, search range, weapon (0 = the kind's own).
constexpr CEnemyInfo enemies0[] = {
  {SLIME,            0, { 8,  4}, 12},
  {SLIME,            0, { 4,  5}, 12},
  {SLIME,            0, {12, 12}, 12},
  {SLIME,            0, {13,  7}, 12},
  {SLIME,            1, {15,  2}, 12},
};
constexpr CEnemyInfo enemies1[] = {
  {SLIME_RED,        0, {13,  6}, 15},
  {SLIME_YELLOW,     0, {12,  6}, 15},
  {SLIME,            0, {13,  8}, 15},
  {SLIME_YELLOW,     0, { 5, 11}, 15},
  {SLIME_RED,        0, { 1, 11}, 15},
  {KOBOLD,           0, { 6,  5}, 15, 2},
  {FAIRY,            0, { 3,  7}, 12, 7},
};
constexpr CEnemyInfo enemies2[] = {
  {KOBOLD,           0, {12, 14}, 15},
  {SLIME,            1, { 4, 11}, 15},
  {SLIME,            1, { 5, 11}, 15},
  {SLIME_RED,        0, {13,  3}, 12},
  {SLIME_YELLOW,     0, {11, 10}, 15},
  {FAIRY,            0, { 3,  3}, 15},
  {SPIRIT_OF_FIRE,   0, { 6,  4}, 15},
};
constexpr CEnemyInfo enemies3[] = {
  {KOBOLD,           0, { 6, 17}, 15},
  {SLIME_RED,        1, { 6, 18}, 15},
  {KOBOLD,           0, {11, 16}, 15},
  {SPIRIT_OF_WATER,  0, {13, 17}, 15},
  {KOBOLD,           0, {10,  9},  6, 5},
  {KOBOLD,           0, {12,  7},  9, 7},
  {SPIRIT_OF_FOREST, 0, {10,  7},  6},
  {SLIME_YELLOW,     0, { 4,  6}, 12},
  {SLIME,            0, {17,  6}, 12},
};
constexpr CEnemyInfo enemies4[] = {
  {KOBOLD,           0, {14, 34},  8},
  {SLIME_RED,        1, {13, 34},  8},
  {SNAKE,            0, { 6, 25}, 25},
  {SNAKE,            0, {20, 21}, 32},
  {KOBOLD,           0, {12, 15}, 11, 7},
  {KOBOLD,           1, {15, 15},  8, 2},
  {SPIRIT_OF_WATER,  0, {13, 12},  8},
  {OGRE,             0, {17, 10},  4, 2},
  {SPIRIT_OF_FOREST, 0, {17,  6}, 12},
  {FAIRY,            0, { 6, 11}, 13, 7},
  {SPIRIT_OF_FIRE,   0, {11,  7}, 10},
};
constexpr CEnemyInfo enemies5[] = {
  {SPIRIT_OF_FIRE,   1, { 3,  9},  5},
  {KOBOLD,           1, { 3, 13},  5},
  {SPIRIT_OF_WATER,  1, {26,  9},  5},
  {OGRE,             1, {26, 13},  5},
  {FAIRY,            1, { 8,  4}, 10},
  {KOBOLD,           0, {11,  3},  8, 7},
  {KOBOLD,           0, {18,  3},  8, 7},
  {SLIME_YELLOW,     1, {17,  8},  6},
  {SLIME,            1, {17,  9},  6},
  {SLIME_RED,        1, {17, 10},  6},
};
constexpr CEnemyInfo enemies6[] = {
  {KOBOLD,           2, {18, 13},  8, 3},
  {SLIME,            2, {19, 13},  8},
  {KOBOLD,           1, {20, 13},  8, 7},
  {SPIRIT_OF_WATER,  1, {20,  5},  8},
  {SPIRIT_OF_RAY,    1, {13, 11},  5},
  {SPIRIT_OF_RAY,    0, { 6,  4},  5},
  {SLIME_RED,        2, { 8, 19},  8},
  {OGRE,             1, {12, 20},  6},
  {KOBOLD,           1, { 6, 10}, 10, 7},
  {SPIRIT_OF_FIRE,   0, { 6, 12}, 10},
  {FAIRY,            1, { 4, 15}, 10, 7},
};
constexpr CEnemyInfo enemies7[] = {
  {OGRE,             2, {17, 20},  3},
  {OGRE,             2, {17, 21},  3},
  {SPIRIT_OF_FOREST, 1, {19, 24},  6},
  {KOBOLD,           2, { 9, 14}, 10, 3},
  {KOBOLD,           2, { 3, 17}, 13, 7},
  {SPIRIT_OF_FOREST, 2, { 5, 17},  9},
  {SPIRIT_OF_WATER,  1, {10, 20},  8},
  {SPIRIT_OF_FIRE,   1, { 4, 24},  8},
  {SNAKE,            1, { 4,  3}, 17},
  {SLIME_RED,        2, {18,  4}, 15},
  {SLIME_YELLOW,     2, {17,  4}, 15},
  {OGRE,             2, {25, 16}, 10},
  {FAIRY,            1, {26,  4}, 20},
  {SPIRIT_OF_RAY,    1, {25, 10}, 10},
};
constexpr CEnemyInfo enemies8[] = {
  {SLIME,            2, { 5, 16}, 10},
  {SLIME_YELLOW,     2, { 6, 16}, 10},
  {SLIME,            2, { 6, 17}, 10},
  {SLIME_RED,        2, { 6, 18}, 10},
  {SLIME,            2, { 5, 18}, 10},
  {DAEMON,           0, { 7, 11}, 15},
  {DAEMON,           2, {17,  7}, 15},
  {DAEMON,           1, { 6,  3}, 15},
  {SPIRIT_OF_FOREST, 1, { 2,  7}, 15},
  {SPIRIT_OF_FOREST, 1, {15, 10}, 10},
  {SPIRIT_OF_FOREST, 1, {16, 10}, 10},
  {OGRE,             2, {15, 13},  4},
  {OGRE,             2, {16, 13},  4},
  {SPIRIT_OF_FIRE,   1, {14,  8}, 15},
};
// clang-format on

constexpr std::array<std::span<const CStartInfo>, STAGE_COUNT> startLists{
    starts0, starts1, starts2, starts3, starts4, starts5, starts6, starts7, starts8};
constexpr std::array<std::span<const CEnemyInfo>, STAGE_COUNT> enemyLists{
    enemies0, enemies1, enemies2, enemies3, enemies4, enemies5, enemies6, enemies7, enemies8};

void CheckStage(int stage) {
  if (stage < 0 || stage >= STAGE_COUNT) throw CNoSuchStageError(stage);
}

}  // namespace

CNoSuchStageError::CNoSuchStageError(int stage)
    : std::runtime_error("stage " + std::to_string(stage) + " does not exist; stages are numbered 0 to " +
                         std::to_string(STAGE_COUNT - 1)) {}

const SStageInfo& GetStageInfo(int stage) {
  CheckStage(stage);
  return stageTable[stage];
}

CZoneInfo GetStageData(int stage) {
  CheckStage(stage);
  CZoneInfo zone;
  zone.name = stageTable[stage].name;
  zone.csvPath = stageTable[stage].csvPath;
  zone.mapchipPath = MAPCHIP_PATH;
  zone.enemies.assign(enemyLists[stage].begin(), enemyLists[stage].end());
  zone.starts.assign(startLists[stage].begin(), startLists[stage].end());
  return zone;
}

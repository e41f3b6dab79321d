// The nine stages: which map each is fought on, where the party starts,
// which enemies wait where, and the small stage table of names and rewards.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "core/direction.h"
#include "core/geometry.h"
#include "field/charactor.h"

constexpr int STAGE_COUNT = 9;
// Every stage draws its map from this one chip sheet.
inline constexpr const char* MAPCHIP_PATH = "dat/image/mapchip/mapchip.png";

// Where the i-th sortie unit stands and which way it faces.
struct CStartInfo {
  SPoint grid;
  EDirection4 direction = EDirection4::DOWN;

  constexpr CStartInfo() = default;
  constexpr CStartInfo(SPoint grid_, EDirection4 direction_) : grid(grid_), direction(direction_) {}
};

// One enemy of a stage. searchRange goes to the unit's AI; weapon is an
// EWeaponType value, 0 keeping the kind's own weapon.
struct CEnemyInfo {
  ECharactor charactor = ECharactor::SLIME;
  int rank = 0;
  SPoint grid;
  int searchRange = 0;
  int weapon = 0;

  constexpr CEnemyInfo() = default;
  constexpr CEnemyInfo(ECharactor charactor_, int rank_, SPoint grid_, int searchRange_, int weapon_ = 0)
      : charactor(charactor_), rank(rank_), grid(grid_), searchRange(searchRange_), weapon(weapon_) {}
};

struct CZoneInfo {
  std::string name;
  std::string csvPath;
  std::string mapchipPath;
  std::vector<CEnemyInfo> enemies;
  std::vector<CStartInfo> starts;
};

// One row of the stage table. extraText and value are kept with the stage
// although no battle rule reads them.
struct SStageInfo {
  int maxUnits;
  const char* name;
  const char* extraText;
  int reward;
  int value;
  int gridLineR, gridLineG, gridLineB;
  const char* csvPath;
};

class CNoSuchStageError : public std::runtime_error {
 public:
  explicit CNoSuchStageError(int stage);
};

// The stage table row of a stage; throws CNoSuchStageError outside 0..8.
const SStageInfo& GetStageInfo(int stage);

// A fresh description of a stage; throws CNoSuchStageError outside 0..8.
CZoneInfo GetStageData(int stage);

#include "field/terrain.h"

int TerrainCost(EMapObjectType type, bool flying) {
  switch (type) {
    case EMapObjectType::PLAIN:
    case EMapObjectType::FLY_ONLY:
      return 1;
    case EMapObjectType::ROUGH:
      return flying ? 1 : 2;
    case EMapObjectType::BLOCKED:
      break;
  }
  return 100;
}

bool IsEnterable(EMapObjectType type, bool flying) {
  switch (type) {
    case EMapObjectType::PLAIN:
    case EMapObjectType::ROUGH:
      return true;
    case EMapObjectType::FLY_ONLY:
      return flying;
    case EMapObjectType::BLOCKED:
      break;
  }
  return false;
}

std::optional<EMapObjectType> TerrainFromCode(int code) {
  switch (code) {
    case TERRAIN_CODE_EMPTY:
      return std::nullopt;
    case 1:
    case TERRAIN_CHIP_PLAIN:
      return EMapObjectType::PLAIN;
    case 2:
    case TERRAIN_CHIP_ROUGH:
      return EMapObjectType::ROUGH;
    case 3:
    case TERRAIN_CHIP_FLY_ONLY:
      return EMapObjectType::FLY_ONLY;
    default:
      return EMapObjectType::BLOCKED;
  }
}

int TerrainMarkerChip(EMapObjectType type) {
  switch (type) {
    case EMapObjectType::PLAIN:
      return TERRAIN_CHIP_PLAIN;
    case EMapObjectType::ROUGH:
      return TERRAIN_CHIP_ROUGH;
    case EMapObjectType::FLY_ONLY:
      return TERRAIN_CHIP_FLY_ONLY;
    case EMapObjectType::BLOCKED:
      break;
  }
  return TERRAIN_CHIP_BLOCKED;
}

const char* TerrainName(EMapObjectType type) {
  switch (type) {
    case EMapObjectType::PLAIN:
      return "PLAIN";
    case EMapObjectType::ROUGH:
      return "ROUGH";
    case EMapObjectType::FLY_ONLY:
      return "FLY_ONLY";
    case EMapObjectType::BLOCKED:
      break;
  }
  return "BLOCKED";
}

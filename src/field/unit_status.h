// A unit's nine parameters and its timed status effects.
#pragma once

#include <optional>
#include <string_view>

enum class EStatusType : int { HP = 0, MP = 1, STR = 2, VIT = 3, DEX = 4, AGI = 5, INT = 6, WT = 7, MOVE = 8 };
constexpr int STATUS_TYPE_COUNT = 9;

// The member name ("HP", "MOVE"): data files and pane names use it.
const char* ToString(EStatusType status);
// Accepts exactly the nine member names.
std::optional<EStatusType> TryParseStatusType(std::string_view text);
// As TryParseStatusType; throws std::runtime_error naming the text otherwise.
EStatusType ParseStatusType(std::string_view text);

// What the camp and the status windows say about a parameter.
struct SStatusTypeInfo {
  const char* name;
  const char* help;
};
extern const SStatusTypeInfo statusTypeTable[STATUS_TYPE_COUNT];

enum class EExtState : int {
  POISON = 0,
  SLOW = 1,
  FAST = 2,
  MOVE_DOWN = 3,
  MOVE_UP = 4,
  PROVOCATION = 5,
  CONCENTRATE = 6,
};
constexpr int EXT_STATE_COUNT = 7;

struct SExtStateInfo {
  const char* name;
  const char* icon;  // under dat/image/
};
extern const SExtStateInfo extStateTable[EXT_STATE_COUNT];

// Throws std::runtime_error for a value outside the table (a damaged save).
const SExtStateInfo& GetExtStateInfo(EExtState state);

// One timed effect on a unit; it counts down at the end of the unit's own turns.
struct CUnitExtState {
  int turns = 0;
  EExtState type = EExtState::POISON;

  CUnitExtState() = default;
  CUnitExtState(int turns_, EExtState type_) : turns(turns_), type(type_) {}
  bool operator==(const CUnitExtState&) const = default;
};

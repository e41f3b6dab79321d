// How a party member is kept in a save: the unit record, its undo steps and
// its timed effects, under the names and tags the save files carry.
#pragma once

#include <string_view>

#include "field/unit.h"
#include "persist/class_register.h"

template <>
struct SerialTraits<CUnit> {
  static constexpr std::string_view kName = "Ziki.CUnit";
  // The battle-only parts (stage, actor, AI) are never saved.
  static void Describe(Serializer& ar, CUnit& unit);
};

template <>
struct SerialTraits<CInfoBeforeMove> {
  static constexpr std::string_view kName = "Ziki.CInfoBeforeMove";
  static void Describe(Serializer& ar, CInfoBeforeMove& step);
};

template <>
struct SerialTraits<CUnitExtState> {
  static constexpr std::string_view kName = "Ziki.CUnitExtState";
  static void Describe(Serializer& ar, CUnitExtState& state);
};

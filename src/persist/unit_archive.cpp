#include "persist/unit_archive.h"

#include "persist/serializer.h"

void SerialTraits<CUnit>::Describe(Serializer& ar, CUnit& unit) {
  ar.Describe(unit.id);
  ar.Describe(unit.key);
  ar.Describe(unit.charactor);
  ar.Describe(unit.direction);
  ar.Describe(unit.grid);
  ar.Describe(unit.wtCount);
  ar.Describe(unit.team);
  ar.Describe(unit.moved);
  ar.Describe(unit.acted);
  ar.Describe(unit.moveHistory);
  ar.Describe(unit.mpRecovered);
  ar.Describe(unit.onStage);
  ar.Describe(unit.name);
  ar.Describe(unit.spriteIndex);
  ar.Describe(unit.rank);
  ar.Describe(unit.skillPoint);
  ar.Describe(unit.hp);
  ar.Describe(unit.maxHp);
  ar.Describe(unit.mp);
  ar.Describe(unit.maxMp);
  ar.Describe(unit.move);
  ar.Describe(unit.wt);
  ar.Describe(unit.str);
  ar.Describe(unit.vit);
  ar.Describe(unit.dex);
  ar.Describe(unit.agi);
  ar.Describe(unit.intelligence);
  ar.Describe(unit.flying);
  ar.Describe(unit.extStates);
  ar.Describe(unit.weapon);
  ar.Describe(unit.skills);
}

void SerialTraits<CInfoBeforeMove>::Describe(Serializer& ar, CInfoBeforeMove& step) {
  // The file keeps the position first, the facing second.
  ar.Describe(step.grid);
  ar.Describe(step.direction);
}

void SerialTraits<CUnitExtState>::Describe(Serializer& ar, CUnitExtState& state) {
  ar.Describe(state.turns);
  ar.Describe(state.type);
}

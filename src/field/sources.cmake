# Sources of src/field (explicit list, no globbing): the rules of the battle
# field — units and their tables, the map and stage data, movement searches,
# the turn order, timed effects on units, and the battlefield the battle
# scene builds on
list(APPEND QUORVANE_SOURCES
  src/field/unit.cpp
  src/field/unit_status.cpp
  src/field/unit_tables.cpp
  src/field/status_effect.cpp
  src/field/stage_data.cpp
  src/field/terrain.cpp
  src/field/geographical_features.cpp
  src/field/traverse.cpp
  src/field/turn_order.cpp
  src/field/enemy.cpp
  src/field/emotion.cpp
  src/field/battlefield.cpp
)

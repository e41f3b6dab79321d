# Sources of src/battle (explicit list, no globbing): units and their tables,
# the map and stage data, movement searches, the turn order, and the battle
# scene with its strategies and map actors
list(APPEND QUORVANE_SOURCES
  src/battle/unit.cpp
  src/battle/unit_status.cpp
  src/battle/unit_tables.cpp
  src/battle/stage_data.cpp
  src/battle/terrain.cpp
  src/battle/geographical_features.cpp
  src/battle/traverse.cpp
  src/battle/turn_order.cpp
  src/battle/enemy.cpp
  src/battle/emotion.cpp
  src/battle/cursor.cpp
  src/battle/stage.cpp
  src/battle/stage_strategies.cpp
  src/battle/announce.cpp
  src/battle/unit_command.cpp
  src/battle/unit_command_ai.cpp
  src/battle/unit_ai.cpp
  src/battle/facing_arrow.cpp
  src/battle/unit_order_window.cpp
)

# The battle scene and its map actors
list(APPEND QUORVANE_SOURCES
  src/battle/enemy.cpp
  src/battle/cursor.cpp
  src/battle/stage.cpp
  src/battle/stage_strategies.cpp
  src/battle/unit_order_window.cpp
)

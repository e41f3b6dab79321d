list(APPEND QUORVANE_SOURCES
  src/battle/stage_data.cpp
  src/battle/terrain.cpp
)

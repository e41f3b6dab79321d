# The battle map and the movement searches over it (explicit list, no globbing)
list(APPEND QUORVANE_SOURCES
  src/battle/geographical_features.cpp
  src/battle/traverse.cpp
)

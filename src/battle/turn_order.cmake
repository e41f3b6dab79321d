# The turn order of a battle (explicit list, no globbing)
list(APPEND QUORVANE_SOURCES
  src/battle/turn_order.cpp
)

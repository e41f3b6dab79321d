# The unit record and its tables (explicit list, no globbing)
list(APPEND QUORVANE_SOURCES
  src/battle/unit.cpp
  src/battle/unit_status.cpp
  src/battle/unit_tables.cpp
)

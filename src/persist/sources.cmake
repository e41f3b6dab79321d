list(APPEND QUORVANE_SOURCES
  src/persist/option_info.cpp
)

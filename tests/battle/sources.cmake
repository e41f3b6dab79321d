list(APPEND QUORVANE_TEST_SOURCES
  tests/battle/stage_data_test.cpp
  tests/battle/terrain_test.cpp
)

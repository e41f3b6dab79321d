list(APPEND QUORVANE_TEST_SOURCES
  tests/battle/enemy_test.cpp
  tests/battle/stage_test.cpp
)

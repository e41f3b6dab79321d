list(APPEND QUORVANE_TEST_SOURCES
  tests/game/main_loop_test.cpp
)

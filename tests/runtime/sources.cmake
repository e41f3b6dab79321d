list(APPEND QUORVANE_TEST_SOURCES
  tests/runtime/gamelib_test.cpp
)

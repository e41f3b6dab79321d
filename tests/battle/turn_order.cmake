list(APPEND QUORVANE_TEST_SOURCES
  tests/battle/turn_order_test.cpp
)

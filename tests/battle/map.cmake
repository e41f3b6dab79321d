list(APPEND QUORVANE_TEST_SOURCES
  tests/battle/geographical_features_test.cpp
  tests/battle/traverse_test.cpp
)

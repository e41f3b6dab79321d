list(APPEND QUORVANE_TEST_SOURCES
  tests/core/geometry_test.cpp
  tests/core/direction_test.cpp
  tests/core/random_test.cpp
  tests/core/color_test.cpp
  tests/core/wrap_text_test.cpp
  tests/core/game_sort_test.cpp
  tests/core/map_grid_test.cpp
)

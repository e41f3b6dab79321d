list(APPEND QUORVANE_TEST_SOURCES
  tests/scenes/scene_title_test.cpp
)

list(APPEND QUORVANE_TEST_SOURCES
  tests/game/main_loop_test.cpp
  tests/game/main_loop_battle_test.cpp
  tests/game/screenshot_test.cpp
  tests/game/fonts_test.cpp
)

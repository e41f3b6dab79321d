list(APPEND QUORVANE_TEST_SOURCES
  tests/runtime/gamelib_test.cpp
  tests/runtime/fps_timer_test.cpp
  tests/runtime/scene_test.cpp
  tests/runtime/key_manager_test.cpp
  tests/runtime/key_repeat_test.cpp
)

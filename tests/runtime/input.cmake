list(APPEND QUORVANE_TEST_SOURCES
  tests/runtime/key_manager_test.cpp
  tests/runtime/key_repeat_test.cpp
)

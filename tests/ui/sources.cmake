list(APPEND QUORVANE_TEST_SOURCES
  tests/ui/dialog_test.cpp
  tests/ui/menu_dialog_test.cpp
  tests/ui/window_colours_test.cpp
)

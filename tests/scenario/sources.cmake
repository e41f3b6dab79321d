list(APPEND QUORVANE_TEST_SOURCES
  tests/scenario/event_script_test.cpp
  tests/scenario/events_test.cpp
  tests/scenario/event_say_test.cpp
  tests/scenario/event_strategy_test.cpp
)

list(APPEND QUORVANE_TEST_SOURCES
  tests/battle/stage_test.cpp
  tests/battle/unit_action_test.cpp
  tests/battle/unit_command_test.cpp
  tests/battle/unit_ai_test.cpp
  tests/battle/announce_test.cpp
  tests/battle/battle_windows_test.cpp
)

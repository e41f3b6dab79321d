list(APPEND QUORVANE_TEST_SOURCES
  tests/battle/unit_test.cpp
  tests/battle/unit_tables_test.cpp
  tests/battle/stage_data_test.cpp
  tests/battle/terrain_test.cpp
  tests/battle/geographical_features_test.cpp
  tests/battle/traverse_test.cpp
  tests/battle/turn_order_test.cpp
  tests/battle/enemy_test.cpp
  tests/battle/emotion_test.cpp
  tests/battle/stage_test.cpp
  tests/battle/unit_command_test.cpp
  tests/battle/unit_ai_test.cpp
  tests/battle/announce_test.cpp
)

list(APPEND QUORVANE_TEST_SOURCES
  tests/field/unit_test.cpp
  tests/field/unit_tables_test.cpp
  tests/field/status_effect_test.cpp
  tests/field/stage_data_test.cpp
  tests/field/terrain_test.cpp
  tests/field/geographical_features_test.cpp
  tests/field/traverse_test.cpp
  tests/field/turn_order_test.cpp
  tests/field/enemy_test.cpp
  tests/field/emotion_test.cpp
)

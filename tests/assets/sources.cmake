list(APPEND QUORVANE_TEST_SOURCES
  tests/assets/resource_collector_test.cpp
  tests/assets/image_manager_test.cpp
  tests/assets/sound_manager_test.cpp
  tests/assets/unit_sprites_test.cpp
)

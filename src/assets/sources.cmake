# Sources of src/assets (explicit list, no globbing)
list(APPEND QUORVANE_SOURCES
  src/assets/resource_collector.cpp
  src/assets/image_manager.cpp
  src/assets/sound_manager.cpp
  src/assets/unit_sprites.cpp
)

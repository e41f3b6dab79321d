list(APPEND QUORVANE_SOURCES
  src/scenes/scene_title.cpp
)

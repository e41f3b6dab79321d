# Sources of src/runtime (explicit list, no globbing): scenes, frame timer,
# error log, logical keys with push detection and repeat
list(APPEND QUORVANE_SOURCES
  src/runtime/scene.cpp
  src/runtime/fps_timer.cpp
  src/runtime/error_log.cpp
  src/runtime/key_manager.cpp
  src/runtime/key_repeat.cpp
)

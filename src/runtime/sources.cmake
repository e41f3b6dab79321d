# Sources of src/runtime (main loop, scenes, frame timer, error log, globals)
list(APPEND QUORVANE_SOURCES
  src/runtime/scene.cpp
  src/runtime/fps_timer.cpp
  src/runtime/error_log.cpp
  src/runtime/globals.cpp
  src/runtime/main_loop.cpp
  src/runtime/game_main.cpp
)

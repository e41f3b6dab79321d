# Sources of src/game (explicit list, no globbing): program entry, the global
# objects, start-up order and the main loop
list(APPEND QUORVANE_SOURCES
  src/game/globals.cpp
  src/game/main_loop.cpp
  src/game/screenshot.cpp
  src/game/toast.cpp
  src/game/game_main.cpp
)

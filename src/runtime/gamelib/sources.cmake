# The game library layer (the only code that includes SDL headers)
list(APPEND GAMELIB_SOURCES
  src/runtime/gamelib/gamelib_core.cpp
  src/runtime/gamelib/gamelib_draw.cpp
  src/runtime/gamelib/gamelib_text.cpp
  src/runtime/gamelib/gamelib_sound.cpp
)

# Logical keys, push detection and key repeat
list(APPEND QUORVANE_SOURCES
  src/runtime/key_manager.cpp
  src/runtime/key_repeat.cpp
)

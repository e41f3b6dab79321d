# Sources of src/core (explicit list, no globbing)
list(APPEND QUORVANE_SOURCES
  src/core/direction.cpp
  src/core/random.cpp
  src/core/color.cpp
  src/core/wrap_text.cpp
)

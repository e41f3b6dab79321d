# Sources of src/gfx (explicit list, no globbing)
list(APPEND QUORVANE_SOURCES
  src/gfx/draw_data.cpp
  src/gfx/draw_queue.cpp
  src/gfx/actor.cpp
  src/gfx/stage_actor.cpp
  src/gfx/draw_strategy.cpp
  src/gfx/time_limit_object.cpp
)

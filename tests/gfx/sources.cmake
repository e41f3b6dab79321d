list(APPEND QUORVANE_TEST_SOURCES
  tests/gfx/draw_data_test.cpp
  tests/gfx/draw_queue_test.cpp
  tests/gfx/actor_test.cpp
  tests/gfx/stage_actor_test.cpp
  tests/gfx/draw_strategy_test.cpp
  tests/gfx/time_limit_object_test.cpp
)

list(APPEND QUORVANE_BENCH_SOURCES
  bench/bench_main.cpp
  bench/frame_share.cpp
  bench/frame_bench.cpp
  bench/draw_queue_bench.cpp
  bench/traverse_bench.cpp
  bench/battle_bench.cpp
)

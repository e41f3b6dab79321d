list(APPEND QUORVANE_BENCH_SOURCES
  bench/draw_queue_bench.cpp
)

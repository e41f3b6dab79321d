list(APPEND QUORVANE_BENCH_SOURCES
  bench/bench_main.cpp
  bench/frame_bench.cpp
)

list(APPEND QUORVANE_BENCH_SOURCES
  bench/traverse_bench.cpp
)

list(APPEND QUORVANE_BENCH_SOURCES
  bench/traverse_bench.cpp
  bench/battle_bench.cpp
)

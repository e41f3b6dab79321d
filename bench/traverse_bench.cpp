// The movement search on the largest battle map: a unit with a huge move in
// the middle of open ground with scattered rough cells and walls.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "battle/stage.h"
#include "field/geographical_features.h"
#include "field/traverse.h"

namespace {

constexpr int MAP_WIDTH = 54;   // grid cells
constexpr int MAP_HEIGHT = 70;

class CBenchStage : public CStage {
 public:
  CBenchStage() {
    const auto path = std::filesystem::temp_directory_path() /
                      ("quorvane_traverse_bench_" + std::to_string(::getpid()) + ".csv");
    {
      const int w = MAP_WIDTH * 2;
      const int h = MAP_HEIGHT * 2;
      std::ofstream out(path);
      out << w << "," << h << "\n";
      for (int block = 0; block < 4; ++block) {
        if (block > 0) out << "\n";
        for (int r = 0; r < h; ++r) {
          for (int c = 0; c < w; ++c) {
            int value = 255;
            if (block == 3) {
              const int x = c / 2;
              const int y = r / 2;
              value = (x * 7 + y * 3) % 11 == 0 ? 256 : (x + y * 5) % 7 == 0 ? 768 : 258;
            }
            out << (c ? "," : "") << value;
          }
          out << "\n";
        }
      }
    }
    map = std::make_unique<CGeographicalFeatures>(*this, 0u, 320.0, 240.0, 256, 32, "no/such/mapchip.png");
    map->LoadMapCsv(path.string());
    std::filesystem::remove(path);
  }
  CGeographicalFeatures* GetMap() const override { return map.get(); }

  std::unique_ptr<CGeographicalFeatures> map;
};

void BM_TraverseMove32LargestMap(benchmark::State& state) {
  CBenchStage stage;
  const SPoint origin(MAP_WIDTH / 2, MAP_HEIGHT / 2);
  for (auto _ : state) {
    CTraverseInfo info = GetTraverseInfo(stage, origin, 32, false, true, 0);
    benchmark::DoNotOptimize(info.grids.data());
  }
}
BENCHMARK(BM_TraverseMove32LargestMap)->Unit(benchmark::kMillisecond);

}  // namespace

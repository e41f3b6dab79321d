// The battle's per-frame drawing: 500 unit-sized sprites queued and flushed
// through the draw queue.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/draw_queue.h"
#include "runtime/gamelib/gamelib.h"

namespace {

constexpr int kSprites = 500;

struct SQueuedSprite {
  SPointD position;
  SDrawData data;
};

// A battle-like mix: mostly plain walking units, some translucent trail
// copies, a few rotated effects. Positions come from a fixed sequence.
std::vector<SQueuedSprite> MakeSprites(const std::vector<int>& cells) {
  std::vector<SQueuedSprite> sprites;
  std::uint32_t seed = 12345;
  auto next = [&seed](std::uint32_t n) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % n;
  };
  for (int i = 0; i < kSprites; ++i) {
    const int first = static_cast<int>(next(static_cast<std::uint32_t>(cells.size())));
    SDrawData d(cells[first]);
    for (int k = 1; k < 4; ++k) d.AddImage(cells[(first + k) % cells.size()]);
    d.frameWait = 12;
    d.SetImageSize(32, 32);
    d.SetSize(32, 32);
    if (i % 10 == 0) d.SetAlpha(100 + next(155));
    if (i % 20 == 1) {
      d.SetRotate(true);
      d.SetAngle(next(360));
    }
    sprites.push_back({{static_cast<double>(next(640)), static_cast<double>(next(480))}, d});
  }
  return sprites;
}

void QueueAll(CDrawDataQueue& queue, const std::vector<SQueuedSprite>& sprites) {
  for (const SQueuedSprite& s : sprites) queue.Add(s.position, s.data, LayerPriority(LAYER_UNIT, s.position.y));
}

// Queue, sort and draw on the real (offscreen) renderer. The frame is
// presented inside the timing because the renderer may hold back its work
// until then.
void BM_DrawQueueFlush500Sprites(benchmark::State& state) {
  SetGraphMode(640, 480, 32, 60);
  if (GameLib_Init() != 0) {
    state.SkipWithError(GameLib_GetLastError());
    return;
  }
  SetTransColor(255, 0, 255);
  SetDrawScreen(DX_SCREEN_BACK);
  for (int i = 0; i < 16; ++i) {
    DrawBox((i % 4) * 32, (i / 4) * 32, (i % 4) * 32 + 32, (i / 4) * 32 + 32, GetColor(40 + i * 12, 200 - i * 9, 90),
            TRUE);
    DrawBox((i % 4) * 32 + 8, (i / 4) * 32, (i % 4) * 32 + 24, (i / 4) * 32 + 8, GetColor(255, 0, 255), TRUE);
  }
  const std::string sheet = (std::filesystem::temp_directory_path() / "quorvane_bench_sprites.png").string();
  SaveScreenshot(sheet.c_str());
  std::vector<int> cells(16);
  LoadDivGraph(sheet.c_str(), 16, 4, 4, 32, 32, cells.data());
  std::filesystem::remove(sheet);

  const std::vector<SQueuedSprite> sprites = MakeSprites(cells);
  CDrawDataQueue queue;
  for (auto _ : state) {
    ClsDrawScreen();
    QueueAll(queue, sprites);
    queue.Flush();
    ScreenFlip();
  }
  state.SetItemsProcessed(state.iterations() * kSprites);
  GameLib_End();
}
BENCHMARK(BM_DrawQueueFlush500Sprites)->Unit(benchmark::kMicrosecond);

// The queue's own share: copying, sorting and dispatching the records, with
// the library not started so that the draw calls return at once.
void BM_DrawQueueSort500Records(benchmark::State& state) {
  std::vector<int> cells(16);
  for (int i = 0; i < 16; ++i) cells[i] = i + 1;
  const std::vector<SQueuedSprite> sprites = MakeSprites(cells);
  CDrawDataQueue queue;
  for (auto _ : state) {
    QueueAll(queue, sprites);
    queue.Flush();
  }
  state.SetItemsProcessed(state.iterations() * kSprites);
}
BENCHMARK(BM_DrawQueueSort500Records)->Unit(benchmark::kMicrosecond);

}  // namespace

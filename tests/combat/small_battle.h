// A battle on a map drawn as text, one character per grid cell ('.' plain,
// '#' blocked), with units placed by hand and the game's random numbers
// seeded; nothing is drawn, so no library is needed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "assets/temp_tree.h"
#include "battle/enemy.h"
#include "battle/geographical_features.h"
#include "battle/stage.h"
#include "battle/unit.h"
#include "core/random.h"
#include "runtime/globals.h"

class CSmallBattle : public CStage {
 public:
  explicit CSmallBattle(const std::vector<std::string>& rows, std::uint32_t seed = 1) {
    gameRandom = std::make_unique<CRandom>(seed);
    effectRandom = std::make_unique<CRandom>(seed);
    InstallUnitActorMaker();
    // Every grid is 2 x 2 chips.
    const int w = static_cast<int>(rows.front().size()) * 2;
    const int h = static_cast<int>(rows.size()) * 2;
    std::string text = std::to_string(w) + "," + std::to_string(h) + "\n";
    for (int block = 0; block < 4; ++block) {
      if (block > 0) text += "\n";
      for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
          const char ch = rows[static_cast<std::size_t>(r / 2)][static_cast<std::size_t>(c / 2)];
          const int value = block < 3 ? 255 : ch == '#' ? 0 : 1;
          text += (c ? "," : "") + std::to_string(value);
        }
        text += "\n";
      }
    }
    tree.Write("map.csv", text);
    map = std::make_unique<CGeographicalFeatures>(*this, 0u, 320.0, 240.0, 256, 32, "no/such/mapchip.png");
    map->LoadMapCsv(tree.Path("map.csv"));
  }
  ~CSmallBattle() override {
    // The action (and the retired one) let go of their sprites while the
    // units they name still live.
    SetStrategy(nullptr);
    SetStrategy(nullptr);
    ClearActors();
  }

  // A unit of `charactor` on `grid`, rank 0, in the turn order after the others.
  CUnit& Add(ECharactor charactor, int team, SPoint grid, EDirection4 facing = EDirection4::DOWN) {
    owned.push_back(std::make_unique<CUnit>(charactor, team, grid));
    CUnit& unit = *owned.back();
    unit.InitByCharactor();
    unit.CreateActor(*this);
    unit.SetDirection(facing);
    AddUnitActor(dynamic_cast<CEnemy*>(unit.actor.get()));
    state.units.push_back(&unit);
    return unit;
  }

  // Frames until `done` holds (at most `limit`); the count, or -1.
  template <class Done>
  int RunUntil(Done done, int limit = 400) {
    for (int frame = 1; frame <= limit; ++frame) {
      Update();
      if (done()) return frame;
    }
    return -1;
  }

  CTempTree tree{"small_battle"};
  std::vector<std::unique_ptr<CUnit>> owned;
};

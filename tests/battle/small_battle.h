// A battle on a map drawn as text (field/text_map.h: '.' plain, '#' wall),
// with units placed by hand and the game's random numbers seeded; nothing
// is drawn, so no library is needed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "assets/temp_tree.h"
#include "battle/stage.h"
#include "core/random.h"
#include "field/enemy.h"
#include "field/geographical_features.h"
#include "field/text_map.h"
#include "field/unit.h"
#include "runtime/globals.h"

class CSmallBattle : public CStage {
 public:
  explicit CSmallBattle(const std::vector<std::string>& rows, std::uint32_t seed = 1) {
    gameRandom = std::make_unique<CRandom>(seed);
    effectRandom = std::make_unique<CRandom>(seed);
    InstallUnitActorMaker();
    tree.Write("map.csv", MapCsvFromRows(rows));
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

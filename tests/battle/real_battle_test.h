// A test suite that builds battles of the real stages: the game library
// runs headless with the fonts, pictures, unit sheets and silent sound, the
// random generators are seeded, and a party of a new game stands ready.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "assets/image_manager.h"
#include "assets/sound_manager.h"
#include "assets/unit_sprites.h"
#include "core/random.h"
#include "field/unit.h"
#include "game/main_loop.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"

class RealBattleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetGraphMode(640, 480, 32, 60);
    ASSERT_EQ(GameLib_Init(), 0) << GameLib_GetLastError();
    SetTransColor(255, 0, 255);
    SetDrawMode(DX_DRAWMODE_BILINEAR);
    CreateFonts();
    imageManager = std::make_unique<CImageManager>();
    LoadUnitSprites();
    soundManager = std::make_unique<CSoundManager>(false);
    gameRandom = std::make_unique<CRandom>(1);
    effectRandom = std::make_unique<CRandom>(1);
  }
  static void TearDownTestSuite() {
    soundManager.reset();
    imageManager.reset();
    GameLib_End();
  }
  void SetUp() override {
    for (ECharactor c : {ECharactor::KNIGHT, ECharactor::PRIESTESS, ECharactor::ARCHER, ECharactor::SORCERESS,
                         ECharactor::FIGHTER}) {
      party.push_back(std::make_unique<CUnit>(c, 0, SPoint(0, 0)));
      party.back()->InitByCharactor();
    }
  }
  // The first `count` party members, in start-list order.
  std::vector<CUnit*> Sortie(std::size_t count = 5) {
    std::vector<CUnit*> out;
    for (std::size_t i = 0; i < count && i < party.size(); ++i) out.push_back(party[i].get());
    return out;
  }

  std::vector<std::unique_ptr<CUnit>> party;
};

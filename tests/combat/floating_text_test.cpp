#include "combat/floating_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "assets/image_manager.h"
#include "battle/stage.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"

namespace {

// The game's own pictures, so that each digit and word can be told apart.
class FloatingTextTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetGraphMode(640, 480, 32, 60);
    ASSERT_EQ(GameLib_Init(), 0) << GameLib_GetLastError();
    imageManager = std::make_unique<CImageManager>();
  }
  static void TearDownTestSuite() {
    imageManager.reset();
    GameLib_End();
  }
  static int Handle(const std::string& key) {
    const int handle = imageManager->GetHandle(key);
    EXPECT_NE(handle, 0) << key;
    return handle;
  }
  CStage stage;
};

TEST_F(FloatingTextTest, DigitsSitTwelvePixelsApartAroundTheUnit) {
  struct Case {
    int value;
    std::vector<std::pair<double, std::string>> digits;  // offset, image
  };
  const std::vector<std::pair<double, std::string>> nines = {{-16, "9"}, {-4, "9"}, {8, "9"}};
  const std::vector<std::pair<double, std::string>> greenNines = {{-16, "9_green"}, {-4, "9_green"}, {8, "9_green"}};
  const Case cases[] = {
      {7, {{0, "7"}}},
      {42, {{-8, "4"}, {4, "2"}}},
      {100, {{-16, "1"}, {-4, "0"}, {8, "0"}}},
      {-15, {{-8, "1_green"}, {4, "5_green"}}},
      {0, {}},
      // The pictures hold three places: larger numbers show 999.
      {1000, nines},
      {-4321, greenNines},
      {INT_MIN, greenNines},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const auto digits = ShowDamageNumber(c.value, stage, {200, 150}, 0.0, 2.0);
    ASSERT_EQ(digits.size(), c.digits.size());
    for (size_t i = 0; i < digits.size(); ++i) {
      EXPECT_EQ(digits[i]->position, SPointD(200 + c.digits[i].first, 150)) << "digit " << i;
      EXPECT_EQ(digits[i]->drawData.images.at(0).handle, Handle("ui_parts/num_" + c.digits[i].second + ".png"));
      EXPECT_EQ(digits[i]->layer, LAYER_MESSAGE) << "drawn over the struck unit";
    }
  }
}

TEST_F(FloatingTextTest, NumberRisesNineteenPixelsThenStandsAndFadesFromFrameThirty) {
  auto digits = ShowDamageNumber(5, stage, {100, 100}, 0.0, 2.0);
  CEffect& digit = *digits.at(0);
  std::vector<double> ys;
  std::vector<double> alphas;
  for (int i = 0; i < 41; ++i) {
    digit.Move();
    ys.push_back(digit.position.y);
    alphas.push_back(digit.drawData.GetAlpha());
  }
  EXPECT_NEAR(ys[0], 98.1, 1e-9);
  EXPECT_NEAR(ys[18], 81.0, 1e-9) << "1.9 + 1.8 + ... + 0.1";
  EXPECT_NEAR(ys[39], 81.0, 1e-9);
  EXPECT_EQ(alphas[29], 255.0);
  EXPECT_EQ(alphas[30], 247.0);
  EXPECT_EQ(alphas[39], 175.0);
  EXPECT_EQ(alphas[40], 175.0) << "the 41st update only ends it";
  EXPECT_FALSE(digit.IsAlive());
}

TEST_F(FloatingTextTest, StatusWordsRiseOverTheUnits) {
  // A slowed unit waits longer: its word says the wait went up.
  for (const auto& [text, image] : {std::pair{ShowStatusText(stage, EExtState::SLOW, {64, 64}), "effect/moji_wtdown.png"},
                             std::pair{ShowEvadeText(stage, {64, 64}), "effect/moji_evede.png"}}) {
    EXPECT_EQ(text->drawData.images.at(0).handle, Handle(image));
    EXPECT_EQ(text->layer, LAYER_MESSAGE);
    for (int i = 0; i < 25; ++i) text->Move();
    EXPECT_NEAR(text->position.y, 45.0, 1e-9);
  }
}

}  // namespace

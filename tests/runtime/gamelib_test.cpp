// The game library layer on the real SDL renderer (offscreen driver).
#include "runtime/gamelib/gamelib.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numbers>
#include <string>

namespace {

class GameLibTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetGraphMode(640, 480, 32, 60);
    ASSERT_EQ(GameLib_Init(), 0) << GameLib_GetLastError();
    SetTransColor(255, 0, 255);
    SetDrawBlendMode(DX_BLENDMODE_NOBLEND, 0);
    SetDrawBright(255, 255, 255);
    SetDrawArea(0, 0, 640, 480);
    ClsDrawScreen();
  }
  void TearDown() override {
    gamelib_test::StopRecording();
    gamelib_test::ClearRecordedCalls();
    GameLib_End();
  }
  static std::string TempPng(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::string("quorvane_gamelib_") + name + ".png")).string();
  }
};

TEST_F(GameLibTest, BoxesClipAndBlendOnTheBackBuffer) {
  DrawBox(10, 10, 20, 20, GetColor(255, 0, 0), TRUE);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(10, 10), 0xff0000u);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(19, 19), 0xff0000u);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(20, 20), 0x000000u) << "the box excludes its right/bottom edge";

  // A clip area keeps drawing inside it.
  SetDrawArea(100, 100, 110, 110);
  DrawBox(90, 90, 130, 130, GetColor(0, 255, 0), TRUE);
  SetDrawArea(0, 0, 640, 480);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(105, 105), 0x00ff00u);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(95, 95), 0x000000u);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(115, 105), 0x000000u);

  // Half-transparent white over black is mid grey.
  SetDrawBlendMode(DX_BLENDMODE_ALPHA, 128);
  DrawBox(200, 200, 210, 210, GetColor(255, 255, 255), TRUE);
  SetDrawBlendMode(DX_BLENDMODE_NOBLEND, 0);
  const unsigned grey = gamelib_test::GetBackBufferPixel(205, 205);
  EXPECT_NEAR(static_cast<int>(grey & 0xff), 128, 3);
}

TEST_F(GameLibTest, MagentaIsTransparentInLoadedImagesAndCellsSplitRowByRow) {
  // Make a picture: a magenta square beside a yellow one, saved as PNG.
  DrawBox(0, 0, 32, 32, GetColor(255, 0, 255), TRUE);
  DrawBox(32, 0, 64, 32, GetColor(255, 255, 0), TRUE);
  const std::string path = TempPng("keyed");
  ASSERT_EQ(SaveScreenshot(path.c_str()), 0);

  const int image = LoadGraph(path.c_str());
  ASSERT_GT(image, 0);
  int w = 0, h = 0;
  GetGraphSize(image, &w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);

  int cells[4] = {};
  ASSERT_EQ(LoadDivGraph(path.c_str(), 4, 2, 2, 32, 32, cells), 0);
  GetGraphSize(cells[1], &w, &h);
  EXPECT_EQ(w, 32);
  EXPECT_EQ(h, 32);

  ClsDrawScreen();
  DrawBox(0, 0, 640, 480, GetColor(0, 0, 255), TRUE);
  DrawGraph(100, 100, cells[0], TRUE);  // the magenta cell: nothing shows
  DrawGraph(200, 100, cells[1], TRUE);  // the yellow cell
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(110, 110), 0x0000ffu);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(210, 110), 0xffff00u);
  // Without the transparency flag magenta is drawn as it is.
  DrawGraph(300, 100, cells[0], FALSE);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(310, 110), 0xff00ffu);

  // Brightness multiplies the picture's colours.
  SetDrawBright(255, 0, 255);
  DrawGraph(400, 100, cells[1], TRUE);
  SetDrawBright(255, 255, 255);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(410, 110), 0xff0000u);

  // A missing file is a failed load, not a crash.
  EXPECT_EQ(LoadGraph("dat/no/such/file.png"), -1);
  EXPECT_EQ(DrawGraph(0, 0, 0, TRUE), -1);
  std::filesystem::remove(path);
}

// A battle cuts its map chips from the sheet loaded at start-up, and every
// picture goes when the last handle to it does: nothing is read twice and
// nothing stays behind battle after battle.
TEST_F(GameLibTest, CellsShareTheirPictureAndThePictureGoesWithTheLastHandle) {
  DrawBox(0, 0, 64, 32, GetColor(0, 255, 0), TRUE);
  const std::string path = TempPng("shared");
  ASSERT_EQ(SaveScreenshot(path.c_str()), 0);
  const int before = gamelib_test::LoadedPictureCount();

  // Cut alone: the picture lives as long as its cells.
  int cells[2] = {};
  ASSERT_EQ(LoadDivGraph(path.c_str(), 2, 2, 1, 32, 32, cells), 0);
  EXPECT_EQ(gamelib_test::LoadedPictureCount(), before + 1);
  DeleteGraph(cells[0]);
  EXPECT_EQ(gamelib_test::LoadedPictureCount(), before + 1);
  DeleteGraph(cells[1]);
  EXPECT_EQ(gamelib_test::LoadedPictureCount(), before);

  // Cut from a picture already loaded: the same picture, twice over.
  const int whole = LoadGraph(path.c_str());
  for (int battle = 0; battle < 3; ++battle) {
    ASSERT_EQ(LoadDivGraph(path.c_str(), 2, 2, 1, 32, 32, cells), 0);
    EXPECT_EQ(gamelib_test::LoadedPictureCount(), before + 1) << "battle " << battle;
    ClsDrawScreen();
    DrawGraph(0, 0, cells[1], TRUE);
    EXPECT_EQ(gamelib_test::GetBackBufferPixel(5, 5), 0x00ff00u);
    DeleteGraph(cells[0]);
    DeleteGraph(cells[1]);
  }
  EXPECT_EQ(gamelib_test::LoadedPictureCount(), before + 1) << "the loaded picture stays for its holder";

  // Its holder lets go first: the picture waits for the cells still cut from it.
  ASSERT_EQ(LoadDivGraph(path.c_str(), 2, 2, 1, 32, 32, cells), 0);
  DeleteGraph(whole);
  ClsDrawScreen();
  DrawGraph(0, 0, cells[0], TRUE);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(5, 5), 0x00ff00u);
  DeleteGraph(cells[0]);
  DeleteGraph(cells[1]);
  EXPECT_EQ(gamelib_test::LoadedPictureCount(), before);

  // Cells that all lie outside the picture keep nothing.
  int outside[1] = {};
  ASSERT_EQ(LoadDivGraph(path.c_str(), 1, 1, 1, 4096, 32, outside), 0);
  EXPECT_EQ(outside[0], -1);
  EXPECT_EQ(gamelib_test::LoadedPictureCount(), before);
  std::filesystem::remove(path);
}

TEST_F(GameLibTest, RotatedAndTurnedDrawsLandWhereTheyShould) {
  DrawBox(0, 0, 32, 16, GetColor(255, 255, 255), TRUE);  // white left half
  DrawBox(32, 0, 64, 16, GetColor(255, 0, 0), TRUE);     // red right half
  const std::string path = TempPng("halves");
  ASSERT_EQ(SaveScreenshot(path.c_str()), 0);
  int cells[1] = {};
  ASSERT_EQ(LoadDivGraph(path.c_str(), 1, 1, 1, 64, 16, cells), 0);
  ClsDrawScreen();

  DrawTurnGraph(0, 100, cells[0], TRUE);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(5, 105), 0xff0000u) << "mirrored: red comes first";
  // Centre at (300, 300), turned a half circle: red now on the left.
  DrawRotaGraph(300, 300, 1.0, std::numbers::pi, cells[0], TRUE, FALSE);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(275, 300), 0xff0000u);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(325, 300), 0xffffffu);
  // Doubled in size around its centre.
  DrawRotaGraph(300, 400, 2.0, 0.0, cells[0], TRUE, FALSE);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(240, 400), 0xffffffu);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(360, 400), 0xff0000u);
  std::filesystem::remove(path);
}

TEST_F(GameLibTest, FontsMeasureAndDrawText) {
  const int font = CreateFontToHandle(nullptr, 16, 9, DX_FONTTYPE_NORMAL);
  ASSERT_GE(font, 0) << "a Japanese-capable font must be installed";
  const char* text = "ナイトAB";
  const int whole = GetDrawStringWidthToHandle(text, static_cast<int>(std::string(text).size()), font);
  const int part = GetDrawStringWidthToHandle(text, 3, font);  // the first character only
  EXPECT_GT(part, 8);
  EXPECT_GT(whole, part);
  int size = 0;
  GetFontStateToHandle(nullptr, &size, nullptr, font);
  EXPECT_EQ(size, 16);

  const int edged = CreateFontToHandle(nullptr, 12, 0, DX_FONTTYPE_EDGE);
  ASSERT_GE(edged, 0);
  DrawStringToHandle(10, 10, "MMMM", GetColor(255, 255, 255), edged, GetColor(255, 0, 0));
  bool white = false, red = false;
  for (int y = 8; y < 26; ++y) {
    for (int x = 8; x < 60; ++x) {
      const unsigned p = gamelib_test::GetBackBufferPixel(x, y);
      white |= p == 0xffffffu;
      red |= p == 0xff0000u;
    }
  }
  EXPECT_TRUE(white);
  EXPECT_TRUE(red) << "edged fonts draw an outline in the edge colour";

  // Drawing many different strings stays within the cache and keeps working.
  for (int i = 0; i < 520; ++i) DrawStringToHandle(0, 200, std::to_string(i).c_str(), GetColor(255, 255, 255), font);
  EXPECT_EQ(DrawStringToHandle(0, 200, "ok", GetColor(255, 255, 255), font), 0);
}

TEST(GameLibRecorder, RecordsDrawCallsWithoutAWindow) {
  gamelib_test::ClearRecordedCalls();
  gamelib_test::StartRecording();
  SetDrawBlendMode(DX_BLENDMODE_ALPHA, 128);
  DrawGraph(10, 20, 5, TRUE);
  DrawRotaGraph(1, 2, 1.5, 0.5, 7, TRUE, FALSE);
  gamelib_test::StopRecording();
  DrawGraph(0, 0, 1, TRUE);  // not recorded any more
  const auto& calls = gamelib_test::RecordedCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0], "SetDrawBlendMode(1,128)");
  EXPECT_EQ(calls[1], "DrawGraph(10,20,5,1)");
  EXPECT_EQ(calls[2], "DrawRotaGraph(1,2,1.5,0.5,7,1,0)");
  gamelib_test::ClearRecordedCalls();
  SetDrawBlendMode(DX_BLENDMODE_NOBLEND, 0);
}

TEST(GameLibClock, VirtualClockAdvancesOnlyByWaits) {
  gamelib_test::UseVirtualClock(true, 1000);
  EXPECT_EQ(GetNowCount(), 1000);
  WaitTimer(16);
  EXPECT_EQ(GetNowCount(), 1016);
  WaitTimer(-5);
  EXPECT_EQ(GetNowCount(), 1016);
  gamelib_test::AdvanceVirtualClock(4);
  EXPECT_EQ(GetNowCount(), 1020);
  gamelib_test::UseVirtualClock(false);
}

TEST(GameLibDevices, InjectedKeysAndJoypad) {
  gamelib_test::ClearInjectedInput();
  EXPECT_EQ(CheckHitKey(KEY_INPUT_Z), 0);
  gamelib_test::SetKeyDown(KEY_INPUT_Z, true);
  EXPECT_EQ(CheckHitKey(KEY_INPUT_Z), 1);
  EXPECT_EQ(CheckHitKey(0), 0);
  EXPECT_EQ(CheckHitKey(KEY_CODE_COUNT + 5), 0);
  gamelib_test::SetJoypadBits(PAD_INPUT_1 | PAD_INPUT_UP);
  EXPECT_EQ(GetJoypadInputState(DX_INPUT_PAD1), PAD_INPUT_1 | PAD_INPUT_UP);
  gamelib_test::SetAnalog(5000, -300);
  int x = 0, y = 0;
  GetJoypadAnalogInput(&x, &y, DX_INPUT_PAD1);
  EXPECT_EQ(x, 1000) << "clamped to the stick's range";
  EXPECT_EQ(y, -300);
  gamelib_test::ClearInjectedInput();
  EXPECT_EQ(CheckHitKey(KEY_INPUT_Z), 0);
  EXPECT_EQ(GetJoypadInputState(DX_INPUT_PAD1), 0);
}

TEST(GameLibTextEntry, EditsOneLineUntilFinishedOrCancelled) {
  const int input = MakeKeyInput(5, TRUE, FALSE, FALSE);
  SetKeyInputString("ナイト", input);
  ASSERT_EQ(SetActiveKeyInput(input), 0);
  EXPECT_EQ(CheckKeyInput(input), 0);
  gamelib_test::TypeText("ABCD");  // only two more characters fit
  EXPECT_EQ(GetKeyInputString(input), "ナイトAB");
  gamelib_test::PressEditKey(KEY_INPUT_BACK);
  gamelib_test::PressEditKey(KEY_INPUT_LEFT);
  gamelib_test::TypeText("x");
  EXPECT_EQ(GetKeyInputString(input), "ナイトxA");
  gamelib_test::PressEditKey(KEY_INPUT_RETURN);
  EXPECT_EQ(CheckKeyInput(input), 1);
  gamelib_test::TypeText("more");  // no longer active
  EXPECT_EQ(GetKeyInputString(input), "ナイトxA");
  DeleteKeyInput(input);
  EXPECT_EQ(CheckKeyInput(input), -1);

  const int digits = MakeKeyInput(8, FALSE, TRUE, TRUE);
  SetActiveKeyInput(digits);
  gamelib_test::TypeText("1a2ア3");
  EXPECT_EQ(GetKeyInputString(digits), "123");
  gamelib_test::PressEditKey(KEY_INPUT_ESCAPE);
  EXPECT_EQ(CheckKeyInput(digits), 0) << "cancelling is off for this entry";
  DeleteKeyInput(digits);

  const int cancellable = MakeKeyInput(8, TRUE, FALSE, FALSE);
  SetActiveKeyInput(cancellable);
  gamelib_test::PressEditKey(KEY_INPUT_ESCAPE);
  EXPECT_EQ(CheckKeyInput(cancellable), 2);
  DeleteKeyInput(cancellable);
}

}  // namespace

// The slot lists of the title and the camp: each row the game's caption,
// then the slot number and when the slot was written, where there is room.
#include "scenes/save_slot_list.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>

#include "assets/temp_tree.h"
#include "battle/real_battle_test.h"
#include "persist/save_data.h"
#include "persist/system_data.h"
#include "ui/dialog.h"
#include "ui/panes.h"

namespace {

class SaveSlotListTest : public RealBattleTest {
 protected:
  void SetUp() override {
    RealBattleTest::SetUp();
    persist_test::SetSaveDirectory(saves.Dir());
  }
  void TearDown() override { persist_test::SetSaveDirectory("dat/save/"); }

  // A new game with `playTime` milliseconds played, in `slot`.
  void Save(int slot, std::int64_t playTime) {
    auto data = NewGameSaveData();
    CSystemData system;
    system.mLastUpdateTime = 1'000'000'000'000 - playTime;
    SaveSaveData(*data, SaveSlotPath(slot), system, 1'000'000'000'000);
  }
  // The slot file last written at this local date and time.
  static void Touch(int slot, int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
    std::filesystem::last_write_time(SaveSlotPath(slot), std::chrono::file_clock::from_sys(when));
  }
  static const CPaneTextLabel* Label(const CDialog& list, int slot, const std::string& suffix) {
    const auto* row = dynamic_cast<const CPaneContainer*>(list.FindPane(std::to_string(slot)));
    return row ? dynamic_cast<const CPaneTextLabel*>(row->FindChild(std::to_string(slot) + suffix)) : nullptr;
  }

  CTempTree saves{"slot_list"};
};

TEST_F(SaveSlotListTest, RowsShowTheCaptionThenTheSlotNumberAndWhenItWasSaved) {
  Save(3, 3'723'000);
  Touch(3, 2026, 12, 10, 14, 5, 30);
  saves.Write("save12.dat", "damaged beyond reading");
  Touch(12, 2027, 1, 2, 3, 4, 59);
  // A caption so long that its row has no room left for the stamp.
  Save(7, 9'000'000'000'000'000'000);
  const struct {
    int slot;
    const char* caption;
    const char* stamp;  // "" for none
  } cases[] = {
      {3,  "プレイ時間 [01:02:03] クリアしたシナリオ数 [0]",            "No.03  2026/12/10 14:05"},
      {5,  "なし",                                                     "No.05"},
      {12, "このセーブデータは壊れていて読み込めません",                 "No.12  2027/01/02 03:04"},
      {15, "なし",                                                     "No.15"},
      {7,  "プレイ時間 [2500000000000:00:00] クリアしたシナリオ数 [0]", ""},
  };
  const auto list = CreateSaveSlotListDialog();
  EXPECT_EQ(list->title, "データ選択");
  const int clientWidth = list->width - 2 * list->borderWidth;
  int column = -1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slot);
    const CPaneTextLabel* caption = Label(*list, c.slot, "_label");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text, c.caption) << "the game's caption first, unchanged";
    const CPaneTextLabel* stamp = Label(*list, c.slot, "_stamp");
    if (*c.stamp == '\0') {
      EXPECT_EQ(stamp, nullptr);
      continue;
    }
    ASSERT_NE(stamp, nullptr);
    EXPECT_EQ(stamp->text, c.stamp);
    EXPECT_GT(stamp->position.x, caption->position.x + caption->width) << "beside the caption";
    const int row = list->FindPane(std::to_string(c.slot))->position.x;
    EXPECT_LE(row + stamp->position.x + stamp->width, clientWidth) << "inside the row";
    if (column < 0) column = stamp->position.x;
    EXPECT_EQ(stamp->position.x, column) << "the stamps make a column";
  }
  EXPECT_LE(list->width, 640 - 2 * 8) << "the list fits on the screen";
}

}  // namespace

#include "persist/save_data.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "persist/archive_bytes.h"
#include "persist/archive_file.h"

namespace {

Bytes I64(std::int64_t v) { return U32(static_cast<std::uint32_t>(v)) + U32(static_cast<std::uint32_t>(v >> 32)); }

class SaveSlotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    persist_test::SetSaveDirectory(dir.string() + "/");
  }
  void TearDown() override {
    persist_test::FailWritesAfter(std::nullopt);
    persist_test::SetSaveDirectory("dat/save/");
    std::filesystem::remove_all(dir);
  }
  static Bytes FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  static void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // A save of a game with a fixed clock, so that its bytes are known.
  static Bytes SavedBytes(CSaveData& data, const std::string& path) {
    CSystemData system;
    system.mLastUpdateTime = 0;
    SaveSaveData(data, path, system, 0);
    return FileBytes(path);
  }

  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("quorvane_save_slot_test_" + std::to_string(::getpid()));
};

// The knight of a new game with one move to undo and one status effect.
std::unique_ptr<CSaveData> SmallSave() {
  auto data = std::make_unique<CSaveData>();
  data->playTime = 5;
  data->money = 250;
  data->clearCounts.assign(9, 0);
  data->clearCounts[0] = 1;
  data->bonusMapOpened = true;
  auto unit = std::make_unique<CUnit>(ECharactor::KNIGHT, 0, SPoint{3, 4});
  unit->InitByCharactor();
  unit->id = 7;
  unit->moveHistory.emplace_back(EDirection4::DOWN, 2, 4);
  unit->extStates.emplace_back(5, EExtState::FAST);
  data->party.push_back(std::move(unit));
  return data;
}

}  // namespace

TEST(SaveDataTest, NewGameHasThePartyInOrderMoneyAndNineUnclearedStages) {
  const auto data = NewGameSaveData();
  EXPECT_EQ(data->money, 100);
  EXPECT_EQ(data->playTime, 0);
  EXPECT_EQ(data->clearCounts, std::vector<std::int32_t>(9, 0));
  EXPECT_FALSE(data->bonusMapOpened);
  const ECharactor order[] = {ECharactor::KNIGHT, ECharactor::PRIESTESS, ECharactor::ARCHER, ECharactor::SORCERESS,
                              ECharactor::FIGHTER};
  ASSERT_EQ(data->party.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(data->party[i]->charactor, order[i]);
    EXPECT_EQ(data->party[i]->team, 0);
    EXPECT_EQ(data->party[i]->grid, (SPoint{0, 0}));
    EXPECT_GT(data->party[i]->maxHp, 0);
  }
  EXPECT_EQ(data->party[0]->key, "player_knight");
}

TEST(SaveDataTest, SummaryShowsPlayTimeAndClearedStages) {
  CCheapSaveData slot;
  slot.playTime = 3723000;
  slot.clearCounts = {1, 2, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(slot.GetSummaryText(), "プレイ時間 [01:02:03] クリアしたシナリオ数 [2]");
  slot.playTime = 61LL * 3600000;
  slot.clearCounts = {1, 1, 1, 1, 1, 1, 1, 1, 3};
  EXPECT_EQ(slot.GetSummaryText(), "プレイ時間 [61:00:00] クリアしたシナリオ数 [9]");
  slot.playTime = 123LL * 3600000 + 59999;
  EXPECT_EQ(slot.GetSummaryText(), "プレイ時間 [123:00:59] クリアしたシナリオ数 [9]");
}

TEST_F(SaveSlotTest, SaveIsTheKnownRecordsInFieldOrder) {
  auto data = SmallSave();
  const CUnit& knight = *data->party[0];
  const Bytes unitRecord =
      Record("C4Ziki5CUnit") + U32(7) + Str("player_knight") + U32(1) + U32(0) + U32(3) + U32(4) + U32(knight.wtCount) +
      U32(0) + Bytes{0, 0} + U32(1) + Record("C4Ziki15CInfoBeforeMove") + U32(2) + U32(4) + U32(3) + U32(0) +
      Bytes{1} + Str("ナイト") + U32(0) + U32(0) + U32(0) + U32(20) + U32(20) + U32(10) + U32(10) + U32(5) + U32(35) +
      U32(10) + U32(10) + U32(10) + U32(5) + U32(5) + Bytes{0} + U32(1) + Record("C4Ziki13CUnitExtState") + U32(5) +
      U32(2) + U32(5) + U32(0);
  const Bytes expected = Record("C10SystemData9CSaveData") + U32(0) + I64(5) + U32(250) + U32(9) + U32(1) +
                         U32(0) + U32(0) + U32(0) + U32(0) + U32(0) + U32(0) + U32(0) + U32(0) + Bytes{1} + U32(1) +
                         unitRecord;
  EXPECT_EQ(SavedBytes(*data, SaveSlotPath(0)), expected);

  const auto loaded = LoadSaveData(SaveSlotPath(0));
  ASSERT_EQ(loaded->party.size(), 1u);
  const CUnit& read = *loaded->party[0];
  EXPECT_EQ(read.id, 7);  // the stored id, not a new one
  EXPECT_EQ(read.moveHistory, knight.moveHistory);
  EXPECT_EQ(read.extStates, knight.extStates);
  EXPECT_EQ(read.name, "ナイト");
  EXPECT_EQ(read.stage, nullptr);
  EXPECT_TRUE(loaded->bonusMapOpened);
}

TEST_F(SaveSlotTest, SavingCountsPlayTimeAndReplacesTheWholeSlot) {
  auto data = SmallSave();
  data->party.front()->name = "a long name that the second save will not have";
  CSystemData system;
  system.mLastUpdateTime = 1000;
  EXPECT_TRUE(SaveSaveData(*data, SaveSlotPath(3), system, 3724000));
  EXPECT_EQ(data->playTime, 5 + 3723000);
  EXPECT_EQ(system.mLastUpdateTime, 3724000);

  data->party.front()->name = "x";
  SaveSaveData(*data, SaveSlotPath(3), system, 3724000);
  Serializer fresh = Serializer::WriteToBytes();
  fresh.Describe(*data);
  EXPECT_EQ(FileBytes(SaveSlotPath(3)), fresh.Bytes());  // no stale tail of the longer save
  EXPECT_EQ(LoadSaveData(SaveSlotPath(3))->party.front()->name, "x");
}

TEST_F(SaveSlotTest, FailedSaveKeepsThePreviousSaveAndSaysWhy) {
  auto data = SmallSave();
  const Bytes before = SavedBytes(*data, SaveSlotPath(1));
  data->money = 999;
  persist_test::FailWritesAfter(10);
  CSystemData system;
  EXPECT_THROW(SaveSaveData(*data, SaveSlotPath(1), system, 0), CSaveDataError);
  persist_test::FailWritesAfter(std::nullopt);
  EXPECT_EQ(FileBytes(SaveSlotPath(1)), before);
  EXPECT_EQ(LoadSaveData(SaveSlotPath(1))->money, 250);
  EXPECT_EQ(CountSaveFiles(), 1);  // no scratch file taken for a save

  persist_test::SetSaveDirectory((dir / "missing").string() + "/");
  try {
    SaveSaveData(*data, SaveSlotPath(1), system, 0);
    FAIL() << "saving into a missing folder was reported as success";
  } catch (const CSaveDataError& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot save to " + SaveSlotPath(1)), std::string::npos) << e.what();
  }
}

TEST_F(SaveSlotTest, DamagedSlotIsListedAsUnreadableAndTheOthersStillLoad) {
  auto data = SmallSave();
  SavedBytes(*data, SaveSlotPath(2));
  WriteFile(SaveSlotPath(5), Bytes{2, 0, 0});
  WriteFile(SaveSlotPath(6), BackReference(0));

  const auto slots = GetSaveSlotList();
  EXPECT_EQ(CountSaveFiles(), 3);
  EXPECT_FALSE(slots[0].has_value());
  ASSERT_TRUE(slots[2].has_value());
  EXPECT_TRUE(slots[2]->readable);
  EXPECT_EQ(slots[2]->money, 250);
  EXPECT_GT(slots[2]->fileTime, 1600000000000);
  ASSERT_TRUE(slots[5].has_value());
  EXPECT_FALSE(slots[5]->readable);
  EXPECT_NE(slots[5]->error.find("Inconsistent archive, expected data_signal or no_data_signal on pointer read."),
            std::string::npos);
  EXPECT_EQ(slots[5]->GetSummaryText(), "このセーブデータは壊れていて読み込めません");
  ASSERT_TRUE(slots[6].has_value());
  EXPECT_NE(slots[6]->error.find("Tried to access pointer that's not been read yet."), std::string::npos);
  EXPECT_THROW(LoadSaveData(SaveSlotPath(5)), CSaveDataError);
}

TEST_F(SaveSlotTest, CutOrImpossibleSaveIsRefusedWithAClearError) {
  auto data = SmallSave();
  const Bytes whole = SavedBytes(*data, SaveSlotPath(0));
  for (std::size_t length = 0; length < whole.size(); ++length) {
    WriteFile(SaveSlotPath(0), Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
    EXPECT_THROW(LoadSaveData(SaveSlotPath(0)), CSaveDataError) << "cut to " << length << " bytes";
  }

  auto expectRefused = [&](const std::function<void(CSaveData&)>& spoil, const std::string& reason) {
    auto spoilt = SmallSave();
    spoil(*spoilt);
    SavedBytes(*spoilt, SaveSlotPath(0));
    try {
      LoadSaveData(SaveSlotPath(0));
      ADD_FAILURE() << "loaded a save where " << reason;
    } catch (const CSaveDataError& e) {
      EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
    }
  };
  expectRefused([](CSaveData& d) { d.party[0]->charactor = static_cast<ECharactor>(99); }, "unknown kind 99");
  expectRefused([](CSaveData& d) { d.clearCounts.resize(3); }, "wins for 3 stages instead of 9");
  expectRefused([](CSaveData& d) { d.party[0]->skills.push_back(static_cast<ESkill>(-1)); }, "unknown skill");
  expectRefused([](CSaveData& d) { d.party[0]->extStates[0].type = static_cast<EExtState>(7); },
                "unknown status effect");
  expectRefused([](CSaveData& d) { d.party[0]->hp = d.party[0]->maxHp + 1; }, "impossible hit points");
  expectRefused([](CSaveData& d) { d.party.clear(); }, "the party is empty");
}

TEST(SaveDataTest, FuzzingSeedIsARealSave) {
  std::ifstream seed("fuzz/corpus/archive/save_two_units.dat", std::ios::binary);
  ASSERT_TRUE(seed.good());
  const auto data = ParseSaveData(Bytes(std::istreambuf_iterator<char>(seed), {}), "save_two_units.dat");
  ASSERT_EQ(data->party.size(), 2u);
  EXPECT_EQ(data->party[1]->skills, std::vector<ESkill>{ESkill::FIRE_BOLT});
  Serializer again = Serializer::WriteToBytes();
  again.Describe(*data);
  std::ifstream reread("fuzz/corpus/archive/save_two_units.dat", std::ios::binary);
  EXPECT_EQ(again.Bytes(), Bytes(std::istreambuf_iterator<char>(reread), {}));
}

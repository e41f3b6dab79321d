#include "persist/save_data.h"

#include <cinttypes>
#include <cstdio>
#include <filesystem>

#include "field/stage_data.h"
#include "field/unit_tables.h"
#include "persist/archive_file.h"
#include "persist/serializer.h"
#include "persist/unit_archive.h"

namespace {

std::string saveDirectory = "dat/save/";

template <class T>
void RegisterOnce(const char* tag) {
  if (ClassRegister::Instance().FindByTag(tag)) return;
  RegisterClass<T>(tag, [] { return std::make_unique<T>(); });
}

template <class E>
bool InRange(E value, int count) {
  const int v = static_cast<int>(value);
  return v >= 0 && v < count;
}

// The rest of the game indexes its tables with these values: a save that
// holds anything else is damaged, however it came to be.
std::string FindImpossibleValue(const CSaveData& data) {
  if (data.playTime < 0) return "the play time is negative";
  if (data.clearCounts.size() != STAGE_COUNT) {
    return "it counts wins for " + std::to_string(data.clearCounts.size()) + " stages instead of " +
           std::to_string(STAGE_COUNT);
  }
  for (const std::int32_t count : data.clearCounts) {
    if (count < 0) return "a stage has a negative number of wins";
  }
  if (data.party.empty()) return "the party is empty";
  for (std::size_t i = 0; i < data.party.size(); ++i) {
    const CUnit& unit = *data.party[i];
    const std::string who = "party member " + std::to_string(i + 1) + " ";
    if (!InRange(unit.charactor, CHARACTOR_COUNT)) {
      return who + "is of the unknown kind " + std::to_string(static_cast<int>(unit.charactor));
    }
    if (!InRange(unit.direction, 4)) return who + "faces an unknown direction";
    if (unit.team != 0 && unit.team != 1) return who + "is on the unknown side " + std::to_string(unit.team);
    if (unit.spriteIndex < 0 || unit.spriteIndex >= CHARACTOR_COUNT) return who + "has an unknown sprite sheet";
    if (unit.rank < 0 || unit.rank >= ENEMY_RANK_COUNT) return who + "has an unknown rank";
    if (unit.maxHp < 1 || unit.hp < 0 || unit.hp > unit.maxHp) return who + "has impossible hit points";
    if (unit.maxMp < 0 || unit.mp < 0 || unit.mp > unit.maxMp) return who + "has impossible magic points";
    if (!InRange(unit.weapon, WEAPON_TYPE_COUNT)) return who + "holds an unknown weapon";
    for (const ESkill skill : unit.skills) {
      if (!InRange(skill, SKILL_COUNT)) return who + "knows an unknown skill";
    }
    for (const CUnitExtState& state : unit.extStates) {
      if (!InRange(state.type, EXT_STATE_COUNT)) return who + "has an unknown status effect";
    }
    for (const CInfoBeforeMove& step : unit.moveHistory) {
      if (!InRange(step.direction, 4)) return who + "has a move to undo with an unknown direction";
    }
  }
  return "";
}

std::int64_t FileTimeMilliseconds(const std::string& path) {
  using namespace std::chrono;
  const auto written = std::filesystem::last_write_time(path);
  return duration_cast<milliseconds>(file_clock::to_sys(written).time_since_epoch()).count();
}

}  // namespace

namespace persist_test {
void SetSaveDirectory(const std::string& directory) { saveDirectory = directory; }
}  // namespace persist_test

void CSaveData::Describe(Serializer& ar) {
  ar.Describe(difficulty);
  ar.Describe(playTime);
  ar.Describe(money);
  ar.Describe(clearCounts);
  ar.Describe(bonusMapOpened);
  ar.Describe(party);
}

std::string CCheapSaveData::GetSummaryText() const {
  if (!readable) return "このセーブデータは壊れていて読み込めません";
  const std::int64_t hours = playTime / 3600000;
  const std::int64_t minutes = playTime / 60000 % 60;
  const std::int64_t seconds = playTime / 1000 % 60;
  int cleared = 0;
  for (const std::int32_t count : clearCounts) cleared += count > 0 ? 1 : 0;
  char text[128];
  std::snprintf(text, sizeof text, "プレイ時間 [%02" PRId64 ":%02" PRId64 ":%02" PRId64 "] クリアしたシナリオ数 [%d]",
                hours, minutes, seconds, cleared);
  return text;
}

void RegisterSaveDataClasses() {
  RegisterOnce<CUnitExtState>("C4Ziki13CUnitExtState");
  RegisterOnce<CInfoBeforeMove>("C4Ziki15CInfoBeforeMove");
  RegisterOnce<CUnit>("C4Ziki5CUnit");
  RegisterOnce<CSaveData>(CSaveData::kTag);
}

std::string SaveSlotPath(int slot) {
  char name[16];
  std::snprintf(name, sizeof name, "save%02d.dat", slot);
  return saveDirectory + name;
}

std::unique_ptr<CSaveData> NewGameSaveData() {
  auto data = std::make_unique<CSaveData>();
  data->clearCounts.assign(STAGE_COUNT, 0);
  data->money = CSaveData::kNewGameMoney;
  for (const ECharactor kind :
       {ECharactor::KNIGHT, ECharactor::PRIESTESS, ECharactor::ARCHER, ECharactor::SORCERESS, ECharactor::FIGHTER}) {
    auto unit = std::make_unique<CUnit>(kind, 0, SPoint{0, 0});
    unit->InitByCharactor();
    data->party.push_back(std::move(unit));
  }
  return data;
}

std::unique_ptr<CSaveData> ParseSaveData(std::vector<std::uint8_t> bytes, const std::string& name) {
  RegisterSaveDataClasses();
  try {
    Serializer ar = Serializer::ReadFromBytes(std::move(bytes), name);
    std::unique_ptr<CSaveData> data;
    ar.Describe(data, Tracking::Tracked);
    if (ar.ReadPastEnd()) throw ArchiveError("the file ends in the middle of the save");
    if (const std::string problem = FindImpossibleValue(*data); !problem.empty()) throw ArchiveError(problem);
    return data;
  } catch (const ArchiveError& e) {
    throw CSaveDataError("The save " + name + " cannot be read: " + e.what());
  }
}

std::unique_ptr<CSaveData> LoadSaveData(const std::string& path) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::exists(path, ec)) return NewGameSaveData();
  std::vector<std::uint8_t> bytes;
  try {
    bytes = ReadWholeFile(path, Serializer::kMaxFileBytes);
  } catch (const ArchiveError& e) {
    throw CSaveDataError("The save " + path + " cannot be read: " + e.what());
  }
  return ParseSaveData(std::move(bytes), path);
}

bool SaveSaveData(CSaveData& data, const std::string& path, CSystemData& system) {
  return SaveSaveData(data, path, system, CurrentUtcMilliseconds());
}

bool SaveSaveData(CSaveData& data, const std::string& path, CSystemData& system, std::int64_t nowMilliseconds) {
  data.playTime += nowMilliseconds - system.mLastUpdateTime;
  system.mLastUpdateTime = nowMilliseconds;
  std::printf("SaveSaveData.Current = %d\n", static_cast<std::int32_t>(static_cast<std::uint32_t>(nowMilliseconds)));
  RegisterSaveDataClasses();
  try {
    Serializer ar = Serializer::WriteToBytes(path);
    ar.Describe(data, Tracking::Tracked);
    ReplaceFileContents(path, ar.Bytes());
  } catch (const ArchiveError& e) {
    throw CSaveDataError(e.what());
  }
  return true;
}

std::array<std::optional<CCheapSaveData>, SAVE_SLOT_COUNT> GetSaveSlotList() {
  std::array<std::optional<CCheapSaveData>, SAVE_SLOT_COUNT> slots;
  for (int i = 0; i < SAVE_SLOT_COUNT; ++i) {
    const std::string path = SaveSlotPath(i);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) continue;
    CCheapSaveData& slot = slots[i].emplace();
    try {
      slot.fileTime = FileTimeMilliseconds(path);
      const std::unique_ptr<CSaveData> data = LoadSaveData(path);
      slot.difficulty = data->difficulty;
      slot.playTime = data->playTime;
      slot.money = data->money;
      slot.clearCounts = data->clearCounts;
    } catch (const std::exception& e) {
      // One bad slot must not hide the others.
      slot.readable = false;
      slot.error = e.what();
    }
  }
  return slots;
}

int CountSaveFiles() {
  int count = 0;
  for (int i = 0; i < SAVE_SLOT_COUNT; ++i) {
    std::error_code ec;
    if (std::filesystem::exists(SaveSlotPath(i), ec)) ++count;
  }
  return count;
}

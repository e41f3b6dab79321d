// The game in progress and its 16 save slots "dat/save/save00.dat" ..
// "dat/save/save15.dat". A save is one CSaveData record holding the party.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "field/unit.h"
#include "persist/archive_error.h"
#include "persist/system_data.h"

class Serializer;

// Only 0 is ever stored: the game has a single difficulty.
enum class EDifficulity : int {};

constexpr int SAVE_SLOT_COUNT = 16;

class CSaveData {
 public:
  static constexpr std::string_view kSerialName = "SystemData.CSaveData";
  static constexpr const char* kTag = "C10SystemData9CSaveData";
  static constexpr int kNewGameMoney = 100;

  CSaveData() = default;
  CSaveData(const CSaveData&) = delete;
  CSaveData& operator=(const CSaveData&) = delete;

  // The fields in file order.
  void Describe(Serializer& ar);

  EDifficulity difficulty{};
  std::int64_t playTime = 0;  // milliseconds
  std::int32_t money = 0;
  std::vector<std::int32_t> clearCounts;  // wins per stage
  bool bonusMapOpened = false;
  std::vector<std::unique_ptr<CUnit>> party;  // in party order
};

// What the slot lists show of one save.
class CCheapSaveData {
 public:
  // "プレイ時間 [hh:mm:ss] クリアしたシナリオ数 [n]", or a note that the
  // slot cannot be read.
  std::string GetSummaryText() const;

  std::int64_t fileTime = 0;  // last change of the slot file, ms since 1970 UTC
  EDifficulity difficulty{};
  std::int64_t playTime = 0;
  std::int32_t money = 0;
  std::vector<std::int32_t> clearCounts;
  // A damaged slot is listed, not skipped: false, with the reason in `error`.
  bool readable = true;
  std::string error;
};

// Thrown for a slot that cannot be read or written; the message names the
// file and the reason.
class CSaveDataError : public ArchiveError {
 public:
  using ArchiveError::ArchiveError;
};

// Registers the save classes under their tags; calling it again does nothing.
void RegisterSaveDataClasses();

std::string SaveSlotPath(int slot);

// A new game: nine uncleared stages, 100 money and the five party members.
std::unique_ptr<CSaveData> NewGameSaveData();
// The save at `path`; a new game when the path is empty or no file is there.
// Throws CSaveDataError for a damaged file.
std::unique_ptr<CSaveData> LoadSaveData(const std::string& path);
// The save held in `bytes` (a slot file's contents); throws CSaveDataError
// naming `name` when they are damaged, cut short or impossible.
std::unique_ptr<CSaveData> ParseSaveData(std::vector<std::uint8_t> bytes, const std::string& name);
// Adds the play time since system.mLastUpdateTime, then replaces the file at
// `path` in one step. On failure the earlier save stays and CSaveDataError
// says why. Returns true.
bool SaveSaveData(CSaveData& data, const std::string& path, CSystemData& system);
bool SaveSaveData(CSaveData& data, const std::string& path, CSystemData& system, std::int64_t nowMilliseconds);

// One entry per slot: none for an empty slot, an unreadable entry for a
// damaged one.
std::array<std::optional<CCheapSaveData>, SAVE_SLOT_COUNT> GetSaveSlotList();
int CountSaveFiles();

namespace persist_test {
// The folder of the save slots ("dat/save/" unless a test moves it).
void SetSaveDirectory(const std::string& directory);
}  // namespace persist_test

#include "persist/option_info.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "persist/archive_bytes.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/key_manager.h"

namespace {

// The settings file holding the defaults, byte for byte.
const Bytes kDefaultSettingsFile = Bytes{0x00, 0x17, 0x00, 0x00, 0x00} + Bytes{'C', '8', 'G', 'a', 'm', 'e', 'M', 'a',
                                                                                'i', 'n', '1', '1', 'C', 'O', 'p', 't',
                                                                                'i', 'o', 'n', 'I', 'n', 'f', 'o'} +
                                   Bytes{0x01} + U32(16) + U32(2) + U32(8) + U32(4) + U32(1) + U32(2) + U32(8) +
                                   U32(4) + U32(1) + U32(0x10) + U32(0x20) + U32(0x40) + U32(0x80) + U32(0x100) +
                                   U32(0x200) + U32(0x400) + U32(0x800);

class OptionInfoFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  void WriteFile(const Bytes& bytes) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("quorvane_option_info_test_" + std::to_string(::getpid()));
  std::string path = (dir / "setting.dat").string();
};

}  // namespace

TEST(OptionInfoTest, DefaultSettingsFileIsTheKnown97Bytes) {
  RegisterOptionInfoClass();
  auto defaults = std::make_unique<COptionInfo>();
  const Bytes written = WriteBytes(defaults);
  ASSERT_EQ(written.size(), 97u);
  EXPECT_EQ(written, kDefaultSettingsFile);

  // The fuzzing seed is a real settings file.
  std::ifstream seed("fuzz/corpus/archive/setting_default.dat", std::ios::binary);
  ASSERT_TRUE(seed.good());
  EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(seed), {}), kDefaultSettingsFile);
}

TEST(OptionInfoTest, PlayersAssignmentReachesTheKeyManager) {
  COptionInfo custom;
  custom.soundEnabled = false;
  custom.joypadAssign[static_cast<int>(EGameKey::DECIDE)] = PAD_INPUT_4;
  auto written = std::make_unique<COptionInfo>(custom);
  const COptionInfo read = ParseOptionInfo(WriteBytes(written), "setting.dat");
  EXPECT_FALSE(read.soundEnabled);
  EXPECT_EQ(read.joypadAssign, custom.joypadAssign);

  gamelib_test::ClearInjectedInput();
  CKeyManager keys(read.joypadAssign);
  keys.Update();
  gamelib_test::SetJoypadBits(PAD_INPUT_4);
  keys.Update();
  EXPECT_TRUE(keys.IsDown(EGameKey::DECIDE));
  gamelib_test::ClearInjectedInput();
}

TEST(OptionInfoTest, ShortAssignmentIsCompletedWithTheDefaults) {
  const Bytes file = Record(COptionInfo::kTag) + Bytes{0} + U32(2) + U32(PAD_INPUT_9) + U32(PAD_INPUT_10);
  const COptionInfo read = ParseOptionInfo(file, "setting.dat");
  const COptionInfo defaults;
  ASSERT_EQ(read.joypadAssign.size(), 16u);
  EXPECT_EQ(read.joypadAssign[0], PAD_INPUT_9);
  EXPECT_EQ(read.joypadAssign[1], PAD_INPUT_10);
  EXPECT_TRUE(std::equal(read.joypadAssign.begin() + 2, read.joypadAssign.end(), defaults.joypadAssign.begin() + 2));
  EXPECT_FALSE(read.soundEnabled);
}

TEST_F(OptionInfoFileTest, MissingFileGivesTheDefaultsSilently) {
  std::ostringstream warnings;
  const COptionInfo read = LoadOptionInfo(path, warnings);
  EXPECT_EQ(read.joypadAssign, COptionInfo().joypadAssign);
  EXPECT_TRUE(read.soundEnabled);
  EXPECT_EQ(warnings.str(), "");
  EXPECT_FALSE(std::filesystem::exists(path));  // and the game never writes it
}

TEST_F(OptionInfoFileTest, DamagedOrShortFileGivesTheDefaultsAndOneLine) {
  Bytes soundOff = kDefaultSettingsFile;
  soundOff[28] = 0;
  WriteFile(soundOff);
  std::ostringstream none;
  EXPECT_FALSE(LoadOptionInfo(path, none).soundEnabled);
  EXPECT_EQ(none.str(), "");

  Bytes badMarker = soundOff;
  badMarker[0] = 7;
  std::vector<Bytes> damaged = {badMarker};
  for (std::size_t length = 0; length < soundOff.size(); ++length) {
    damaged.emplace_back(soundOff.begin(), soundOff.begin() + static_cast<std::ptrdiff_t>(length));
  }
  for (const Bytes& file : damaged) {
    WriteFile(file);
    std::ostringstream warnings;
    const COptionInfo read = LoadOptionInfo(path, warnings);
    EXPECT_TRUE(read.soundEnabled) << file.size() << " bytes were taken for real settings";
    const std::string text = warnings.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_NE(text.find(path), std::string::npos) << text;
  }
}

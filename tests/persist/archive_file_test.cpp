#include "persist/archive_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "persist/archive_error.h"

namespace {

class ReplaceFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override {
    persist_test::FailWritesAfter(std::nullopt);
    std::filesystem::remove_all(dir);
  }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("quorvane_replace_file_test_" + std::to_string(::getpid()));
  std::string path = (dir / "save03.dat").string();
};

}  // namespace

TEST_F(ReplaceFileTest, NewContentsReplaceALongerFileCompletely) {
  std::ofstream(path) << "a much longer earlier save";
  ReplaceFileContents(path, {'n', 'e', 'w'});
  EXPECT_EQ(Contents(path), "new");
  EXPECT_FALSE(std::filesystem::exists(ReplacementScratchPath(path)));
}

TEST_F(ReplaceFileTest, FailedWriteKeepsTheOldFileAndLeavesNoScratchFile) {
  std::ofstream(path) << "the player's old save";
  persist_test::FailWritesAfter(2);
  try {
    ReplaceFileContents(path, std::vector<std::uint8_t>(100, 'x'));
    FAIL() << "a full disk was reported as success";
  } catch (const ArchiveError& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("Cannot save to " + path), std::string::npos) << message;
    EXPECT_NE(message.find("No space left on device"), std::string::npos) << message;
  }
  EXPECT_EQ(Contents(path), "the player's old save");
  EXPECT_FALSE(std::filesystem::exists(ReplacementScratchPath(path)));
}

TEST_F(ReplaceFileTest, MissingFolderIsAClearError) {
  const std::string nowhere = (dir / "no_such_folder" / "save00.dat").string();
  try {
    ReplaceFileContents(nowhere, {'x'});
    FAIL() << "saving into a missing folder was reported as success";
  } catch (const ArchiveError& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot save to " + nowhere + ": No such file or directory"),
              std::string::npos)
        << e.what();
  }
}

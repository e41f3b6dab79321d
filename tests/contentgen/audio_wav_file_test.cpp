#include "audio/wav_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace contentgen {
namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24; }
uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }
std::string Tag(const std::vector<uint8_t>& b, size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

TEST(WavFileTest, HeaderDescribesPcmDataOfEitherLayout) {
  struct Case {
    int channels;
    std::vector<int16_t> samples;
  };
  for (const Case& c : {Case{1, {0, 1, -1}}, Case{2, {1000, -1000, 32767, -32768}}}) {
    SCOPED_TRACE(c.channels);
    const std::vector<uint8_t> b = EncodeWav(c.samples, c.channels);
    const uint32_t dataBytes = static_cast<uint32_t>(c.samples.size() * 2);
    ASSERT_EQ(b.size(), 44 + dataBytes);
    EXPECT_EQ(Tag(b, 0), "RIFF");
    EXPECT_EQ(U32(b, 4), 36 + dataBytes);
    EXPECT_EQ(Tag(b, 8), "WAVE");
    EXPECT_EQ(Tag(b, 12), "fmt ");
    EXPECT_EQ(U32(b, 16), 16u);
    EXPECT_EQ(U16(b, 20), 1);  // PCM
    EXPECT_EQ(U16(b, 22), c.channels);
    EXPECT_EQ(U32(b, 24), 44100u);
    EXPECT_EQ(U32(b, 28), 44100u * 2 * c.channels);
    EXPECT_EQ(U16(b, 32), 2 * c.channels);
    EXPECT_EQ(U16(b, 34), 16);
    EXPECT_EQ(Tag(b, 36), "data");
    EXPECT_EQ(U32(b, 40), dataBytes);
    for (size_t i = 0; i < c.samples.size(); ++i) EXPECT_EQ(static_cast<int16_t>(U16(b, 44 + 2 * i)), c.samples[i]) << i;
  }
}

TEST(WavFileTest, SamplesRoundToNearestAndClampAtFullScale) {
  const std::vector<int16_t> pcm = ToPcm16({0.0, 1.0, -1.0, 0.5, -0.5, 0.4 / 32767, 0.6 / 32767, 2.0, -3.0});
  EXPECT_EQ(pcm, (std::vector<int16_t>{0, 32767, -32767, 16384, -16384, 0, 1, 32767, -32767}));
}

TEST(WavFileTest, RejectsImpossibleLayoutsAndUnwritablePaths) {
  EXPECT_THROW(EncodeWav({0, 0, 0}, 3), std::runtime_error);
  EXPECT_THROW(EncodeWav({0, 0, 0}, 2), std::runtime_error);  // half a stereo frame
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "quorvane-no-such-dir" / "x.wav";
  try {
    WriteWavFile(path, {0}, 1);
    FAIL() << "no error for " << path;
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace contentgen

#include "audio/sound_effects.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "audio/mp3_encoder.h"
#include "assets/sound_manager.h"
#include "audio/wav_file.h"
#include "contentgen.h"
#include "runtime/gamelib/gamelib.h"

namespace contentgen {
namespace {

namespace fs = std::filesystem;

// The game's effect table, entry by entry (8 and 17 share one file).
const std::vector<std::string> kGameEffectFiles = {
    "se017-0006.wav", "coin01.wav",      "get_50.wav",      "metal29_a.wav",   "bom10.wav",      "pi73.wav",
    "tm2_laser001.wav", "crash25.wav",   "power32.wav",     "mecha20.wav",     "ok1a.mp3",       "ok1b.mp3",
    "power04.wav",    "shoot16_b.wav",   "quiz1.wav",       "hit76_d.wav",     "power31.wav",    "power32.wav",
    "Onegai00@08.wav", "Kakugo00@11.wav", "IkuyoA@08.wav",  "sha00.wav",       "fstep03a.wav",   "pi79.wav",
    "cursor_04.wav",  "cursor_01.wav",   "decide3.wav"};

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name)
      : path(fs::temp_directory_path() / ("quorvane-audio-" + name + "-" + std::to_string(getpid()))) {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  const fs::path path;
};

TEST(SoundEffectsTest, TableHoldsEveryFileTheGameLooksUp) {
  std::set<std::string> names;
  for (const SSoundEffect& effect : SoundEffectTable()) EXPECT_TRUE(names.insert(effect.fileName).second) << effect.fileName;
  EXPECT_EQ(names, std::set<std::string>(kGameEffectFiles.begin(), kGameEffectFiles.end()));
  EXPECT_EQ(names.size(), 26u);
}

TEST(SoundEffectsTest, EveryEffectIsCleanAndFitsItsUse) {
  for (const SSoundEffect& effect : SoundEffectTable()) {
    SCOPED_TRACE(effect.fileName);
    const std::vector<double> samples = RenderSoundEffect(effect);
    const double seconds = samples.size() / 44100.0;
    EXPECT_GE(seconds, 0.02);
    EXPECT_LE(seconds, 1.5);
    double peak = 0.0, sum = 0.0;
    for (double s : samples) {
      peak = std::max(peak, std::abs(s));
      sum += s;
    }
    EXPECT_NEAR(20.0 * std::log10(peak), effect.peakDb, 0.01);
    EXPECT_LE(effect.peakDb, -0.5);  // never at full scale, even at full volume
    EXPECT_LT(std::abs(sum / samples.size()), 0.01);  // no DC offset
    const std::vector<int16_t> pcm = ToPcm16(samples);
    EXPECT_EQ(pcm.front(), 0);  // starts and ends without a click
    EXPECT_EQ(pcm.back(), 0);
  }
  // Sounds heard on every step or cursor move must stay out of the way.
  for (const auto& [name, longest] : {std::pair{"fstep03a.wav", 0.1}, {"cursor_04.wav", 0.06}}) {
    const auto it = std::find_if(SoundEffectTable().begin(), SoundEffectTable().end(), [&](const SSoundEffect& e) { return e.fileName == name; });
    ASSERT_NE(it, SoundEffectTable().end()) << name;
    EXPECT_LE(RenderSoundEffect(*it).size() / 44100.0, longest) << name;
  }
}

TEST(SoundEffectsTest, GenerateWritesEveryFileAndTheSameWavBytesEachTime) {
  ScratchDir first("first"), second("second");
  GenerateSounds(first.path);
  GenerateSounds(second.path);
  std::set<std::string> written;
  for (const auto& entry : fs::directory_iterator(first.path / "sound")) written.insert(entry.path().filename().string());
  EXPECT_EQ(written, std::set<std::string>(kGameEffectFiles.begin(), kGameEffectFiles.end()));  // and no stray files

  for (const SSoundEffect& effect : SoundEffectTable()) {
    SCOPED_TRACE(effect.fileName);
    const std::vector<uint8_t> bytes = ReadFile(first.path / "sound" / effect.fileName);
    ASSERT_GT(bytes.size(), 128u);
    if (fs::path(effect.fileName).extension() == ".mp3") {
      // An ID3 tag or an MPEG frame sync, not a renamed WAV.
      const bool id3 = bytes[0] == 'I' && bytes[1] == 'D' && bytes[2] == '3';
      const bool sync = bytes[0] == 0xff && (bytes[1] & 0xe0) == 0xe0;
      EXPECT_TRUE(id3 || sync);
    } else {
      EXPECT_EQ(bytes, EncodeWav(ToPcm16(RenderSoundEffect(effect)), 1));
      EXPECT_EQ(bytes, ReadFile(second.path / "sound" / effect.fileName));
    }
  }
}

TEST(SoundEffectsTest, FailuresAreReportedWithWhatToDo) {
  ScratchDir scratch("fail");
  const fs::path wav = scratch.path / "in.wav";
  WriteWavFile(wav, {0, 100, 0}, 1);
  try {
    EncodeMp3(wav, scratch.path / "out.mp3", 96, "quorvane-no-such-encoder");
    FAIL() << "a missing encoder went unnoticed";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("scripts/setup-deps"), std::string::npos) << e.what();
  }
  EXPECT_THROW(EncodeMp3(scratch.path / "missing.wav", scratch.path / "out.mp3", 96), std::runtime_error);

  // The output directory lies below a plain file, so it cannot be made.
  std::ofstream(scratch.path / "file") << "x";
  EXPECT_THROW(GenerateSounds(scratch.path / "file"), std::runtime_error);
}

}  // namespace
}  // namespace contentgen

// Every effect and piece of music of dat/ loads through the game's own sound
// manager on the real (dummy-output) mixer.
TEST(CommittedSounds, EveryEffectAndPieceLoadsThroughTheSoundManager) {
  ASSERT_EQ(GameLib_Init(), 0) << GameLib_GetLastError();
  {
    CSoundManager sound(true);
    for (int effect = 0; effect < SE_COUNT; ++effect) {
      EXPECT_GT(sound.GetSEHandle(effect), 0) << soundEffectFiles[effect].file;
    }
    for (int piece = 0; piece < BGM_COUNT; ++piece) {
      const std::string path = std::string("dat/bgm/") + bgmFiles[piece];
      const int handle = LoadSoundMem(path.c_str());
      EXPECT_GT(handle, 0) << path;
      DeleteSoundMem(handle);
    }
  }
  GameLib_End();
}

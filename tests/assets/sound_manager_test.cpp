#include "assets/sound_manager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/headless_library.h"
#include "assets/temp_tree.h"
#include "gfx/call_recording.h"

namespace {

using Calls = std::vector<std::string>;

// A short, quiet 16-bit mono WAV file.
std::string WavBytes() {
  const std::uint32_t rate = 22050;
  const std::uint32_t samples = 441;
  std::string b;
  auto u32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
  };
  auto u16 = [&](std::uint16_t v) {
    b.push_back(static_cast<char>(v & 0xff));
    b.push_back(static_cast<char>(v >> 8));
  };
  b += "RIFF";
  u32(36 + samples * 2);
  b += "WAVEfmt ";
  u32(16);
  u16(1);
  u16(1);
  u32(rate);
  u32(rate * 2);
  u16(2);
  u16(16);
  b += "data";
  u32(samples * 2);
  for (std::uint32_t i = 0; i < samples; ++i) u16(static_cast<std::uint16_t>((i % 50) * 20));
  return b;
}

std::vector<std::string> Matching(const Calls& calls, const std::string& prefix) {
  std::vector<std::string> out;
  for (const auto& c : calls) {
    if (c.rfind(prefix, 0) == 0) out.push_back(c);
  }
  return out;
}

TEST(CSoundManagerOffTest, SwitchedOffOpensAndPlaysNothing) {
  CCallRecording rec;
  // No folder either: with sound off nothing is looked at.
  CSoundManager sound(false, "no_such_folder/sound/", "no_such_folder/bgm/");
  sound.PlaySE(SE_CURSOR_01);
  sound.PlaySE(SE_FSTEP03A, true);
  sound.PlayBgm(BGM_BGML017);
  sound.PlayBgmFile("dat/bgm/free0541.mp3");
  sound.PlaySoundByName("cursor_01.wav");
  sound.SetSEFrequency(SE_CURSOR_01, 30000);
  sound.StopSE(SE_CURSOR_01);
  sound.StopAllSE();
  sound.StopAllSounds();
  sound.StopBgm();
  sound.Update();
  EXPECT_EQ(rec.Calls(), Calls{});
  EXPECT_FALSE(sound.IsEnabled());
}

class CSoundManagerTest : public HeadlessLibraryTest {
 protected:
  void SetUp() override {
    HeadlessLibraryTest::SetUp();
    const std::string wav = WavBytes();
    for (const char* f : {"cursor_04.wav", "cursor_01.wav", "decide3.wav", "power32.wav", "ok1a.mp3"}) {
      tree.Write(std::string("sound/") + f, wav);
    }
    tree.Write("sound/voice/extra.ogg", wav);
    tree.Write("sound/.svn/cursor_04.wav", wav);
    tree.Write("sound/notes.txt");
    tree.Write("bgm/free0541.mp3", wav);
    tree.Write("bgm/bgml017.mp3", wav);
  }
  std::string SoundDir() const { return tree.Dir() + "sound/"; }
  std::string BgmDir() const { return tree.Dir() + "bgm/"; }

  CTempTree tree{"sound_manager"};
};

TEST_F(CSoundManagerTest, LoadsTheSoundFolderAndSetsTheTableVolumes) {
  CCallRecording rec;
  CSoundManager sound(true, SoundDir(), BgmDir());
  const Calls loads = Matching(rec.Calls(), "LoadSoundMem(");
  EXPECT_EQ(loads.size(), 6u);
  for (const auto& load : loads) EXPECT_NE(load.find(",3,-1)"), std::string::npos) << load;

  std::vector<std::string> keys;
  for (const auto& [key, handle] : sound.GetCollector()->GetTable()) keys.push_back(key);
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<std::string>{"cursor_01.wav", "cursor_04.wav", "decide3.wav", "ok1a.mp3",
                                            "power32.wav", "voice/extra.ogg"}));

  EXPECT_GT(sound.GetSEHandle(SE_CURSOR_04), 0);
  EXPECT_EQ(sound.GetSEHandle(SE_POWER32), sound.GetSEHandle(SE_POWER32_B)) << "two entries, one file";
  EXPECT_EQ(sound.GetSEHandle(SE_HIT76_D), 0) << "a missing effect file gives handle 0";

  const Calls volumes = Matching(rec.Calls(), "ChangeVolumeSoundMem(");
  const std::string cursor = std::to_string(sound.GetSEHandle(SE_CURSOR_04));
  const std::string decide = std::to_string(sound.GetSEHandle(SE_DECIDE3));
  EXPECT_NE(std::find(volumes.begin(), volumes.end(), "ChangeVolumeSoundMem(102," + cursor + ")"), volumes.end());
  EXPECT_NE(std::find(volumes.begin(), volumes.end(), "ChangeVolumeSoundMem(51," + decide + ")"), volumes.end());
  EXPECT_EQ(volumes.size(), 9u) << "one per effect with a volume in the table";
}

TEST_F(CSoundManagerTest, AnEffectStartsAtMostOncePerFrame) {
  CSoundManager sound(true, SoundDir(), BgmDir());
  const std::string h = std::to_string(sound.GetSEHandle(SE_CURSOR_01));
  CCallRecording rec;
  for (int actor = 0; actor < 3; ++actor) sound.PlaySE(SE_CURSOR_01);
  sound.PlaySE(SE_DECIDE3);
  EXPECT_EQ(Matching(rec.Calls(), "PlaySoundMem(" + h + ","), Calls{"PlaySoundMem(" + h + ",1,1)"});
  EXPECT_EQ(Matching(rec.Calls(), "PlaySoundMem(").size(), 2u);

  rec.Clear();
  sound.Update();
  sound.PlaySE(SE_CURSOR_01, true);
  EXPECT_EQ(rec.Calls(), Calls{"PlaySoundMem(" + h + ",3,1)"}) << "the next frame restarts it, looping";

  // Playing by name is not limited.
  rec.Clear();
  sound.PlaySoundByName("cursor_01.wav");
  sound.PlaySoundByName("cursor_01.wav");
  EXPECT_EQ(Matching(rec.Calls(), "PlaySoundMem(").size(), 2u);

  EXPECT_THROW(sound.PlaySE(SE_COUNT), std::out_of_range);
  EXPECT_THROW(sound.PlaySE(-1), std::out_of_range);
}

TEST_F(CSoundManagerTest, MusicIsOnePieceAtATimeAndAlwaysLoops) {
  CSoundManager sound(true, SoundDir(), BgmDir());
  CCallRecording rec;
  sound.PlayBgm(BGM_FREE0541);
  const std::string first = std::to_string(sound.GetBgmHandle());
  EXPECT_EQ(rec.Calls(), (Calls{"LoadSoundMem(\"" + BgmDir() + "free0541.mp3\",3,-1)",
                                "ChangeVolumeSoundMem(10," + first + ")", "PlaySoundMem(" + first + ",3,1)"}));

  rec.Clear();
  sound.PlayBgm(BGM_BGML017);
  const std::string second = std::to_string(sound.GetBgmHandle());
  EXPECT_EQ(rec.Calls(), (Calls{"DeleteSoundMem(" + first + ")", "LoadSoundMem(\"" + BgmDir() + "bgml017.mp3\",3,-1)",
                                "PlaySoundMem(" + second + ",3,1)"}));

  rec.Clear();
  sound.StopBgm();
  EXPECT_EQ(rec.Calls(), Calls{"StopSoundMem(" + second + ")"});
  EXPECT_THROW(sound.PlayBgm(BGM_COUNT), std::out_of_range);
}

TEST(CSoundManagerErrorTest, MissingSoundFolderIsAClearErrorWhenSoundIsOn) {
  EXPECT_THROW(CSoundManager(true, "no_such_folder/dat/sound/"), CDataDirectoryMissing);
}

TEST(SoundTablesTest, EveryEffectHasAFileAndAVolumeInRange) {
  for (int i = 0; i < SE_COUNT; ++i) {
    const std::string file = soundEffectFiles[i].file;
    EXPECT_TRUE(HasAcceptedExtension(file, {"wav", "mp3", "ogg"})) << i << " " << file;
    EXPECT_GE(soundEffectFiles[i].volume, -1) << i;
    EXPECT_LE(soundEffectFiles[i].volume, 255) << i;
  }
  EXPECT_STREQ(soundEffectFiles[SE_POWER32].file, soundEffectFiles[SE_POWER32_B].file);
  for (int i = 0; i < BGM_COUNT; ++i) EXPECT_TRUE(HasAcceptedExtension(bgmFiles[i], {"mp3"})) << i;
}

}  // namespace

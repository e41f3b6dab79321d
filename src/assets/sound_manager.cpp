#include "assets/sound_manager.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <stdexcept>
#include <string>

#include "runtime/gamelib/gamelib.h"

// clang-format off
const SSoundEffectFile soundEffectFiles[SE_COUNT] = {
    {"se017-0006.wav",     100},
    {"coin01.wav",          -1},
    {"get_50.wav",          -1},
    {"metal29_a.wav",       -1},
    {"bom10.wav",           10},
    {"pi73.wav",            -1},
    {"tm2_laser001.wav",    -1},
    {"crash25.wav",         -1},
    {"power32.wav",         -1},
    {"mecha20.wav",         30},
    {"ok1a.mp3",            -1},
    {"ok1b.mp3",            -1},
    {"power04.wav",         -1},
    {"shoot16_b.wav",       51},
    {"quiz1.wav",           -1},
    {"hit76_d.wav",         76},
    {"power31.wav",         -1},
    {"power32.wav",         -1},
    {"Onegai00@08.wav",     -1},
    {"Kakugo00@11.wav",     -1},
    {"IkuyoA@08.wav",       -1},
    {"sha00.wav",           -1},
    {"fstep03a.wav",       127},
    {"pi79.wav",           102},
    {"cursor_04.wav",      102},
    {"cursor_01.wav",       -1},
    {"decide3.wav",         51},
};

const char* const bgmFiles[BGM_COUNT] = {
    "free0541.mp3", "bgml016.mp3", "DS-ji05m.mp3", "bgml017.mp3", "bgml054.mp3",
    "tamsu08.mp3",  "bgml019.mp3", "bgml035.mp3",  "bgml018.mp3", "bgml044.mp3",
};
// clang-format on

namespace {

// The title music is mastered loud and played quietly.
constexpr const char* kQuietBgm = "free0541.mp3";
constexpr int kQuietBgmVolume = 10;

int CheckedEffect(int effect) {
  if (effect < 0 || effect >= SE_COUNT) {
    throw std::out_of_range("sound effect number must be 0.." + std::to_string(SE_COUNT - 1) + ", got " +
                            std::to_string(effect));
  }
  return effect;
}

int PlayType(bool loop) { return loop ? DX_PLAYTYPE_LOOP : DX_PLAYTYPE_BACK; }

}  // namespace

CSoundManager::CSoundManager(bool enabled_, const std::string& soundRoot, const std::string& bgmRoot_)
    : enabled(enabled_), bgmRoot(bgmRoot_) {
  if (!enabled) return;
  SetCreateSoundDataType(DX_SOUNDDATATYPE_MEMPRESS);
  collector = std::make_unique<CResourceCollector>(soundRoot);
  collector->AddExtension("wav");
  collector->AddExtension("mp3");
  collector->AddExtension("ogg");
  collector->SetLoader([soundRoot](const std::string& path) {
    return TPair<std::string, int>{path.substr(soundRoot.size()), LoadSoundMem(path.c_str(), 3, -1)};
  });
  collector->Collect();
  InitSoundEffects();
}

void CSoundManager::InitSoundEffects() {
  if (!enabled) return;
  for (int i = 0; i < SE_COUNT; ++i) {
    const SSoundEffectFile& entry = soundEffectFiles[i];
    if (!collector->GetTable().contains(entry.file)) {
      std::fprintf(stderr, "sound effect %d not found: %s%s\n", i, collector->GetRoot().c_str(), entry.file);
    }
    seHandles[i] = collector->Get(entry.file);
    if (entry.volume >= 0) ChangeVolumeSoundMem(entry.volume, seHandles[i]);
  }
  std::copy(std::begin(bgmFiles), std::end(bgmFiles), std::begin(bgmNames));
}

int CSoundManager::GetSEHandle(int effect) const { return seHandles[CheckedEffect(effect)]; }

void CSoundManager::PlaySoundByName(const std::string& key, bool loop) {
  if (!enabled) return;
  PlaySoundMem(collector->Get(key), PlayType(loop), TRUE);
}

void CSoundManager::StopAllSounds() {
  if (!enabled) return;
  for (const auto& [key, handle] : collector->GetTable()) StopSoundMem(handle);
}

void CSoundManager::SetSEFrequency(int effect, int frequency) {
  if (!enabled) return;
  SetFrequencySoundMem(frequency, seHandles[CheckedEffect(effect)]);
}

void CSoundManager::PlaySE(int effect, bool loop) {
  if (!enabled) return;
  CheckedEffect(effect);
  if (std::find(startedThisFrame.begin(), startedThisFrame.end(), effect) != startedThisFrame.end()) return;
  startedThisFrame.push_back(effect);
  PlaySoundMem(seHandles[effect], PlayType(loop), TRUE);
}

void CSoundManager::Update() {
  if (!enabled) return;
  startedThisFrame.clear();
}

void CSoundManager::StopSE(int effect) {
  if (!enabled) return;
  StopSoundMem(seHandles[CheckedEffect(effect)]);
}

void CSoundManager::StopAllSE() {
  if (!enabled) return;
  for (int handle : seHandles) {
    if (handle > 0) StopSoundMem(handle);
  }
}

void CSoundManager::PlayBgm(int piece) {
  if (!enabled) return;
  if (piece < 0 || piece >= BGM_COUNT) {
    throw std::out_of_range("music number must be 0.." + std::to_string(BGM_COUNT - 1) + ", got " +
                            std::to_string(piece));
  }
  PlayBgmFile(bgmRoot + bgmNames[piece]);
}

void CSoundManager::PlayBgmFile(const std::string& path) {
  if (!enabled) return;
  if (bgmHandle > 0) DeleteSoundMem(bgmHandle);
  bgmHandle = LoadSoundMem(path.c_str(), 3, -1);
  if (bgmHandle <= 0) std::fprintf(stderr, "music could not be loaded: %s\n", path.c_str());
  if (path == bgmRoot + kQuietBgm) ChangeVolumeSoundMem(kQuietBgmVolume, bgmHandle);
  PlaySoundMem(bgmHandle, DX_PLAYTYPE_LOOP, TRUE);
}

void CSoundManager::StopBgm() {
  if (!enabled) return;
  StopSoundMem(bgmHandle);
}

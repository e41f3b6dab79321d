// Sound effects and music on SDL_mixer. Without an audio device every sound
// call does nothing and the game runs silent.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "runtime/gamelib/gamelib_state.h"

namespace gamelib_detail {
namespace {

constexpr int kMixRate = 44100;
constexpr int kChannels = 32;
// Pieces longer than this are streamed from the file instead of decoded into memory.
constexpr std::uintmax_t kStreamAbove = 256 * 1024;

Sound* FindSound(int handle) {
  auto it = S().sounds.find(handle);
  return it == S().sounds.end() ? nullptr : &it->second;
}

// Volume 0..255 as the game gives it, heard on a loudness-like curve.
int MixVolume(int volume255) {
  const double v = std::clamp(volume255, 0, 255) / 255.0;
  return static_cast<int>(std::lround(std::sqrt(v) * MIX_MAX_VOLUME));
}

void FreeSound(Sound& sound) {
  if (sound.channel >= 0 && Mix_Playing(sound.channel) &&
      (Mix_GetChunk(sound.channel) == sound.chunk || Mix_GetChunk(sound.channel) == sound.pitched)) {
    Mix_HaltChannel(sound.channel);
  }
  if (sound.music) {
    Mix_HaltMusic();
    Mix_FreeMusic(sound.music);
  }
  if (sound.pitched) Mix_FreeChunk(sound.pitched);
  if (sound.chunk) Mix_FreeChunk(sound.chunk);
  sound = Sound{};
}

bool OwnsChannel(const Sound& sound) {
  return sound.channel >= 0 && Mix_Playing(sound.channel) &&
         (Mix_GetChunk(sound.channel) == sound.chunk || Mix_GetChunk(sound.channel) == sound.pitched);
}

}  // namespace

bool OpenAudio() {
  State& s = S();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(kMixRate, AUDIO_S16SYS, 2, 1024) != 0) {
    if (!s.audioWarned) {
      std::fprintf(stderr, "Quorvane: no sound device (%s); the game runs silent.\n", SDL_GetError());
      s.audioWarned = true;
    }
    s.audioReady = false;
    return false;
  }
  Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG);
  Mix_AllocateChannels(kChannels);
  s.audioReady = true;
  return true;
}

void CloseAudio() {
  State& s = S();
  if (!s.audioReady) return;
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  s.audioReady = false;
}

void ReleaseSounds() {
  for (auto& [handle, sound] : S().sounds) FreeSound(sound);
  S().sounds.clear();
}

}  // namespace gamelib_detail

using namespace gamelib_detail;

int SetCreateSoundDataType(int) { return 0; }

int LoadSoundMem(const char* path, int bufferNum, int unionHandle) {
  if (Recording()) Record("LoadSoundMem", {Arg(path), Arg(bufferNum), Arg(unionHandle)});
  State& s = S();
  if (!s.audioReady || !path) return -1;
  Sound sound;
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) return -1;
  const std::string p = path;
  const bool compressed = p.size() > 4 && (p.ends_with(".mp3") || p.ends_with(".ogg"));
  if (compressed && size > kStreamAbove) {
    sound.music = Mix_LoadMUS(path);
  } else {
    sound.chunk = Mix_LoadWAV(path);
  }
  if (!sound.music && !sound.chunk) return -1;
  const int handle = s.nextSound++;
  s.sounds[handle] = sound;
  return handle;
}

int DeleteSoundMem(int soundHandle) {
  if (Recording()) Record("DeleteSoundMem", {Arg(soundHandle)});
  Sound* sound = FindSound(soundHandle);
  if (!sound) return -1;
  FreeSound(*sound);
  S().sounds.erase(soundHandle);
  return 0;
}

int PlaySoundMem(int soundHandle, int playType, int topPositionFlag) {
  if (Recording()) Record("PlaySoundMem", {Arg(soundHandle), Arg(playType), Arg(topPositionFlag)});
  Sound* sound = FindSound(soundHandle);
  if (!sound) return -1;
  const bool loop = playType == DX_PLAYTYPE_LOOP;
  if (sound->music) {
    Mix_VolumeMusic(MixVolume(sound->volume));
    return Mix_PlayMusic(sound->music, loop ? -1 : 1) == 0 ? 0 : -1;
  }
  // One voice per sound: playing it again restarts it.
  if (OwnsChannel(*sound)) {
    if (!topPositionFlag) return 0;
    Mix_HaltChannel(sound->channel);
  }
  Mix_Chunk* chunk = sound->pitched ? sound->pitched : sound->chunk;
  sound->channel = Mix_PlayChannel(-1, chunk, loop ? -1 : 0);
  if (sound->channel < 0) return -1;
  Mix_Volume(sound->channel, MixVolume(sound->volume));
  return 0;
}

int StopSoundMem(int soundHandle) {
  if (Recording()) Record("StopSoundMem", {Arg(soundHandle)});
  Sound* sound = FindSound(soundHandle);
  if (!sound) return -1;
  if (sound->music) {
    if (Mix_PlayingMusic()) Mix_HaltMusic();
  } else if (OwnsChannel(*sound)) {
    Mix_HaltChannel(sound->channel);
  }
  return 0;
}

int CheckSoundMem(int soundHandle) {
  Sound* sound = FindSound(soundHandle);
  if (!sound) return -1;
  if (sound->music) return Mix_PlayingMusic() ? 1 : 0;
  return OwnsChannel(*sound) ? 1 : 0;
}

int ChangeVolumeSoundMem(int volume255, int soundHandle) {
  if (Recording()) Record("ChangeVolumeSoundMem", {Arg(volume255), Arg(soundHandle)});
  Sound* sound = FindSound(soundHandle);
  if (!sound) return -1;
  sound->volume = std::clamp(volume255, 0, 255);
  if (sound->music) {
    Mix_VolumeMusic(MixVolume(sound->volume));
  } else if (OwnsChannel(*sound)) {
    Mix_Volume(sound->channel, MixVolume(sound->volume));
  }
  return 0;
}

int SetFrequencySoundMem(int frequency, int soundHandle) {
  if (Recording()) Record("SetFrequencySoundMem", {Arg(frequency), Arg(soundHandle)});
  Sound* sound = FindSound(soundHandle);
  if (!sound || !sound->chunk) return -1;
  if (sound->pitched) {
    Mix_FreeChunk(sound->pitched);
    sound->pitched = nullptr;
  }
  if (frequency <= 0 || frequency == kMixRate) return 0;
  // Resample the decoded 16-bit stereo frames: a higher frequency plays faster and higher.
  const auto* in = reinterpret_cast<const Sint16*>(sound->chunk->abuf);
  const size_t inFrames = sound->chunk->alen / 4;
  const double step = static_cast<double>(frequency) / kMixRate;
  const size_t outFrames = static_cast<size_t>(inFrames / step);
  if (outFrames == 0) return 0;
  auto* out = static_cast<Sint16*>(SDL_malloc(outFrames * 4));
  if (!out) return -1;
  for (size_t i = 0; i < outFrames; ++i) {
    const size_t src = std::min(inFrames - 1, static_cast<size_t>(i * step));
    out[2 * i] = in[2 * src];
    out[2 * i + 1] = in[2 * src + 1];
  }
  sound->pitched = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(out), static_cast<Uint32>(outFrames * 4));
  if (!sound->pitched) {
    SDL_free(out);
    return -1;
  }
  sound->pitched->allocated = 1;  // freed with the chunk
  return 0;
}

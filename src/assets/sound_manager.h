// Sound effects (all of dat/sound/, loaded at start-up) and music (one
// piece of dat/bgm/ at a time). With sound switched off in the settings
// nothing is loaded and nothing plays.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "assets/resource_collector.h"

// Sound effects by number; the name is the file's.
enum ESoundEffect : int {
  SE_SE017_0006 = 0,
  SE_COIN01 = 1,
  SE_GET_50 = 2,
  SE_METAL29_A = 3,
  SE_BOM10 = 4,
  SE_PI73 = 5,
  SE_TM2_LASER001 = 6,
  SE_CRASH25 = 7,
  SE_POWER32 = 8,
  SE_MECHA20 = 9,
  SE_OK1A = 10,
  SE_OK1B = 11,
  SE_POWER04 = 12,      // a unit attacks
  SE_SHOOT16_B = 13,
  SE_QUIZ1 = 14,
  SE_HIT76_D = 15,      // a hit lands
  SE_POWER31 = 16,
  SE_POWER32_B = 17,    // the same sound as SE_POWER32
  SE_ONEGAI = 18,
  SE_KAKUGO = 19,
  SE_IKUYO = 20,
  SE_SHA00 = 21,        // evasion
  SE_FSTEP03A = 22,     // a unit's step
  SE_PI79 = 23,         // free scroll, system menu
  SE_CURSOR_04 = 24,    // focus moves in a menu
  SE_CURSOR_01 = 25,    // decide
  SE_DECIDE3 = 26,      // cancel, undo a move
  SE_COUNT = 27
};

// Music by number; the name is the file's.
enum EBgm : int {
  BGM_FREE0541 = 0,
  BGM_BGML016 = 1,
  BGM_DS_JI05M = 2,   // stage cleared
  BGM_BGML017 = 3,    // forest battles
  BGM_BGML054 = 4,    // castle battles
  BGM_TAMSU08 = 5,    // cave battles
  BGM_BGML019 = 6,
  BGM_BGML035 = 7,
  BGM_BGML018 = 8,
  BGM_BGML044 = 9,
  BGM_COUNT = 10
};

struct SSoundEffectFile {
  const char* file;  // below dat/sound/
  int volume;        // 0..255 given after loading; -1 keeps full volume
};
extern const SSoundEffectFile soundEffectFiles[SE_COUNT];
extern const char* const bgmFiles[BGM_COUNT];

class CSoundManager {
 public:
  // `enabled` is the sound switch of the settings. When on, every sound of
  // `soundRoot` is loaded (a missing folder throws CDataDirectoryMissing).
  explicit CSoundManager(bool enabled, const std::string& soundRoot = "dat/sound/",
                         const std::string& bgmRoot = "dat/bgm/");
  virtual ~CSoundManager() = default;

  // A collected sound by its key below the sound folder, without the
  // once-per-frame rule.
  virtual void PlaySoundByName(const std::string& key, bool loop = false);
  virtual void StopAllSounds();
  virtual void InitSoundEffects();
  virtual void SetSEFrequency(int effect, int frequency);
  // Restarts the effect, at most once between two calls of Update however
  // many actors ask for it. Numbers outside 0..26 throw std::out_of_range.
  virtual void PlaySE(int effect, bool loop = false);
  // Once per frame, after the scene's Update.
  virtual void Update();
  virtual void StopSE(int effect);
  // Releases the current piece and plays `path` in a loop.
  virtual void PlayBgmFile(const std::string& path);
  virtual void PlayBgm(int piece);
  // The piece stays loaded until the next one starts.
  virtual void StopBgm();
  virtual void StopAllSE();

  bool IsEnabled() const { return enabled; }
  int GetSEHandle(int effect) const;
  int GetBgmHandle() const { return bgmHandle; }
  const std::vector<int>& GetStartedThisFrame() const { return startedThisFrame; }
  // Null when sound is off.
  const CResourceCollector* GetCollector() const { return collector.get(); }

 private:
  std::unique_ptr<CResourceCollector> collector;
  int seHandles[SE_COUNT] = {};
  std::string bgmNames[BGM_COUNT];
  bool enabled;
  int bgmHandle = 0;
  std::vector<int> startedThisFrame;
  std::string bgmRoot;
};

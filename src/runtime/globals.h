// The process-wide objects of the game, created in one fixed order by
// InitGlobals (game/main_loop.cpp) and living for the whole run. Tests may
// re-create them. The objects are declared here for every layer; their
// classes live in the layers that own them, so code that uses one includes
// that class's header too.
#pragma once

#include <memory>
#include <string>

class CKeyManagerBase;
class CImageManager;
class CSoundManager;
class CFpsTimer;
class CRandom;
class CSaveData;
class COptionInfo;
class CSystemData;

extern COptionInfo optionInfo;
extern CSystemData gSystemData;
extern std::unique_ptr<CSaveData> saveData;  // the game in progress
extern std::unique_ptr<CKeyManagerBase> keyManager;
extern std::unique_ptr<CImageManager> imageManager;
// The handle of a loaded image of dat/image/, or 0 while there is no image
// manager (tests that draw nothing).
int GetImageHandle(const std::string& key);
extern std::unique_ptr<CSoundManager> soundManager;
extern std::unique_ptr<CFpsTimer> fpsTimer;
// Game logic draws from gameRandom (hit rolls, damage spread); visuals only
// from effectRandom, so that effects never change a battle's outcome.
extern std::unique_ptr<CRandom> gameRandom;
extern std::unique_ptr<CRandom> effectRandom;

// Font handles of the game library.
extern int fontEdge12;
extern int fontNormal16;
extern int fontNormal14;
extern int fontEdge14;
extern int fontNormal20;
extern int fontAntialiasEdge30;

// The window caption.
inline constexpr const char* kGameTitle = "Quorvane ver1.00";

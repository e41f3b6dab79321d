#include "runtime/globals.h"

#include "assets/image_manager.h"
#include "assets/sound_manager.h"
#include "core/random.h"
#include "persist/option_info.h"
#include "persist/save_data.h"
#include "persist/system_data.h"
#include "runtime/fps_timer.h"
#include "runtime/key_manager.h"

COptionInfo optionInfo;
CSystemData gSystemData;
std::unique_ptr<CSaveData> saveData;
std::unique_ptr<CKeyManagerBase> keyManager;
std::unique_ptr<CImageManager> imageManager;
std::unique_ptr<CSoundManager> soundManager;
std::unique_ptr<CFpsTimer> fpsTimer;
std::unique_ptr<CRandom> gameRandom;
std::unique_ptr<CRandom> effectRandom;

int fontEdge12 = -1;
int fontNormal16 = -1;
int fontNormal14 = -1;
int fontEdge14 = -1;
int fontNormal20 = -1;
int fontAntialiasEdge30 = -1;

int GetImageHandle(const std::string& key) { return imageManager ? imageManager->GetHandle(key) : 0; }

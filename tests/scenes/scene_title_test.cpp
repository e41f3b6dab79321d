#include "scenes/scene_title.h"

#include <gtest/gtest.h>

#include "assets/image_manager.h"
#include "persist/save_data.h"
#include "runtime/globals.h"

namespace {

// A battle given up builds the title while it still runs on the party of
// the old save data: the title may start its new game only once it is current.
TEST(SceneTitle, StartsTheNewGameOnlyOnceItIsCurrent) {
  imageManager = std::make_unique<CImageManager>();
  saveData = NewGameSaveData();
  const CSaveData* before = saveData.get();
  CSceneTitle title;
  EXPECT_EQ(saveData.get(), before);
  title.Update();
  EXPECT_NE(saveData.get(), before);
  const CSaveData* started = saveData.get();
  title.Update();
  EXPECT_EQ(saveData.get(), started) << "once";
  saveData.reset();
  imageManager.reset();
}

}  // namespace

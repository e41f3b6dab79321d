#include "assets/image_manager.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "assets/headless_library.h"
#include "assets/resource_collector.h"
#include "assets/temp_tree.h"

namespace {

class CImageManagerTest : public HeadlessLibraryTest {};

TEST_F(CImageManagerTest, LoadsEveryImageUnderItsRelativePath) {
  CTempTree tree("image_manager");
  DrawBox(0, 0, 32, 32, GetColor(0, 128, 255), TRUE);
  const std::string png = tree.Path("screen.png");
  ASSERT_EQ(SaveScreenshot(png.c_str()), 0);
  tree.Copy(png, "title.png");
  tree.Copy(png, "ziki/knight.png");
  tree.Copy(png, "ziki/deeper/more/x.bmp.png");
  std::filesystem::remove(png);
  tree.Write("broken.png");  // not an image at all
  tree.Write("readme.txt");
  tree.Write("image.PNG");
  tree.Write("noextension");
  tree.Write(".svn/title.png");
  tree.Write("ziki/.svn/knight.png");

  const CImageManager images(tree.Dir());
  std::set<std::string> keys;
  for (const auto& [key, handle] : images.GetHandles()) keys.insert(key);
  EXPECT_EQ(keys, (std::set<std::string>{"title.png", "ziki/knight.png", "ziki/deeper/more/x.bmp.png", "broken.png"}));

  int w = 0;
  int h = 0;
  ASSERT_GT(images.GetHandle("ziki/knight.png"), 0);
  EXPECT_EQ(GetGraphSize(images.GetHandle("ziki/knight.png"), &w, &h), 0);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  EXPECT_NE(images.GetHandle("title.png"), images.GetHandle("ziki/knight.png"));
  EXPECT_EQ(images.GetHandle("broken.png"), -1) << "a file the library cannot read keeps its -1";
  EXPECT_EQ(images.GetHandle("nothing/here.png"), 0);
  EXPECT_EQ(images.GetHandle("/title.png"), 0);
}

TEST(CImageManagerErrorTest, MissingImageFolderNamesItAndSaysWhereToStart) {
  try {
    CImageManager images("no_such_place/dat/image/");
    FAIL() << "expected an error";
  } catch (const std::runtime_error& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("\"no_such_place/dat/image/\""), std::string::npos) << message;
    EXPECT_NE(message.find("Start the game from the folder that holds dat/"), std::string::npos) << message;
  }
}

}  // namespace

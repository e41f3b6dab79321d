#include "assets/resource_collector.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "assets/temp_tree.h"

namespace {

TEST(CResourceCollectorTest, CollectsAcceptedFilesRecursivelySkippingSvn) {
  CTempTree tree("collector");
  tree.Write("a.wav");
  tree.Write("b.WAV");
  tree.Write("c.ogg.txt");
  tree.Write("voice/hello.mp3");
  tree.Write("voice/.svn/old.wav");
  tree.Write(".svn/entries.wav");
  tree.Write("x/same.wav");
  tree.Write("y/same.wav");

  CResourceCollector collector(tree.Dir());
  collector.AddExtension("wav");
  collector.AddExtension("mp3");
  int loaded = 0;
  std::map<std::string, std::string> pathOf;
  collector.SetLoader([&](const std::string& path) {
    const std::string rel = path.substr(tree.Dir().size());
    const std::string key = rel.substr(rel.rfind('/') + 1);  // keyed by file name only
    pathOf[key] = rel;
    return TPair<std::string, int>{key, ++loaded};
  });
  collector.Collect();

  EXPECT_EQ(loaded, 4) << "a.wav, voice/hello.mp3, x/same.wav, y/same.wav";
  EXPECT_EQ(collector.GetTable().size(), 3u);
  EXPECT_NE(collector.Get("a.wav"), 0);
  EXPECT_NE(collector.Get("hello.mp3"), 0);
  EXPECT_EQ(collector.Get("same.wav"), 4) << "a later file of the same key replaces the earlier";
  EXPECT_EQ(pathOf["same.wav"], "y/same.wav");
  EXPECT_EQ(collector.Get("b.WAV"), 0);
  EXPECT_EQ(collector.Get("old.wav"), 0);
  EXPECT_EQ(collector.Get("entries.wav"), 0);
}

TEST(CResourceCollectorTest, MissingFolderOrLoaderIsAClearError) {
  CResourceCollector collector("no_such_folder/sound/");
  collector.AddExtension("wav");
  collector.SetLoader([](const std::string& path) { return TPair<std::string, int>{path, 1}; });
  try {
    collector.Collect();
    FAIL() << "expected an error";
  } catch (const CDataDirectoryMissing& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("\"no_such_folder/sound/\""), std::string::npos) << message;
    EXPECT_NE(message.find("folder that holds dat/"), std::string::npos) << message;
  }

  CTempTree tree("collector_noloader");
  CResourceCollector noLoader(tree.Dir());
  EXPECT_THROW(noLoader.Collect(), std::runtime_error);
}

TEST(ResourceFilesTest, ExtensionIsTheLastDotPartExactly) {
  const std::vector<std::string> ext = {"png", "bmp", "jpg", "gif"};
  EXPECT_TRUE(HasAcceptedExtension("title.png", ext));
  EXPECT_TRUE(HasAcceptedExtension("a.b.gif", ext));
  EXPECT_FALSE(HasAcceptedExtension("image.PNG", ext));
  EXPECT_FALSE(HasAcceptedExtension("readme.txt", ext));
  EXPECT_FALSE(HasAcceptedExtension("noextension", ext));
  EXPECT_FALSE(HasAcceptedExtension("png", ext));
  EXPECT_FALSE(HasAcceptedExtension("title.png.bak", ext));
  EXPECT_FALSE(HasAcceptedExtension("title.", ext));
}

}  // namespace

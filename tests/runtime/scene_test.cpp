#include "runtime/scene.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/error_log.h"

namespace {

std::vector<std::string> events;

class LoggingScene : public CScene {
 public:
  explicit LoggingScene(std::string name) : name(std::move(name)) {}
  ~LoggingScene() override { events.push_back(name + ".destroyed"); }
  void Update() override { events.push_back(name + ".Update"); }
  void ProcessInput() override { events.push_back(name + ".ProcessInput"); }
  void Draw() override { events.push_back(name + ".Draw"); }

 private:
  std::string name;
};

TEST(SceneSwitch, OnlyTheLastRequestTakesOverAtTheSwitchPoint) {
  events.clear();
  currentScene = std::make_unique<LoggingScene>("title");
  SetNextScene(std::make_unique<LoggingScene>("camp"));
  SetNextScene(std::make_unique<LoggingScene>("battle"));
  EXPECT_EQ(events, std::vector<std::string>{"camp.destroyed"});
  SwitchScene();
  currentScene->Update();
  EXPECT_EQ(events, (std::vector<std::string>{"camp.destroyed", "title.destroyed", "battle.Update"}));
  EXPECT_EQ(nextScene, nullptr);
  SwitchScene();  // nothing waiting: nothing changes
  EXPECT_EQ(events.size(), 3u);
  currentScene.reset();
}

TEST(ErrorLog, WritesTheMessageUnchangedIntoATimeNamedFile) {
  const std::string name = WriteDebugLog("exception:map file missing");
  ASSERT_FALSE(name.empty());
  EXPECT_TRUE(name.ends_with(".log"));
  EXPECT_GT(std::stoll(name.substr(0, name.size() - 4)), 1700000000000LL);
  std::ifstream in(name, std::ios::binary);
  const std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(body, "exception:map file missing");
  in.close();
  std::filesystem::remove(name);
}

}  // namespace

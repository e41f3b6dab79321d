// The game's code is built in layers that point one way: a file may include
// headers of its own layer and of the layers below it, never above. The
// README's code map says the same in words.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

struct SLayer {
  std::string name;
  std::vector<std::string> members;  // path prefixes below src/; the longest match decides
  std::vector<std::string> uses;     // layers directly below
};

// Bottom-up. The battle scene's files that hold dialogs and windows (the
// scene itself, its strategies and command steps) are named one by one: the
// rest of battle/ is the rules the windows show.
const std::vector<SLayer> kLayers = {
    {"game library", {"runtime/gamelib/"}, {}},
    {"core", {"core/"}, {"game library"}},
    {"runtime", {"runtime/"}, {"core"}},
    {"gfx", {"gfx/"}, {"runtime"}},
    {"assets", {"assets/"}, {"gfx"}},
    {"dialog toolkit",
     {"ui/gui_manager", "ui/dialog", "ui/panes", "ui/menu_dialog", "ui/message_dialog", "ui/window_panes", "ui/game_ui_window"},
     {"assets"}},
    {"rules", {"battle/", "combat/", "persist/"}, {"assets"}},
    {"battle windows", {"ui/"}, {"dialog toolkit", "rules"}},
    {"battle scene", {"battle/stage.cpp", "battle/stage_strategies", "battle/unit_command", "battle/announce"}, {"battle windows"}},
    {"scenario", {"scenario/"}, {"battle scene"}},
    {"scenes", {"scenes/"}, {"scenario"}},
    {"game", {"game/", "main.cpp"}, {"scenes"}},
};

const SLayer* LayerOf(const std::string& path) {
  const SLayer* best = nullptr;
  std::size_t bestLength = 0;
  for (const SLayer& layer : kLayers) {
    for (const std::string& prefix : layer.members) {
      if (path.starts_with(prefix) && prefix.size() > bestLength) {
        best = &layer;
        bestLength = prefix.size();
      }
    }
  }
  return best;
}

// Every layer a layer may include: itself and everything below it.
std::set<std::string> Reachable(const std::string& name) {
  std::set<std::string> seen{name};
  std::vector<std::string> open{name};
  while (!open.empty()) {
    const std::string current = open.back();
    open.pop_back();
    const auto it = std::find_if(kLayers.begin(), kLayers.end(), [&](const SLayer& l) { return l.name == current; });
    for (const std::string& below : it->uses) {
      if (seen.insert(below).second) open.push_back(below);
    }
  }
  return seen;
}

TEST(Layers, EveryIncludePointsDownwards) {
  const std::filesystem::path src = "src";
  ASSERT_TRUE(std::filesystem::is_directory(src)) << "run from the repository root";
  std::map<std::string, std::set<std::string>> allowed;
  for (const SLayer& layer : kLayers) allowed[layer.name] = Reachable(layer.name);

  const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
  std::vector<std::string> faults;
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
    const std::string ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
    const std::string path = std::filesystem::relative(entry.path(), src).generic_string();
    const SLayer* from = LayerOf(path);
    if (!from) {
      faults.push_back(path + " belongs to no layer");
      continue;
    }
    ++files;
    std::ifstream in(entry.path());
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
      if (!std::regex_search(line, m, include)) continue;
      const std::string target = m[1];
      if (!std::filesystem::exists(src / target)) continue;  // not one of ours
      const SLayer* to = LayerOf(target);
      if (to && !allowed[from->name].contains(to->name)) {
        faults.push_back(path + " (" + from->name + ") includes " + target + " (" + to->name + ")");
      }
    }
  }
  EXPECT_GT(files, 100);
  std::string report;
  for (const std::string& f : faults) report += "\n  " + f;
  EXPECT_TRUE(faults.empty()) << "includes that point up:" << report;
}

TEST(Layers, TheMapOfLayersHasNoCircle) {
  // A layer below another never reaches it back, and the sorted order is the
  // order of the table.
  for (std::size_t i = 0; i < kLayers.size(); ++i) {
    const std::set<std::string> below = Reachable(kLayers[i].name);
    for (std::size_t j = i + 1; j < kLayers.size(); ++j) {
      EXPECT_FALSE(below.contains(kLayers[j].name)) << kLayers[i].name << " reaches " << kLayers[j].name;
    }
  }
  // The layers named in the README's code map exist.
  EXPECT_EQ(LayerOf("battle/stage.h")->name, "rules");
  EXPECT_EQ(LayerOf("battle/stage.cpp")->name, "battle scene");
  EXPECT_EQ(LayerOf("ui/status_window.cpp")->name, "battle windows");
  EXPECT_EQ(LayerOf("ui/dialog.cpp")->name, "dialog toolkit");
  EXPECT_EQ(LayerOf("runtime/gamelib/gamelib.h")->name, "game library");
}

}  // namespace

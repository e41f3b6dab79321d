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
  std::string folder;             // below src/, or a file of src/ itself
  std::vector<std::string> uses;  // layers directly below
};

// Bottom-up, one folder a layer.
const std::vector<SLayer> kLayers = {
    {"runtime/gamelib/", {}},
    {"core/", {"runtime/gamelib/"}},
    {"runtime/", {"core/"}},
    {"gfx/", {"runtime/"}},
    {"assets/", {"gfx/"}},
    {"ui/", {"assets/"}},
    {"field/", {"assets/"}},
    {"persist/", {"field/"}},
    {"combat/", {"field/"}},
    {"battle/", {"combat/", "persist/", "ui/"}},
    {"scenario/", {"battle/"}},
    {"scenes/", {"scenario/"}},
    {"game/", {"scenes/"}},
    {"main.cpp", {"game/"}},
};

// The layer of a path below src/: the longest folder it lies in.
const SLayer* LayerOf(const std::string& path) {
  const SLayer* best = nullptr;
  for (const SLayer& layer : kLayers) {
    if (path.starts_with(layer.folder) && (!best || layer.folder.size() > best->folder.size())) best = &layer;
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
    const auto it = std::find_if(kLayers.begin(), kLayers.end(), [&](const SLayer& l) { return l.folder == current; });
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
  for (const SLayer& layer : kLayers) allowed[layer.folder] = Reachable(layer.folder);

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
      if (to && !allowed[from->folder].contains(to->folder)) {
        faults.push_back(path + " includes " + target);
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
    const std::set<std::string> below = Reachable(kLayers[i].folder);
    for (std::size_t j = i + 1; j < kLayers.size(); ++j) {
      EXPECT_FALSE(below.contains(kLayers[j].folder)) << kLayers[i].folder << " reaches " << kLayers[j].folder;
    }
  }
  // Every folder of src/ is a layer of its own.
  for (const auto& entry : std::filesystem::recursive_directory_iterator("src")) {
    if (!entry.is_directory()) continue;
    const std::string folder = std::filesystem::relative(entry.path(), "src").generic_string() + "/";
    const auto it = std::find_if(kLayers.begin(), kLayers.end(), [&](const SLayer& l) { return l.folder == folder; });
    EXPECT_NE(it, kLayers.end()) << "src/" << folder << " is no layer";
  }
  EXPECT_EQ(LayerOf("runtime/gamelib/gamelib.h")->folder, "runtime/gamelib/");
  EXPECT_EQ(LayerOf("runtime/scene.h")->folder, "runtime/");
}

}  // namespace

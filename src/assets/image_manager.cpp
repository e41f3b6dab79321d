#include "assets/image_manager.h"

#include <algorithm>
#include <cstdio>

#include "assets/resource_collector.h"
#include "runtime/gamelib/gamelib.h"

namespace {
// Deeper trees than this are taken for a directory link that loops.
constexpr std::ptrdiff_t kMaxDirectoryDepth = 32;
}

CImageManager::CImageManager(const std::string& root) : rootDir(root), extensions{"png", "bmp", "jpg", "gif"} {
  LoadDirectory(root, "");
}

bool CImageManager::IsTargetFile(const std::string& name) const { return HasAcceptedExtension(name, extensions); }

void CImageManager::LoadDirectory(const std::string& root, const std::string& relative) {
  if (std::count(relative.begin(), relative.end(), '/') > kMaxDirectoryDepth) {
    throw CDataDirectoryUnreadable(root + relative, "folders nested too deeply (a folder link that loops?)");
  }
  for (const SDirectoryEntry& entry : ListDataDirectory(root + relative)) {
    if (entry.name == ".svn") continue;
    if (entry.isFile && IsTargetFile(entry.name)) {
      const std::string path = root + relative + entry.name;
      handles[relative + entry.name] = LoadGraph(path.c_str());
    } else if (entry.isDirectory) {
      LoadDirectory(root, relative + entry.name + "/");
    }
  }
}

int CImageManager::GetHandle(const std::string& key) const {
  const auto it = handles.find(key);
  if (it != handles.end()) return it->second;
  if (reportedMissing.insert(key).second) {
    std::fprintf(stderr, "image not found: %s%s\n", rootDir.c_str(), key.c_str());
  }
  return 0;
}

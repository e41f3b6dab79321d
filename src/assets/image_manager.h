// Every image under dat/image/, loaded once at start-up and found by its
// path relative to that folder ("ui_parts/cursor.png").
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CImageManager {
 public:
  // Loads everything below `root`; a missing root throws CDataDirectoryMissing.
  explicit CImageManager(const std::string& root = "dat/image/");
  virtual ~CImageManager() = default;

  // "png", "bmp", "jpg" or "gif" after the last ".", case-sensitive.
  virtual bool IsTargetFile(const std::string& name) const;
  // Loads the images of root + relative and below, keyed relative + name.
  virtual void LoadDirectory(const std::string& root, const std::string& relative);
  // The handle of a loaded image, or 0 when there is none under that key
  // (said once per key on stderr, so that a misspelt key is found).
  virtual int GetHandle(const std::string& key) const;

  const std::unordered_map<std::string, int>& GetHandles() const { return handles; }

 private:
  std::string rootDir;
  std::vector<std::string> extensions;
  std::unordered_map<std::string, int> handles;
  mutable std::unordered_set<std::string> reportedMissing;
};

// Collects every file of a data directory tree into a table of ints, keyed
// as the loader decides.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/geometry.h"

// A data directory the game cannot start without is missing.
class CDataDirectoryMissing : public std::runtime_error {
 public:
  explicit CDataDirectoryMissing(const std::string& directory);
};

// A data directory could not be read.
class CDataDirectoryUnreadable : public std::runtime_error {
 public:
  CDataDirectoryUnreadable(const std::string& directory, const std::string& reason);
};

// The names of a directory in a stable (sorted) order, and whether each is
// a directory. Throws CDataDirectoryMissing / CDataDirectoryUnreadable.
struct SDirectoryEntry {
  std::string name;
  bool isDirectory = false;
  bool isFile = false;
};
std::vector<SDirectoryEntry> ListDataDirectory(const std::string& directory);

// True when the name, split at every ".", has at least two parts and the
// last equals one of `extensions` exactly ("png", not "PNG").
bool HasAcceptedExtension(const std::string& name, const std::vector<std::string>& extensions);

class CResourceCollector {
 public:
  using Loader = std::function<TPair<std::string, int>(const std::string& path)>;

  // `root` ends in "/".
  explicit CResourceCollector(std::string root);
  virtual ~CResourceCollector() = default;

  virtual const std::unordered_map<std::string, int>& GetTable() const { return values; }
  // Hands every accepted file below `dir` to the loader; ".svn" is skipped.
  virtual void CollectDirectory(const std::string& dir);
  virtual void SetLoader(Loader newLoader) { loader = std::move(newLoader); }
  virtual void AddExtension(const std::string& ext) { extensions.push_back(ext); }
  virtual void Collect();
  // 0 for a key that was not collected.
  virtual int Get(const std::string& key) const;

  const std::string& GetRoot() const { return root; }

 private:
  void CollectDirectory(const std::string& dir, int depth);

  std::string root;
  std::unordered_map<std::string, int> values;
  std::vector<std::string> extensions;
  Loader loader;
};

#include "assets/resource_collector.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Deeper trees than this are taken for a directory link that loops.
constexpr int kMaxDirectoryDepth = 32;

std::string Absolute(const std::string& directory) {
  std::error_code ec;
  const fs::path abs = fs::absolute(directory, ec);
  return ec ? directory : abs.string();
}

}  // namespace

CDataDirectoryMissing::CDataDirectoryMissing(const std::string& directory)
    : std::runtime_error("The data folder \"" + directory + "\" is missing (looked for " + Absolute(directory) +
                         "). Start the game from the folder that holds dat/.") {}

CDataDirectoryUnreadable::CDataDirectoryUnreadable(const std::string& directory, const std::string& reason)
    : std::runtime_error("The data folder \"" + directory + "\" cannot be read: " + reason) {}

std::vector<SDirectoryEntry> ListDataDirectory(const std::string& directory) {
  std::error_code ec;
  if (!fs::is_directory(directory, ec)) throw CDataDirectoryMissing(directory);

  std::vector<SDirectoryEntry> result;
  fs::directory_iterator it(directory, ec);
  if (ec) throw CDataDirectoryUnreadable(directory, ec.message());
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) throw CDataDirectoryUnreadable(directory, ec.message());
    SDirectoryEntry entry;
    entry.name = it->path().filename().string();
    std::error_code typeError;
    entry.isDirectory = it->is_directory(typeError);
    entry.isFile = !typeError && it->is_regular_file(typeError);
    result.push_back(std::move(entry));
  }
  if (ec) throw CDataDirectoryUnreadable(directory, ec.message());
  // The file system gives no order; a sorted listing makes loading repeatable.
  std::sort(result.begin(), result.end(),
            [](const SDirectoryEntry& a, const SDirectoryEntry& b) { return a.name < b.name; });
  return result;
}

bool HasAcceptedExtension(const std::string& name, const std::vector<std::string>& extensions) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  const std::string last = name.substr(dot + 1);
  return std::find(extensions.begin(), extensions.end(), last) != extensions.end();
}

CResourceCollector::CResourceCollector(std::string root_) : root(std::move(root_)) {}

void CResourceCollector::Collect() { CollectDirectory(root); }

void CResourceCollector::CollectDirectory(const std::string& dir) { CollectDirectory(dir, 0); }

void CResourceCollector::CollectDirectory(const std::string& dir, int depth) {
  if (depth > kMaxDirectoryDepth) {
    throw CDataDirectoryUnreadable(dir, "folders nested too deeply (a folder link that loops?)");
  }
  if (!loader) throw std::runtime_error("resource collector for " + root + " has no loader");
  for (const SDirectoryEntry& entry : ListDataDirectory(dir)) {
    if (entry.isDirectory) {
      if (entry.name != ".svn") CollectDirectory(dir + entry.name + "/", depth + 1);
    } else if (entry.isFile && HasAcceptedExtension(entry.name, extensions)) {
      TPair<std::string, int> loaded = loader(dir + entry.name);
      values[loaded.first] = loaded.second;
    }
  }
}

int CResourceCollector::Get(const std::string& key) const {
  const auto it = values.find(key);
  return it == values.end() ? 0 : it->second;
}

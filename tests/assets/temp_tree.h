// A scratch folder tree for the data-scanning tests, removed afterwards.
// Named per process, since ctest runs tests side by side.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

class CTempTree {
 public:
  explicit CTempTree(const std::string& name)
      : root(std::filesystem::temp_directory_path() / ("quorvane_" + name + "_" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
  }
  ~CTempTree() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  CTempTree(const CTempTree&) = delete;
  CTempTree& operator=(const CTempTree&) = delete;

  // The folder as the game names folders: with a trailing "/".
  std::string Dir() const { return root.string() + "/"; }
  std::string Path(const std::string& relative) const { return (root / relative).string(); }

  // Writes a file (creating its folders); the content rarely matters.
  void Write(const std::string& relative, const std::string& content = "not a real file") const {
    const auto path = root / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }
  void Copy(const std::string& from, const std::string& relative) const {
    const auto path = root / relative;
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::copy_file(from, path, std::filesystem::copy_options::overwrite_existing);
  }

 private:
  std::filesystem::path root;
};

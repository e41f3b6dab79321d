#include <algorithm>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "contentgen.h"

namespace contentgen {

namespace fs = std::filesystem;

void CopyEventScripts(const fs::path& contentDir, const fs::path& outDir) {
  const fs::path from = contentDir / "events";
  std::error_code ec;
  if (!fs::is_directory(from, ec)) throw std::runtime_error("no event scripts: " + from.string() + " is not a directory");
  // Only what the title's event list offers: plain files whose names end in ".xml".
  std::vector<fs::path> scripts;
  for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
    if (entry.is_regular_file() && entry.path().extension() == ".xml") scripts.push_back(entry.path());
  }
  if (scripts.empty()) throw std::runtime_error("no event scripts (*.xml) in " + from.string());
  std::sort(scripts.begin(), scripts.end());

  // Read every script before writing any, so that an unreadable one leaves
  // dat/ as it was.
  std::vector<std::string> bytes;
  for (const fs::path& script : scripts) {
    std::ifstream in(script, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + script.string());
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("cannot read " + script.string());
    bytes.push_back(std::move(text));
  }
  // Copied unchanged; whatever else the directory holds stays.
  for (std::size_t i = 0; i < scripts.size(); ++i) {
    const fs::path target = outDir / "script" / "event" / scripts[i].filename();
    EnsureParentDirectory(target);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes[i].data(), static_cast<std::streamsize>(bytes[i].size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + target.string());
  }
}

}  // namespace contentgen

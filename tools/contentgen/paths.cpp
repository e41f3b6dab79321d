#include <stdexcept>

#include "contentgen.h"

namespace contentgen {

void EnsureParentDirectory(const std::filesystem::path& file) {
  std::error_code ec;
  const auto dir = file.parent_path();
  if (dir.empty()) return;
  std::filesystem::create_directories(dir, ec);
  if (ec) throw std::runtime_error("cannot create directory " + dir.string() + ": " + ec.message());
}

}  // namespace contentgen

// The list of every picture the generator writes below dat/image, each with
// the routine that draws it.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "images/canvas.h"

namespace contentgen {

class CFontBook;

struct SImageEntry {
  std::string path;  // relative to dat/image, "/" separated
  std::function<CCanvas(CFontBook&)> draw;
};

// Every picture except the map chips, in a fixed order.
const std::vector<SImageEntry>& ImageEntries();
// The entry for one path; throws std::runtime_error for an unknown one.
const SImageEntry& FindImageEntry(const std::string& path);
// Draws one entry and writes it to datDir/image/<path>.
void WriteImageEntry(const SImageEntry& entry, CFontBook& fonts, const std::filesystem::path& datDir);

}  // namespace contentgen

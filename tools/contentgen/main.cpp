// contentgen: writes all of dat/ (images, sounds, music, maps, event scripts)
// and a contact sheet for review.
//
//   contentgen --out dat [--content content] [--sheet build/contact-sheet.png]
//              [--work build/contentgen-work] [--only images|sounds|music|maps|events]
#include <cstdio>
#include <exception>
#include <filesystem>
#include <set>
#include <string>

#include "contentgen.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  fs::path out = "dat", content = "content", sheet, work = "build/contentgen-work";
  std::set<std::string> only;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "contentgen: %s needs a value\n", a.c_str());
        std::exit(2);
      }
      return argv[++i];
    };
    if (a == "--out") out = value();
    else if (a == "--content") content = value();
    else if (a == "--sheet") sheet = value();
    else if (a == "--work") work = value();
    else if (a == "--only") only.insert(value());
    else {
      std::fprintf(stderr, "usage: contentgen --out DIR [--content DIR] [--sheet PNG] [--work DIR] [--only PART]\n");
      return 2;
    }
  }
  auto wanted = [&](const char* part) { return only.empty() || only.count(part) > 0; };
  try {
    fs::create_directories(out);
    if (wanted("images")) contentgen::GenerateImages(out);
    if (wanted("sounds")) contentgen::GenerateSounds(out);
    if (wanted("music")) contentgen::GenerateMusic(out, work);
    if (wanted("maps")) contentgen::GenerateMaps(content, out);
    if (wanted("events")) contentgen::CopyEventScripts(content, out);
    if (!sheet.empty()) contentgen::WriteContactSheet(out, sheet);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "contentgen: %s\n", e.what());
    return 1;
  }
  return 0;
}

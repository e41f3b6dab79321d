#include "game/screenshot.h"

#include <cstdio>
#include <ctime>
#include <system_error>

#include "runtime/gamelib/gamelib.h"

namespace {

std::filesystem::path& Folder() {
  static std::filesystem::path folder = "screenshots";
  return folder;
}

}  // namespace

std::filesystem::path ScreenshotPath(const std::filesystem::path& folder, std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  char base[48];
  std::snprintf(base, sizeof base, "%s-%03d", stamp, static_cast<int>(millis));
  std::filesystem::path path = folder / (std::string(base) + ".png");
  std::error_code ec;
  for (int n = 1; std::filesystem::exists(path, ec); ++n) {
    path = folder / (std::string(base) + "-" + std::to_string(n) + ".png");
  }
  return path;
}

std::filesystem::path SaveScreenshotNow() {
  const std::filesystem::path& folder = Folder();
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::error_code notThere;
  if (ec || !std::filesystem::is_directory(folder, notThere)) {
    std::fprintf(stderr, "screenshot not saved: the folder %s cannot be made (%s)\n", folder.string().c_str(),
                 ec ? ec.message().c_str() : "a file of that name is in the way");
    return {};
  }
  const std::filesystem::path path = ScreenshotPath(folder, std::chrono::system_clock::now());
  if (SaveScreenshot(path.string().c_str()) != 0) {
    std::fprintf(stderr, "screenshot not saved: %s cannot be written\n", path.string().c_str());
    return {};
  }
  return path;
}

void game_test::SetScreenshotFolder(const std::filesystem::path& folder) { Folder() = folder; }

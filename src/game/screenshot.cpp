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

std::filesystem::path SaveScreenshotNow(std::string* whyNot) {
  const auto fail = [whyNot](const std::string& reason) {
    std::fprintf(stderr, "screenshot not saved: %s\n", reason.c_str());
    if (whyNot) *whyNot = reason;
    return std::filesystem::path();
  };
  const std::filesystem::path& folder = Folder();
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::error_code notThere;
  if (ec || !std::filesystem::is_directory(folder, notThere)) {
    return fail("the folder " + folder.string() + " cannot be made (" +
                (ec ? ec.message() : std::string("a file of that name is in the way")) + ")");
  }
  const std::filesystem::path path = ScreenshotPath(folder, std::chrono::system_clock::now());
  if (SaveScreenshot(path.string().c_str()) != 0) return fail(path.string() + " cannot be written");
  return path;
}

void game_test::SetScreenshotFolder(const std::filesystem::path& folder) { Folder() = folder; }

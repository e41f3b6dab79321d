// F12: the picture of the frame as a PNG file in screenshots/ beside dat/.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

// The file for a picture taken at `when`, named after the local time to the
// millisecond ("20261209-161503-123.png"); when that name is taken, the
// first free of "…-123-1.png", "…-123-2.png", …
std::filesystem::path ScreenshotPath(const std::filesystem::path& folder, std::chrono::system_clock::time_point when);

// Saves the back buffer (the frame just drawn) into the screenshot folder,
// making the folder when it is missing. Returns the file written, or an
// empty path after saying on stderr, in one line, why nothing was saved;
// the reason also goes to `whyNot` when it is given.
std::filesystem::path SaveScreenshotNow(std::string* whyNot = nullptr);

namespace game_test {
// The folder F12 saves into ("screenshots" in the working folder unless a
// test moves it).
void SetScreenshotFolder(const std::filesystem::path& folder);
}  // namespace game_test

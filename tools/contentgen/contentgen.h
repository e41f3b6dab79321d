// The content generator writes every file of dat/ from code and from the
// sources in content/. Same sources, same bytes (PNG, CSV, WAV).
#pragma once

#include <filesystem>
#include <string>

namespace contentgen {

// Each generator writes below outDir (the dat/ directory) and throws
// std::runtime_error with a clear message on failure.
void GenerateImages(const std::filesystem::path& outDir);
void GenerateSounds(const std::filesystem::path& outDir);
// Music is written as WAV and encoded to MP3 with lame; workDir holds the
// intermediate WAV files.
void GenerateMusic(const std::filesystem::path& outDir, const std::filesystem::path& workDir);
// contentDir is content/ (map layouts are in content/maps/).
void GenerateMaps(const std::filesystem::path& contentDir, const std::filesystem::path& outDir);
// The hand-written event scripts of contentDir/events/*.xml, copied byte for
// byte into outDir/script/event/; other files there are left alone.
void CopyEventScripts(const std::filesystem::path& contentDir, const std::filesystem::path& outDir);
// Every sprite, tile, icon and effect of dat/image on one labelled PNG.
void WriteContactSheet(const std::filesystem::path& datDir, const std::filesystem::path& sheetPath);

}  // namespace contentgen

namespace contentgen {
// Creates the directories above a file about to be written; throws on failure.
void EnsureParentDirectory(const std::filesystem::path& file);
}  // namespace contentgen

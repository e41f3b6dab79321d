// MP3 files are made by the lame command-line encoder from a WAV file.
#pragma once

#include <filesystem>
#include <string>

namespace contentgen {

// Throws the same error as EncodeMp3 when the encoder is not installed, so
// a long job can stop before doing any work.
void RequireMp3Encoder(const std::string& encoder = "lame");

// Encodes wav to mp3 at a constant bitrate. Throws std::runtime_error when
// the encoder is not installed (run scripts/setup-deps) or fails.
void EncodeMp3(const std::filesystem::path& wav, const std::filesystem::path& mp3, int kbps,
               const std::string& encoder = "lame");

}  // namespace contentgen

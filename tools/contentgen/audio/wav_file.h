// 16-bit PCM WAV files as the game's sound and music loader reads them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace contentgen {

constexpr int kSampleRate = 44100;

// Float samples in [-1, 1] to 16-bit PCM, rounded to nearest; anything
// beyond full scale is clamped rather than wrapped.
std::vector<int16_t> ToPcm16(const std::vector<double>& samples);

// A complete WAV file (44-byte header + data). Stereo samples interleave
// left, right.
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int channels);

// Writes the bytes of EncodeWav to path; throws std::runtime_error when the
// file cannot be written.
void WriteWavFile(const std::filesystem::path& path, const std::vector<int16_t>& samples, int channels);

// Writes any bytes to a file, throwing std::runtime_error on failure.
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace contentgen

#include "audio/wav_file.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace contentgen {

namespace {

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xff));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xff));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  PutU16(out, v & 0xffff);
  PutU16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<int16_t> ToPcm16(const std::vector<double>& samples) {
  std::vector<int16_t> pcm;
  pcm.reserve(samples.size());
  for (double s : samples) {
    const double scaled = std::clamp(s, -1.0, 1.0) * 32767.0;
    pcm.push_back(static_cast<int16_t>(std::lround(scaled)));
  }
  return pcm;
}

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int channels) {
  if (channels != 1 && channels != 2) throw std::runtime_error("WAV files are mono or stereo, not " + std::to_string(channels) + " channels");
  if (samples.size() % channels != 0) throw std::runtime_error("stereo WAV data needs an even number of samples");
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  const uint32_t blockAlign = static_cast<uint32_t>(channels) * 2;
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  PutU32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutU32(out, 16);
  PutU16(out, 1);  // PCM
  PutU16(out, static_cast<uint32_t>(channels));
  PutU32(out, kSampleRate);
  PutU32(out, kSampleRate * blockAlign);
  PutU16(out, blockAlign);
  PutU16(out, 16);
  PutTag(out, "data");
  PutU32(out, dataBytes);
  for (int16_t s : samples) PutU16(out, static_cast<uint16_t>(s));
  return out;
}

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) throw std::runtime_error("cannot create " + path.string());
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string() + " (disk full?)");
}

void WriteWavFile(const std::filesystem::path& path, const std::vector<int16_t>& samples, int channels) {
  WriteBytes(path, EncodeWav(samples, channels));
}

}  // namespace contentgen

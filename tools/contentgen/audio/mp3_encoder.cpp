#include "audio/mp3_encoder.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <vector>

extern char** environ;

namespace contentgen {

namespace fs = std::filesystem;

namespace {

// The encoder's full path, or empty when it is not on PATH.
std::string FindProgram(const std::string& name) {
  if (name.find('/') != std::string::npos) return access(name.c_str(), X_OK) == 0 ? name : std::string();
  const char* path = std::getenv("PATH");
  std::string_view dirs = path != nullptr ? path : "/usr/bin:/bin";
  while (!dirs.empty()) {
    const size_t colon = dirs.find(':');
    const std::string_view dir = dirs.substr(0, colon);
    dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
    if (dir.empty()) continue;
    const std::string candidate = std::string(dir) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

}  // namespace

void RequireMp3Encoder(const std::string& encoder) {
  if (FindProgram(encoder).empty()) {
    throw std::runtime_error("the MP3 encoder '" + encoder + "' is not installed; run scripts/setup-deps");
  }
}

void EncodeMp3(const fs::path& wav, const fs::path& mp3, int kbps, const std::string& encoder) {
  RequireMp3Encoder(encoder);
  const std::string program = FindProgram(encoder);
  if (!fs::is_regular_file(wav)) throw std::runtime_error("cannot encode " + wav.string() + ": no such WAV file");

  std::vector<std::string> args = {program, "--quiet", "--noreplaygain", "-q", "2", "-b", std::to_string(kbps),
                                   wav.string(), mp3.string()};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
    throw std::runtime_error("cannot start " + program + " to encode " + mp3.string());
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("lost track of " + program + " while encoding " + mp3.string());
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error(encoder + " failed to encode " + wav.string() + " into " + mp3.string());
  }
  if (!fs::is_regular_file(mp3) || fs::file_size(mp3) == 0) {
    throw std::runtime_error(encoder + " wrote no data to " + mp3.string());
  }
}

}  // namespace contentgen

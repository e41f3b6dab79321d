#include "persist/archive_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "persist/archive_error.h"

namespace {

std::optional<std::size_t> writeLimit;

std::string ErrnoText(int error) { return std::strerror(error); }

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd_) : fd(fd_) {}
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd; }
  // Closes now so that a failing close is seen.
  int Close() {
    const int result = ::close(fd);
    fd = -1;
    return result;
  }

 private:
  int fd;
};

}  // namespace

namespace persist_test {
void FailWritesAfter(std::optional<std::size_t> bytes) { writeLimit = bytes; }
}  // namespace persist_test

std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::int64_t maxBytes) {
  // Non-blocking, so that a pipe put in place of a save file cannot stall the
  // game before the regular-file check below turns it away.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.Get() < 0) throw ArchiveError("Cannot open " + path + " for reading: " + ErrnoText(errno) + ".");
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) throw ArchiveError("Cannot read " + path + ": " + ErrnoText(errno) + ".");
  if (!S_ISREG(info.st_mode)) throw ArchiveError("Cannot read " + path + ": it is not a regular file.");
  if (info.st_size > maxBytes) {
    throw ArchiveError("Cannot read " + path + ": it holds " + std::to_string(info.st_size) +
                       " bytes, far more than any file of the game (at most " + std::to_string(maxBytes) + ").");
  }
  std::vector<std::uint8_t> data(static_cast<std::size_t>(info.st_size));
  std::size_t filled = 0;
  while (filled < data.size()) {
    const ssize_t got = ::read(file.Get(), data.data() + filled, data.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw ArchiveError("Cannot read " + path + ": " + ErrnoText(errno) + ".");
    if (got == 0) break;  // shrank while we read: take what is there
    filled += static_cast<std::size_t>(got);
  }
  data.resize(filled);
  return data;
}

void WriteAllAndSync(int fileDescriptor, const std::uint8_t* data, std::size_t count, const std::string& path) {
  std::size_t written = 0;
  while (written < count) {
    std::size_t chunk = count - written;
    if (writeLimit) {
      if (written >= *writeLimit) throw ArchiveError("Cannot write " + path + ": " + ErrnoText(ENOSPC) + ".");
      chunk = std::min(chunk, *writeLimit - written);
    }
    const ssize_t put = ::write(fileDescriptor, data + written, chunk);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) throw ArchiveError("Cannot write " + path + ": " + ErrnoText(errno) + ".");
    written += static_cast<std::size_t>(put);
  }
  if (::fsync(fileDescriptor) != 0) throw ArchiveError("Cannot write " + path + " to disk: " + ErrnoText(errno) + ".");
}

std::string ReplacementScratchPath(const std::string& path) { return path + ".tmp"; }

void ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& data) {
  const std::string scratch = ReplacementScratchPath(path);
  const std::string keptNote = " The previous file, if any, is unchanged.";
  FileDescriptor file(::open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (file.Get() < 0) throw ArchiveError("Cannot save to " + path + ": " + ErrnoText(errno) + "." + keptNote);
  try {
    WriteAllAndSync(file.Get(), data.data(), data.size(), scratch);
    if (file.Close() != 0) throw ArchiveError("Cannot write " + scratch + ": " + ErrnoText(errno) + ".");
    if (::rename(scratch.c_str(), path.c_str()) != 0) {
      throw ArchiveError("Cannot put " + scratch + " in place of " + path + ": " + ErrnoText(errno) + ".");
    }
  } catch (const ArchiveError& e) {
    ::unlink(scratch.c_str());
    throw ArchiveError("Cannot save to " + path + ". " + e.what() + keptNote);
  }
  // Make the new name itself durable; the data is already safe if this fails.
  std::string directory = std::filesystem::path(path).parent_path().string();
  if (directory.empty()) directory = ".";
  FileDescriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Get() >= 0) ::fsync(dir.Get());
}

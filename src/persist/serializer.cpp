#include "persist/serializer.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "persist/archive_file.h"

namespace {

// Tags come from the file: keep messages printable and of sane length.
std::string Printable(const std::string& text) {
  constexpr std::size_t kMaxShown = 80;
  std::string shown;
  for (std::size_t i = 0; i < text.size() && i < kMaxShown; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      shown += escaped;
    } else {
      shown += static_cast<char>(c);
    }
  }
  if (text.size() > kMaxShown) shown += "...";
  return shown;
}

}  // namespace

Serializer::Serializer(WriteRead direction_, std::string name, std::vector<std::uint8_t> data)
    : direction(direction_), fileName(std::move(name)), bytes(std::move(data)) {}

Serializer::Serializer(const std::string& fileName_, int fileMode) : fileName(fileName_) {
  if (fileMode == 1) {
    direction = WriteRead::Read;
    bytes = ReadWholeFile(fileName, kMaxFileBytes);
  } else if (fileMode == 2) {
    direction = WriteRead::Write;
    fileDescriptor = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fileDescriptor < 0) {
      throw ArchiveError("Cannot open " + fileName + " for writing: " + std::strerror(errno) + ".");
    }
  } else {
    throw ArchiveError("Unknown file mode " + std::to_string(fileMode) + " for " + fileName +
                       ": 1 reads, 2 writes.");
  }
}

Serializer Serializer::ReadFromBytes(std::vector<std::uint8_t> data, std::string name) {
  return Serializer(WriteRead::Read, std::move(name), std::move(data));
}

Serializer Serializer::WriteToBytes(std::string name) { return Serializer(WriteRead::Write, std::move(name), {}); }

Serializer::~Serializer() {
  if (fileDescriptor < 0) return;
  try {
    Close();
  } catch (const ArchiveError& e) {
    std::fprintf(stderr, "Quorvane: %s\n", e.what());
  }
}

void Serializer::Close() {
  if (fileDescriptor < 0) return;
  const int fd = fileDescriptor;
  fileDescriptor = -1;
  try {
    WriteAllAndSync(fd, bytes.data(), bytes.size(), fileName);
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0) throw ArchiveError("Cannot write " + fileName + ": " + std::strerror(errno) + ".");
}

void Serializer::Skip(std::int64_t offset) { SeekTo(position + offset); }

void Serializer::SeekTo(std::int64_t to) {
  if (to < 0 || to > static_cast<std::int64_t>(bytes.size())) {
    throw ArchiveError("Cannot move to byte " + std::to_string(to) + " of " + fileName + ", which has " +
                       std::to_string(bytes.size()) + " bytes.");
  }
  position = to;
}

void Serializer::PutBytes(const std::uint8_t* data, std::size_t count) {
  const auto at = static_cast<std::size_t>(position);
  if (at + count > bytes.size()) bytes.resize(at + count);
  std::memcpy(bytes.data() + at, data, count);
  position += static_cast<std::int64_t>(count);
}

void Serializer::GetBytes(std::uint8_t* data, std::size_t count) {
  const auto available = static_cast<std::size_t>(std::max<std::int64_t>(BytesLeft(), 0));
  const std::size_t got = std::min(count, available);
  if (got < count) readPastEnd = true;
  if (got > 0) std::memcpy(data, bytes.data() + position, got);
  position += static_cast<std::int64_t>(got);
}

std::uint32_t Serializer::CountToWrite(std::size_t count) const {
  if (count > 0xFFFFFFFFu) throw ArchiveError("Cannot write " + fileName + ": a string or array is too long.");
  return static_cast<std::uint32_t>(count);
}

void Serializer::CheckCount(std::uint32_t count, std::int64_t minBytesEach, const char* what) const {
  const std::int64_t left = BytesLeft();
  if (static_cast<std::int64_t>(count) * minBytesEach > left) {
    throw ArchiveError(fileName + " is damaged: " + what + " length of " + std::to_string(count) + " before byte " +
                       std::to_string(position) + " needs more than the " + std::to_string(left) +
                       " bytes left in the file.");
  }
}

Serializer::NestingGuard::NestingGuard(Serializer& ar_) : ar(ar_) {
  if (ar.nesting >= kMaxNesting) {
    throw ArchiveError(ar.fileName + " is damaged: objects are nested more than " + std::to_string(kMaxNesting) +
                       " deep at byte " + std::to_string(ar.position) + ".");
  }
  ++ar.nesting;
}

void Serializer::Describe(bool& value, Tracking) {
  std::uint8_t stored = value ? 1 : 0;
  TransferUnsigned(stored);
  if (IsWriting()) return;
  if (stored > 1) {
    throw ArchiveError(fileName + " is damaged: byte " + std::to_string(position - 1) + " holds " +
                       std::to_string(stored) + " where a yes/no value (0 or 1) belongs.");
  }
  value = stored == 1;
}

void Serializer::Describe(std::int32_t& value, Tracking) {
  auto stored = static_cast<std::uint32_t>(value);
  TransferUnsigned(stored);
  value = static_cast<std::int32_t>(stored);
}

void Serializer::Describe(std::uint32_t& value, Tracking) { TransferUnsigned(value); }

void Serializer::Describe(std::int64_t& value, Tracking) {
  auto stored = static_cast<std::uint64_t>(value);
  TransferUnsigned(stored);
  value = static_cast<std::int64_t>(stored);
}

void Serializer::Describe(std::string& value, Tracking) {
  std::uint32_t count = IsWriting() ? CountToWrite(value.size()) : 0;
  Describe(count);
  if (IsWriting()) {
    PutBytes(reinterpret_cast<const std::uint8_t*>(value.data()), value.size());
    return;
  }
  CheckCount(count, 1, "a string");
  value.resize(count);
  GetBytes(reinterpret_cast<std::uint8_t*>(value.data()), count);
}

void Serializer::Describe(SPointT<int>& value, Tracking) {
  Describe(value.x);
  Describe(value.y);
}

void Serializer::ThrowCycle(std::string_view qualifiedName) const {
  throw ArchiveError("Cannot write " + fileName + ": a " + std::string(qualifiedName) +
                     " refers back to itself through its own fields, which the file cannot hold.");
}

void Serializer::ThrowUnknownTag(const std::string& tag, std::string_view typeName) const {
  throw ArchiveError("Trying to read class that has been written with the " + Printable(tag) + " tag " +
                     "through a class reference of type " + std::string(typeName) + "." +
                     "\nThe tag is unknown, you need to register this tag ahead of time.");
}

void Serializer::ThrowWrongClass(const ClassDescriptionBase& found, std::string_view typeName, const char* why) const {
  throw ArchiveError(fileName + " is damaged: at byte " + std::to_string(position) + " it holds a " +
                     std::string(found.GetQualifiedName()) + " where a " + std::string(typeName) +
                     " belongs, and a " + std::string(found.GetQualifiedName()) + " " + why + ".");
}

void Serializer::ThrowSharedByUniqueOwner(std::uint32_t index, std::string_view typeName) const {
  throw ArchiveError(fileName + " is damaged: at byte " + std::to_string(position) + " it refers again to object " +
                     std::to_string(index) + ", but a " + std::string(typeName) +
                     " there belongs to one owner and cannot be shared.");
}

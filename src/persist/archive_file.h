// Whole-file reading and writing for the archive. Saving never puts the
// player's existing save at risk: the new bytes go to a scratch file beside
// the slot, and only a complete, flushed file takes the slot's name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The whole file; refuses anything that is not a regular file or is larger
// than `maxBytes`, so a device or a huge file can neither hang nor swamp us.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::int64_t maxBytes);

// Writes all of `data` to an open file descriptor, then flushes it to disk.
void WriteAllAndSync(int fileDescriptor, const std::uint8_t* data, std::size_t count, const std::string& path);

// Replaces the file at `path` with `data` in one step: on any failure the old
// file is left as it was, no scratch file remains, and the error says why.
void ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& data);

// The scratch file a replacement is written to.
std::string ReplacementScratchPath(const std::string& path);

namespace persist_test {
// Makes every file write fail as a full disk would once this many bytes have
// been written; nullopt restores real writes.
void FailWritesAfter(std::optional<std::size_t> bytes);
}  // namespace persist_test

// Byte helpers for the archive tests: files are spelled out byte by byte.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "persist/serializer.h"

using Bytes = std::vector<std::uint8_t>;

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline Bytes U32(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
          static_cast<std::uint8_t>(v >> 24)};
}

// A string as the archive stores it: its length, then its bytes.
inline Bytes Str(const std::string& s) { return U32(static_cast<std::uint32_t>(s.size())) + Bytes(s.begin(), s.end()); }

// A tracked record: data_signal, then the tag.
inline Bytes Record(const std::string& tag) { return Bytes{0} + Str(tag); }
inline Bytes BackReference(std::uint32_t index) { return Bytes{1} + U32(index); }

template <class T>
Bytes WriteBytes(T& value, Tracking tracking = Tracking::Tracked) {
  Serializer ar = Serializer::WriteToBytes("test");
  ar.Describe(value, tracking);
  return ar.Bytes();
}

template <class T>
void ReadBytes(const Bytes& bytes, T& value, Tracking tracking = Tracking::Tracked) {
  Serializer ar = Serializer::ReadFromBytes(bytes, "test");
  ar.Describe(value, tracking);
}

// The message of the ArchiveError that `read` throws, or "" when it succeeds.
template <class F>
std::string ErrorOf(F&& read) {
  try {
    read();
  } catch (const ArchiveError& e) {
    return e.what();
  }
  return "";
}

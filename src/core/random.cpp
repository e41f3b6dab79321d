#include "core/random.h"

#include <chrono>
#include <stdexcept>
#include <string>

CRandom::CRandom() : CRandom(UnpredictableSeed()) {}

CRandom::CRandom(std::uint32_t s) { Seed(s); }

void CRandom::Seed(std::uint32_t s) {
  seed = s;
  count = 0;
  engine.seed(s);
  // Seeding makes the first output current; Next hands out the ones after it.
  engine.discard(1);
}

std::uint32_t CRandom::GetCount() const { return count; }

std::uint32_t CRandom::GetSeed() const { return seed; }

void CRandom::Restore(std::uint32_t n) {
  engine.seed(seed);
  engine.discard(1 + static_cast<unsigned long long>(n));
  count = n;
}

std::uint32_t CRandom::Next() {
  ++count;
  return static_cast<std::uint32_t>(engine());
}

int CRandom::NextRange(int lo, int hi) {
  if (lo == hi) return lo;
  if (hi < lo) {
    throw std::runtime_error("random range is empty: " + std::to_string(lo) + ".." + std::to_string(hi));
  }
  // Unsigned 32-bit arithmetic throughout; a span of 0 means the full
  // 2^32 range (INT_MIN..INT_MAX), where every output is already in range.
  const std::uint32_t span = static_cast<std::uint32_t>(hi) - static_cast<std::uint32_t>(lo) + 1u;
  const std::uint32_t r = Next();
  const std::uint32_t offset = span == 0 ? r : r % span;
  return static_cast<int>(static_cast<std::uint32_t>(lo) + offset);
}

std::uint32_t CRandom::UnpredictableSeed() {
  std::random_device device;
  const auto ticks = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
  // Mixing in the clock keeps seeds apart even where random_device is weak.
  std::seed_seq mix{device(), device(), static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
  std::uint32_t out = 0;
  mix.generate(&out, &out + 1);
  return out;
}

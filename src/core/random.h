// The game's random numbers: MT19937 that remembers its seed and how many
// values it has handed out, so a position in the sequence can be restored.
#pragma once

#include <cstdint>
#include <random>

class CRandom {
 public:
  // Seeded from an unpredictable source.
  CRandom();
  explicit CRandom(std::uint32_t seed);
  virtual ~CRandom() = default;

  virtual std::uint32_t GetCount() const;
  // Continues exactly as the generator did after its n-th draw.
  virtual void Restore(std::uint32_t n);
  virtual std::uint32_t GetSeed() const;
  virtual std::uint32_t Next();
  // lo..hi inclusive. lo == hi draws nothing; hi < lo throws
  // std::runtime_error.
  virtual int NextRange(int lo, int hi);

  // Starts the sequence anew from `seed` with the count at 0.
  void Seed(std::uint32_t seed);

  static std::uint32_t UnpredictableSeed();

 private:
  std::mt19937 engine;
  std::uint32_t seed = 0;
  std::uint32_t count = 0;
};

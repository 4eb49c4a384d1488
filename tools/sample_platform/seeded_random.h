#pragma once
// Deterministic numbers for the sample replies. Every reply is drawn from a
// generator seeded with a hash of the request's meaningful parts, so the same
// request always gets the same reply, whatever the random digits it carries.
#include <cstdint>
#include <iterator>
#include <string_view>

// FNV-1a over the bytes, folded into `seed` so that several parts can be
// chained: SampleHash("b", SampleHash("a")).
inline uint64_t SampleHash(std::string_view bytes, uint64_t seed = 14695981039346656037ull) {
  uint64_t h = seed;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

// SplitMix64: tiny, fast, and good enough to spread the hash over many draws.
class SampleRandom {
 public:
  explicit SampleRandom(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A whole number from low to high inclusive.
  int64_t Range(int64_t low, int64_t high) {
    if (high <= low) return low;
    return low + static_cast<int64_t>(Next() % static_cast<uint64_t>(high - low + 1));
  }
  // True with the given chance in percent.
  bool Chance(int percent) { return Range(1, 100) <= percent; }
  template <typename List>
  const auto& Pick(const List& list) {
    return list[static_cast<size_t>(Range(0, static_cast<int64_t>(std::size(list)) - 1))];
  }

 private:
  uint64_t state_;
};

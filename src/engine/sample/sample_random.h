#pragma once

#include <cstdint>

namespace engine {

// A small seeded generator (SplitMix64): the same seed gives the same sample on every machine.
class SampleRandom {
 public:
  explicit SampleRandom(uint64_t seed)
      : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. n - 1.
  uint32_t Below(uint32_t n) {
    return static_cast<uint32_t>((static_cast<unsigned __int128>(Next()) * n) >> 64);
  }
  // [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

 private:
  uint64_t state_;
};

}  // namespace engine

#include "engine/storage/cube_file_format.h"

#include <cstring>

namespace engine::cube_file_format {

namespace {

uint64_t Mix(uint64_t hash, std::span<const std::byte> bytes) {
  constexpr uint64_t kPrime = 0x100000001b3ull;
  size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    hash = (hash ^ word) * kPrime;
    hash ^= hash >> 29;
  }
  for (; i < bytes.size(); ++i)
    hash = (hash ^ static_cast<uint8_t>(bytes[i])) * kPrime;
  return (hash ^ bytes.size()) * kPrime;
}

}  // namespace

uint64_t Checksum(std::span<const std::byte> first, std::span<const std::byte> second) {
  return Mix(Mix(0xcbf29ce484222325ull, first), second);
}

}  // namespace engine::cube_file_format

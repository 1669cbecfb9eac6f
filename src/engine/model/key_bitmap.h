#pragma once

#include <cstdint>
#include <vector>

namespace engine {

// A set of dimension keys (0 .. size - 1) as one bit per key: how slicer and filter sets of
// members reach a scan of the fact columns.
class KeyBitmap {
 public:
  KeyBitmap() = default;
  // All keys absent, or all present.
  explicit KeyBitmap(uint32_t size, bool all = false);

  uint32_t Size() const { return size_; }
  bool Test(uint32_t key) const { return (words_[key >> 6] >> (key & 63)) & 1u; }
  void Set(uint32_t key) { words_[key >> 6] |= uint64_t{1} << (key & 63); }
  void Reset(uint32_t key) { words_[key >> 6] &= ~(uint64_t{1} << (key & 63)); }
  // The number of keys present.
  uint32_t Count() const;
  bool None() const { return Count() == 0; }

  // Union and intersection with a bitmap of the same size.
  KeyBitmap& operator|=(const KeyBitmap& other);
  KeyBitmap& operator&=(const KeyBitmap& other);
  bool operator==(const KeyBitmap& other) const = default;

 private:
  std::vector<uint64_t> words_;
  uint32_t size_ = 0;
};

}  // namespace engine

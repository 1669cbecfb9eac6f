#include "engine/model/key_bitmap.h"

#include <bit>
#include <stdexcept>

namespace engine {

KeyBitmap::KeyBitmap(uint32_t size, bool all)
    : words_((size + 63) / 64, all ? ~uint64_t{0} : 0), size_(size) {
  // Bits past the end stay clear so that Count and == see only real keys.
  if (all && (size & 63) != 0)
    words_.back() = (uint64_t{1} << (size & 63)) - 1;
}

uint32_t KeyBitmap::Count() const {
  uint32_t count = 0;
  for (uint64_t word : words_)
    count += static_cast<uint32_t>(std::popcount(word));
  return count;
}

KeyBitmap& KeyBitmap::operator|=(const KeyBitmap& other) {
  if (other.size_ != size_)
    throw std::invalid_argument("Key bitmaps of different sizes.");
  for (size_t i = 0; i < words_.size(); ++i)
    words_[i] |= other.words_[i];
  return *this;
}

KeyBitmap& KeyBitmap::operator&=(const KeyBitmap& other) {
  if (other.size_ != size_)
    throw std::invalid_argument("Key bitmaps of different sizes.");
  for (size_t i = 0; i < words_.size(); ++i)
    words_[i] &= other.words_[i];
  return *this;
}

}  // namespace engine

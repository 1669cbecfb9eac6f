#include "engine/mdx/source_text.h"

#include <algorithm>
#include <cstdio>

namespace engine::mdx {

namespace {

bool IsContinuationByte(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

}  // namespace

size_t Utf8SequenceLength(std::string_view text) {
  if (text.empty())
    return 0;
  const auto lead = static_cast<unsigned char>(text[0]);
  size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  } else {
    return 0;
  }
  if (text.size() < length)
    return 0;
  for (size_t i = 1; i < length; ++i)
    if (!IsContinuationByte(static_cast<unsigned char>(text[i])))
      return 0;
  const auto second = static_cast<unsigned char>(text[1]);
  // Overlong forms, surrogates and code points above U+10FFFF.
  if (lead == 0xE0 && second < 0xA0)
    return 0;
  if (lead == 0xED && second > 0x9F)
    return 0;
  if (lead == 0xF0 && second < 0x90)
    return 0;
  if (lead == 0xF4 && second > 0x8F)
    return 0;
  return length;
}

SourceText::SourceText(std::string_view text) : text_(text) {
  line_starts_.push_back(0);
  size_t characters = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i % kBlock == 0)
      characters_before_block_.push_back(characters);
    if (!IsContinuationByte(static_cast<unsigned char>(text[i])))
      ++characters;
    if (text[i] == '\n') {
      line_starts_.push_back(i + 1);
    } else if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) {
      line_starts_.push_back(i + 1);
    }
  }
  characters_before_block_.push_back(characters);
}

size_t SourceText::CharactersBefore(size_t offset) const {
  const size_t block = offset / kBlock;
  size_t characters =
      characters_before_block_[std::min(block, characters_before_block_.size() - 1)];
  for (size_t i = block * kBlock; i < offset; ++i)
    if (!IsContinuationByte(static_cast<unsigned char>(text_[i])))
      ++characters;
  return characters;
}

SourcePosition SourceText::PositionOf(size_t offset) const {
  offset = std::min(offset, text_.size());
  const auto next = std::upper_bound(line_starts_.begin(), line_starts_.end(), offset);
  const size_t line_index = static_cast<size_t>(next - line_starts_.begin()) - 1;
  const size_t column = CharactersBefore(offset) - CharactersBefore(line_starts_[line_index]);
  return {static_cast<int>(line_index) + 1, static_cast<int>(column) + 1};
}

std::string Printable(std::string_view text, size_t max_characters) {
  std::string result;
  size_t characters = 0;
  size_t i = 0;
  while (i < text.size()) {
    if (characters == max_characters) {
      result += "...";
      break;
    }
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F) {
      result += static_cast<char>(c);
      ++i;
    } else if (const size_t length = c >= 0x80 ? Utf8SequenceLength(text.substr(i)) : 0) {
      result += text.substr(i, length);
      i += length;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      result += escaped;
      ++i;
    }
    ++characters;
  }
  return result;
}

}  // namespace engine::mdx

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace engine::mdx {

// A place in a statement, both counted from 1. Columns count characters, not bytes.
struct SourcePosition {
  int line = 1;
  int column = 1;
  bool operator==(const SourcePosition&) const = default;
};

// The statement being parsed, with the line and column of every byte offset. Lines end at
// "\n", "\r\n" and at a lone "\r" (statements built for local cube creation use "\r").
class SourceText {
 public:
  explicit SourceText(std::string_view text);
  std::string_view Text() const { return text_; }
  SourcePosition PositionOf(size_t offset) const;

 private:
  // The number of characters before offset; counted from a checkpoint every kBlock bytes, so
  // that placing every node of a long one-line statement stays linear.
  size_t CharactersBefore(size_t offset) const;

  static constexpr size_t kBlock = 256;
  std::string_view text_;
  std::vector<size_t> line_starts_;
  std::vector<size_t> characters_before_block_;
};

// The length of the valid UTF-8 sequence of two to four bytes that text starts with; 0 when
// it starts with anything else.
size_t Utf8SequenceLength(std::string_view text);

// The text as it can be shown in a message: control characters and bytes that are not
// UTF-8 are written as \xNN; longer texts are cut after max_characters and end in "...".
std::string Printable(std::string_view text, size_t max_characters = 40);

}  // namespace engine::mdx

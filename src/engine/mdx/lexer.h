#pragma once

#include <string_view>
#include <vector>

#include "engine/mdx/source_text.h"
#include "engine/mdx/token.h"

namespace engine::mdx {

// Where each byte of the text being lexed stands in the whole statement. The text of a
// quoted expression (WITH MEMBER ... AS '...') is lexed on its own, without its quotes and
// with doubled quotes made single, yet its tokens report places in the statement.
class OffsetMap {
 public:
  // The text starts at base in the statement and is a verbatim part of it.
  explicit OffsetMap(size_t base = 0) : base_(base) {}
  // offsets[i] is the statement offset of byte i; one more entry for the end of the text.
  explicit OffsetMap(std::vector<size_t> offsets) : offsets_(std::move(offsets)) {}
  size_t operator()(size_t index) const {
    return offsets_.empty() ? base_ + index : offsets_[index];
  }

 private:
  size_t base_ = 0;
  std::vector<size_t> offsets_;
};

// Splits text into tokens, ending with one kEnd token. Blanks (spaces, tabs, carriage
// returns, line feeds) and comments (-- and // to the end of the line, /* ... */) separate
// tokens. Throws SyntaxError, placed through source, for anything that is not a token.
std::vector<Token> Tokenize(std::string_view text, const SourceText& source,
                            const OffsetMap& offsets = OffsetMap());

}  // namespace engine::mdx

#pragma once

#include <cstddef>
#include <string>

namespace engine::mdx {

enum class TokenKind {
  kEnd,
  kIdentifier,   // a bare word: keywords, function names, unbracketed name parts
  kBracketName,  // [name]; value holds the name with "]]" read as "]"
  kKeyName,      // &[key]; value holds the key
  kNumber,
  kString,  // 'text' or "text"; value holds the text with doubled quotes read as one
  kLeftParen,
  kRightParen,
  kLeftBrace,
  kRightBrace,
  kComma,
  kDot,
  kColon,
  kSemicolon,
  kPlus,
  kMinus,
  kStar,
  kSlash,
  kEqual,
  kNotEqual,
  kLess,
  kLessEqual,
  kGreater,
  kGreaterEqual,
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string spelling;  // the token as written
  std::string value;     // see TokenKind
  double number = 0;     // kNumber only
  size_t offset = 0;     // where the token starts in the whole statement
};

}  // namespace engine::mdx

#include "engine/mdx/lexer.h"

#include <charconv>
#include <cmath>

#include "engine/mdx/syntax_error.h"

namespace engine::mdx {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The length of the character at the start of text when a bare word may hold it there, 0
// otherwise. Every character beyond ASCII counts as a letter, so that names in any script
// can go unbracketed; bytes that are not UTF-8 do not.
size_t WordCharLength(std::string_view text, bool first) {
  const char c = text[0];
  if (IsAsciiLetter(c) || c == '_' || c == '$' || (!first && IsDigit(c)))
    return 1;
  return Utf8SequenceLength(text);
}

class Lexer {
 public:
  Lexer(std::string_view text, const SourceText& source, const OffsetMap& offsets)
      : text_(text), source_(source), offsets_(offsets) {}

  std::vector<Token> Run() {
    std::vector<Token> tokens;
    for (;;) {
      SkipBlanksAndComments();
      if (pos_ >= text_.size())
        break;
      tokens.push_back(Next());
    }
    Token end;
    end.offset = offsets_(text_.size());
    tokens.push_back(std::move(end));
    return tokens;
  }

 private:
  [[noreturn]] void Fail(size_t at, const std::string& detail) const {
    throw SyntaxError(source_.PositionOf(offsets_(at)), detail);
  }

  char At(size_t index) const { return index < text_.size() ? text_[index] : '\0'; }

  void SkipBlanksAndComments() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (IsBlank(c)) {
        ++pos_;
      } else if ((c == '-' && At(pos_ + 1) == '-') || (c == '/' && At(pos_ + 1) == '/')) {
        while (pos_ < text_.size() && text_[pos_] != '\n' && text_[pos_] != '\r')
          ++pos_;
      } else if (c == '/' && At(pos_ + 1) == '*') {
        const size_t close = text_.find("*/", pos_ + 2);
        if (close == std::string_view::npos)
          Fail(pos_, "the comment that starts here has no end '*/'");
        pos_ = close + 2;
      } else {
        return;
      }
    }
  }

  Token Make(TokenKind kind, size_t start, size_t end) {
    Token token;
    token.kind = kind;
    token.spelling = std::string(text_.substr(start, end - start));
    token.value = token.spelling;
    token.offset = offsets_(start);
    pos_ = end;
    return token;
  }

  Token Next() {
    const size_t start = pos_;
    const char c = text_[pos_];
    if (size_t length = WordCharLength(text_.substr(start), true)) {
      size_t end = start;
      do {
        end += length;
      } while (end < text_.size() && (length = WordCharLength(text_.substr(end), false)) > 0);
      return Make(TokenKind::kIdentifier, start, end);
    }
    if (IsDigit(c))
      return Number();
    if (c == '[')
      return Bracketed(TokenKind::kBracketName, start, start);
    if (c == '&' && At(pos_ + 1) == '[')
      return Bracketed(TokenKind::kKeyName, start, start + 1);
    if (c == '\'' || c == '"')
      return Quoted(c);
    switch (c) {
      case '(':
        return Make(TokenKind::kLeftParen, start, start + 1);
      case ')':
        return Make(TokenKind::kRightParen, start, start + 1);
      case '{':
        return Make(TokenKind::kLeftBrace, start, start + 1);
      case '}':
        return Make(TokenKind::kRightBrace, start, start + 1);
      case ',':
        return Make(TokenKind::kComma, start, start + 1);
      case '.':
        return Make(TokenKind::kDot, start, start + 1);
      case ':':
        return Make(TokenKind::kColon, start, start + 1);
      case ';':
        return Make(TokenKind::kSemicolon, start, start + 1);
      case '+':
        return Make(TokenKind::kPlus, start, start + 1);
      case '-':
        return Make(TokenKind::kMinus, start, start + 1);
      case '*':
        return Make(TokenKind::kStar, start, start + 1);
      case '/':
        return Make(TokenKind::kSlash, start, start + 1);
      case '=':
        return Make(TokenKind::kEqual, start, start + 1);
      case '<':
        if (At(start + 1) == '=')
          return Make(TokenKind::kLessEqual, start, start + 2);
        if (At(start + 1) == '>')
          return Make(TokenKind::kNotEqual, start, start + 2);
        return Make(TokenKind::kLess, start, start + 1);
      case '>':
        if (At(start + 1) == '=')
          return Make(TokenKind::kGreaterEqual, start, start + 2);
        return Make(TokenKind::kGreater, start, start + 1);
      default:
        break;
    }
    Fail(start, "unexpected character '" + Printable(text_.substr(start, 1)) + "'");
  }

  Token Number() {
    const size_t start = pos_;
    size_t end = start;
    while (IsDigit(At(end)))
      ++end;
    if (At(end) == '.' && IsDigit(At(end + 1))) {
      ++end;
      while (IsDigit(At(end)))
        ++end;
    }
    if (At(end) == 'e' || At(end) == 'E') {
      size_t exponent = end + 1;
      if (At(exponent) == '+' || At(exponent) == '-')
        ++exponent;
      if (IsDigit(At(exponent))) {
        end = exponent;
        while (IsDigit(At(end)))
          ++end;
      }
    }
    Token token = Make(TokenKind::kNumber, start, end);
    const char* first = token.spelling.data();
    const char* last = first + token.spelling.size();
    const auto [ptr, error] = std::from_chars(first, last, token.number);
    if (error != std::errc() || ptr != last || !std::isfinite(token.number))
      Fail(start, "the number '" + Printable(token.spelling) + "' is out of range");
    return token;
  }

  // [name] or &[key]: name_start is the offset of the "[".
  Token Bracketed(TokenKind kind, size_t start, size_t name_start) {
    std::string value;
    size_t i = name_start + 1;
    for (;;) {
      if (i >= text_.size())
        Fail(start, "the name '" + Printable(text_.substr(start), 20) +
                        "' that starts here is not closed by ']'");
      if (text_[i] == ']') {
        if (At(i + 1) != ']')
          break;
        ++i;
      }
      value += text_[i];
      ++i;
    }
    Token token = Make(kind, start, i + 1);
    token.value = std::move(value);
    return token;
  }

  Token Quoted(char quote) {
    const size_t start = pos_;
    std::string value;
    size_t i = start + 1;
    for (;;) {
      if (i >= text_.size())
        Fail(start, "the string that starts here has no closing quote");
      if (text_[i] == quote) {
        if (At(i + 1) != quote)
          break;
        ++i;
      }
      value += text_[i];
      ++i;
    }
    Token token = Make(TokenKind::kString, start, i + 1);
    token.value = std::move(value);
    return token;
  }

  std::string_view text_;
  const SourceText& source_;
  const OffsetMap& offsets_;
  size_t pos_ = 0;
};

}  // namespace

std::vector<Token> Tokenize(std::string_view text, const SourceText& source,
                            const OffsetMap& offsets) {
  return Lexer(text, source, offsets).Run();
}

}  // namespace engine::mdx

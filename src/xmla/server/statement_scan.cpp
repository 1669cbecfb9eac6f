#include "xmla/server/statement_scan.h"

#include <cctype>
#include <vector>

namespace xmla {

namespace {

struct Token {
  enum class Kind { Word, Bracketed, Other } kind;
  std::string text;  // a word upper-cased; a bracketed name without brackets, "]]" undone
  int depth;         // nesting in ( ) and { }
  std::string raw;   // a word as written
};

std::vector<Token> Tokens(const std::string& s) {
  std::vector<Token> tokens;
  int depth = 0;
  size_t i = 0;
  const size_t n = s.size();
  while (i < n) {
    const char c = s[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if ((c == '-' && i + 1 < n && s[i + 1] == '-') ||
               (c == '/' && i + 1 < n && s[i + 1] == '/')) {
      while (i < n && s[i] != '\n')
        ++i;
    } else if (c == '/' && i + 1 < n && s[i + 1] == '*') {
      const size_t end = s.find("*/", i + 2);
      i = end == std::string::npos ? n : end + 2;
    } else if (c == '[') {
      std::string name;
      ++i;
      while (i < n) {
        if (s[i] == ']') {
          if (i + 1 < n && s[i + 1] == ']') {
            name += ']';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        name += s[i++];
      }
      tokens.push_back({Token::Kind::Bracketed, name, depth, {}});
    } else if (c == '"' || c == '\'') {
      ++i;
      while (i < n && s[i] != c)
        ++i;
      ++i;
      tokens.push_back({Token::Kind::Other, {}, depth, {}});
    } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      std::string word;
      const size_t start = i;
      while (i < n && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_'))
        word += static_cast<char>(std::toupper(static_cast<unsigned char>(s[i++])));
      tokens.push_back({Token::Kind::Word, word, depth, s.substr(start, i - start)});
    } else {
      if (c == '(' || c == '{')
        ++depth;
      if ((c == ')' || c == '}') && depth > 0)
        --depth;
      tokens.push_back({Token::Kind::Other, std::string(1, c), depth, {}});
      ++i;
    }
  }
  return tokens;
}

}  // namespace

std::string FirstKeywordOf(const std::string& statement) {
  for (const Token& token : Tokens(statement))
    return token.kind == Token::Kind::Word ? token.text : std::string();
  return {};
}

std::string CubeNameOf(const std::string& statement) {
  const std::vector<Token> tokens = Tokens(statement);
  for (size_t i = 0; i + 1 < tokens.size(); ++i)
    if (tokens[i].kind == Token::Kind::Word && tokens[i].text == "FROM" && tokens[i].depth == 0) {
      const Token& next = tokens[i + 1];
      if (next.kind == Token::Kind::Bracketed)
        return next.text;
      if (next.kind == Token::Kind::Word)
        return next.raw;
    }
  return {};
}

}  // namespace xmla

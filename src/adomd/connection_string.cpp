#include "adomd/connection_string.h"

#include <cctype>

#include "adomd/provider_error.h"

namespace adomd {

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

ConnectionString ConnectionString::Parse(const std::string& text) {
  ConnectionString result;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    while (i < n && (text[i] == ';' || std::isspace(static_cast<unsigned char>(text[i])))) ++i;
    if (i >= n) break;
    const size_t equals = text.find('=', i);
    const size_t semicolon = text.find(';', i);
    if (equals == std::string::npos || (semicolon != std::string::npos && semicolon < equals))
      throw ProviderError("The connection string is not valid: \"" +
                          text.substr(i, semicolon == std::string::npos ? std::string::npos
                                                                        : semicolon - i) +
                          "\" is not a key=value pair.");
    const std::string key = Trimmed(text.substr(i, equals - i));
    if (key.empty()) throw ProviderError("The connection string is not valid: a key is empty.");
    i = equals + 1;
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string value;
    if (i < n && (text[i] == '"' || text[i] == '\'')) {
      const char quote = text[i++];
      bool closed = false;
      while (i < n) {
        if (text[i] == quote) {
          if (i + 1 < n && text[i + 1] == quote) {
            value += quote;
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        value += text[i++];
      }
      if (!closed)
        throw ProviderError("The connection string is not valid: the value of " + key +
                            " has no closing quote.");
      while (i < n && text[i] != ';') {
        if (!std::isspace(static_cast<unsigned char>(text[i])))
          throw ProviderError("The connection string is not valid: unexpected text after the "
                              "quoted value of " + key + ".");
        ++i;
      }
    } else {
      const size_t end = text.find(';', i);
      value = Trimmed(text.substr(i, end == std::string::npos ? std::string::npos : end - i));
      i = end == std::string::npos ? n : end;
    }
    result.pairs_.emplace_back(key, value);
  }
  return result;
}

std::optional<std::string> ConnectionString::Get(const std::string& key) const {
  // As with the platform's providers, a key given twice takes its last value.
  for (auto it = pairs_.rbegin(); it != pairs_.rend(); ++it)
    if (EqualsIgnoringCase(it->first, key)) return it->second;
  return std::nullopt;
}

std::string ConnectionString::GetOr(const std::string& key, const std::string& fallback) const {
  return Get(key).value_or(fallback);
}

}  // namespace adomd

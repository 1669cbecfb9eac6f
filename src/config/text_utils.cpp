#include "config/text_utils.h"

#include <cctype>
#include <charconv>

namespace {

bool IsBlankChar(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

std::string Trim(std::string_view text) {
  size_t first = 0;
  while (first < text.size() && IsBlankChar(text[first])) ++first;
  size_t last = text.size();
  while (last > first && IsBlankChar(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

bool IsBlank(std::string_view text) {
  for (char c : text)
    if (!IsBlankChar(c)) return false;
  return true;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::string LowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = Lower(c);
  return result;
}

std::optional<long long> ParseDecimal(std::string_view text) {
  const std::string trimmed = Trim(text);
  std::string_view digits = trimmed;
  if (!digits.empty() && digits.front() == '+') {
    digits.remove_prefix(1);
    if (!digits.empty() && digits.front() == '-') return std::nullopt;
  }
  if (digits.empty()) return std::nullopt;
  long long value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) return std::nullopt;
  return value;
}

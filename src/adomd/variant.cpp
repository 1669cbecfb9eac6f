#include "adomd/variant.h"

#include <charconv>
#include <cmath>
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

// Shortest text that reads back as the same double ("0.1", not "0.10000000000000001").
std::string DoubleToText(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

Variant Variant::Null() { return Variant(NullTag{}); }

Variant::Type Variant::type() const { return static_cast<Type>(value_.index()); }

std::string Variant::ToText() const {
  switch (type()) {
    case Type::Empty:
    case Type::Null:
      return {};
    case Type::Boolean:
      return std::get<bool>(value_) ? "True" : "False";
    case Type::Integer:
      return std::to_string(std::get<int64_t>(value_));
    case Type::Double:
      return DoubleToText(std::get<double>(value_));
    case Type::Text:
      return std::get<std::string>(value_);
  }
  return {};
}

int64_t Variant::ToInteger() const {
  switch (type()) {
    case Type::Boolean:
      return std::get<bool>(value_) ? -1 : 0;
    case Type::Integer:
      return std::get<int64_t>(value_);
    case Type::Double: {
      const double value = std::get<double>(value_);
      if (!std::isfinite(value) || std::fabs(value) > 9.2e18) break;
      return static_cast<int64_t>(std::llround(value));
    }
    case Type::Text: {
      const std::string text = Trimmed(std::get<std::string>(value_));
      int64_t result = 0;
      const char* begin = text.data();
      const char* end = text.data() + text.size();
      if (!text.empty() && text[0] == '+') ++begin;
      const auto parsed = std::from_chars(begin, end, result);
      if (parsed.ec == std::errc() && parsed.ptr == end && begin != end) return result;
      break;
    }
    default:
      break;
  }
  throw ProviderError("Could not convert the value \"" + ToText() + "\" to an integer.");
}

double Variant::ToDouble() const {
  switch (type()) {
    case Type::Boolean:
      return std::get<bool>(value_) ? -1.0 : 0.0;
    case Type::Integer:
      return static_cast<double>(std::get<int64_t>(value_));
    case Type::Double:
      return std::get<double>(value_);
    case Type::Text: {
      const std::string text = Trimmed(std::get<std::string>(value_));
      double result = 0;
      const auto parsed = std::from_chars(text.data(), text.data() + text.size(), result);
      if (parsed.ec == std::errc() && parsed.ptr == text.data() + text.size() && !text.empty())
        return result;
      break;
    }
    default:
      break;
  }
  throw ProviderError("Could not convert the value \"" + ToText() + "\" to a number.");
}

bool Variant::ToBoolean() const {
  switch (type()) {
    case Type::Boolean:
      return std::get<bool>(value_);
    case Type::Integer:
      return std::get<int64_t>(value_) != 0;
    case Type::Double:
      return std::get<double>(value_) != 0.0;
    case Type::Text: {
      std::string text = Trimmed(std::get<std::string>(value_));
      for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (text == "true") return true;
      if (text == "false") return false;
      double number = 0;
      const auto parsed = std::from_chars(text.data(), text.data() + text.size(), number);
      if (parsed.ec == std::errc() && parsed.ptr == text.data() + text.size() && !text.empty())
        return number != 0.0;
      break;
    }
    default:
      break;
  }
  throw ProviderError("Could not convert the value \"" + ToText() + "\" to a boolean.");
}

}  // namespace adomd

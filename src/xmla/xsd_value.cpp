#include "xmla/xsd_value.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "adomd/provider_error.h"
#include "xmla/xml_tools.h"

namespace xmla {

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos)
    return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool IsIntegerType(std::string_view t) {
  return t == "int" || t == "long" || t == "short" || t == "byte" || t == "integer" ||
         t == "unsignedInt" || t == "unsignedLong" || t == "unsignedShort" || t == "unsignedByte" ||
         t == "nonNegativeInteger" || t == "positiveInteger" || t == "negativeInteger" ||
         t == "nonPositiveInteger";
}

bool IsFloatingType(std::string_view t) {
  return t == "double" || t == "float" || t == "decimal";
}

[[noreturn]] void Unreadable(std::string_view type, const std::string& text) {
  throw adomd::ProviderError("The server sent \"" + text + "\" as a value of type " +
                             std::string(type) + ".");
}

}  // namespace

std::string XsdTypeOf(const adomd::Variant& value) {
  switch (value.type()) {
    case adomd::Variant::Type::Boolean:
      return "xsd:boolean";
    case adomd::Variant::Type::Integer:
      return "xsd:long";
    case adomd::Variant::Type::Double:
      return "xsd:double";
    case adomd::Variant::Type::Text:
      return "xsd:string";
    default:
      return {};
  }
}

std::string XsdText(const adomd::Variant& value) {
  switch (value.type()) {
    case adomd::Variant::Type::Boolean:
      return value.ToBoolean() ? "true" : "false";
    case adomd::Variant::Type::Double: {
      const double number = value.ToDouble();
      if (std::isnan(number))
        return "NaN";
      if (std::isinf(number))
        return number > 0 ? "INF" : "-INF";
      char buffer[64];
      const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
      return std::string(buffer, result.ptr);
    }
    default:
      return value.ToText();
  }
}

adomd::Variant ReadXsdValue(std::string_view type, const std::string& text) {
  const std::string_view local = WithoutPrefix(type);
  if (IsIntegerType(local)) {
    const std::string trimmed = Trimmed(text);
    const char* begin = trimmed.data();
    const char* end = begin + trimmed.size();
    if (begin != end && *begin == '+')
      ++begin;
    int64_t integer = 0;
    const auto parsed = std::from_chars(begin, end, integer);
    if (parsed.ec == std::errc() && parsed.ptr == end && begin != end)
      return integer;
    // An unsignedLong beyond the signed range still has a value.
    uint64_t unsigned_integer = 0;
    const auto big = std::from_chars(begin, end, unsigned_integer);
    if (big.ec == std::errc() && big.ptr == end && begin != end)
      return static_cast<double>(unsigned_integer);
    Unreadable(local, text);
  }
  if (IsFloatingType(local)) {
    const std::string trimmed = Trimmed(text);
    if (trimmed == "INF" || trimmed == "+INF")
      return std::numeric_limits<double>::infinity();
    if (trimmed == "-INF")
      return -std::numeric_limits<double>::infinity();
    if (trimmed == "NaN")
      return std::numeric_limits<double>::quiet_NaN();
    const char* begin = trimmed.data();
    const char* end = begin + trimmed.size();
    if (begin != end && *begin == '+')
      ++begin;
    double number = 0;
    const auto parsed = std::from_chars(begin, end, number);
    if (parsed.ec == std::errc() && parsed.ptr == end && begin != end)
      return number;
    Unreadable(local, text);
  }
  if (local == "boolean") {
    const std::string trimmed = Trimmed(text);
    if (trimmed == "true" || trimmed == "1")
      return true;
    if (trimmed == "false" || trimmed == "0")
      return false;
    Unreadable(local, text);
  }
  return text;
}

}  // namespace xmla

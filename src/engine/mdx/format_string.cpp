#include "engine/mdx/format_string.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/mdx/same_name.h"

namespace engine::mdx {

namespace {

// What the named formats stand for with an en-US locale.
struct NamedPattern {
  std::string_view name;
  std::string_view pattern;
};
constexpr NamedPattern kNamedPatterns[] = {
    {"Currency", "$#,##0.00;($#,##0.00)"},
    {"Fixed", "0.00"},
    {"Standard", "#,##0.00"},
    {"Percent", "0.00%"},
    {"Scientific", "0.00E+00"},
};

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

bool IsPlaceholder(char c) {
  return c == '0' || c == '#' || c == '?';
}

// A positive finite number as decimal digits: value = 0.digits * 10^point, with the digits
// taken to 15 significant places, so that 2.675 rounds as written and not as stored.
struct Decimal {
  std::string digits;
  int point = 0;
};

Decimal ToDecimal(double value) {
  Decimal decimal;
  if (value == 0) {
    decimal.digits = "0";
    decimal.point = 1;
    return decimal;
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);  // d.dddddddddddddde+XX
  const std::string_view text(buffer);
  const size_t e = text.find('e');
  decimal.digits = std::string(1, text[0]) + std::string(text.substr(2, e - 2));
  decimal.point = std::atoi(buffer + e + 1) + 1;
  return decimal;
}

// Rounds half away from zero to `decimals` places after the point and returns the integer
// digits (without leading zeros, empty for 0) and exactly `decimals` fraction digits.
void RoundFixed(Decimal decimal, int decimals, std::string& integer, std::string& fraction) {
  std::string digits = decimal.digits;
  int point = decimal.point;
  if (point < 1) {
    digits.insert(0, static_cast<size_t>(1 - point), '0');
    point = 1;
  }
  const size_t keep = static_cast<size_t>(point + decimals);
  if (keep < digits.size()) {
    const bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (up) {
      size_t i = keep;
      while (i > 0 && digits[i - 1] == '9')
        digits[--i] = '0';
      if (i == 0) {
        digits.insert(0, 1, '1');
        ++point;
      } else {
        ++digits[i - 1];
      }
    }
  } else {
    digits.resize(keep, '0');
  }
  integer = digits.substr(0, static_cast<size_t>(point));
  fraction = digits.substr(static_cast<size_t>(point));
  const size_t first = integer.find_first_not_of('0');
  integer = first == std::string::npos ? "" : integer.substr(first);
}

std::string GeneralNumber(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  return buffer;
}

}  // namespace

FormatString::FormatString(std::string_view format) {
  const std::string_view name = TrimBlanks(format);
  if (name.empty() || SameName(name, "General Number") || SameName(name, "General")) {
    named_ = Named::kGeneralNumber;
    return;
  }
  if (SameName(name, "Yes/No")) {
    named_ = Named::kYesNo;
    return;
  }
  if (SameName(name, "True/False")) {
    named_ = Named::kTrueFalse;
    return;
  }
  if (SameName(name, "On/Off")) {
    named_ = Named::kOnOff;
    return;
  }
  for (const NamedPattern& named : kNamedPatterns)
    if (SameName(name, named.name))
      format = named.pattern;

  // Sections split at semicolons outside quotes and escapes; a fourth one (for empty
  // values) is not used, since an empty value is always the empty text.
  size_t start = 0;
  bool in_quotes = false;
  for (size_t i = 0; i <= format.size() && sections_.size() < 3; ++i) {
    if (i == format.size() || (format[i] == ';' && !in_quotes)) {
      sections_.push_back(ParseSection(format.substr(start, i - start)));
      start = i + 1;
    } else if (format[i] == '"') {
      in_quotes = !in_quotes;
    } else if (format[i] == '\\' && !in_quotes && i + 1 < format.size()) {
      ++i;
    }
  }
}

FormatString::Section FormatString::ParseSection(std::string_view text) {
  Section section;
  section.empty = text.empty();
  std::vector<Element>& elements = section.elements;
  auto literal = [&](std::string_view piece) {
    if (!elements.empty() && elements.back().kind == Element::Kind::kLiteral) {
      elements.back().text += piece;
    } else {
      elements.push_back(Element::Of(Element::Kind::kLiteral, std::string(piece)));
    }
  };
  bool after_point = false;
  std::vector<size_t> commas;  // offsets in elements of the commas of the integer part
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      const size_t close = text.find('"', i + 1);
      const size_t end = close == std::string_view::npos ? text.size() : close;
      literal(text.substr(i + 1, end - i - 1));
      i = end;
    } else if (c == '\\') {
      if (i + 1 < text.size())
        literal(text.substr(++i, 1));
    } else if (IsPlaceholder(c) && section.has_exponent) {
      elements.back().exponent_digits += c;
    } else if (IsPlaceholder(c)) {
      const auto kind = after_point ? Element::Kind::kFractionDigit : Element::Kind::kIntegerDigit;
      elements.push_back(Element::Of(kind, std::string(1, c)));
    } else if (c == '.' && !after_point && !section.has_exponent) {
      after_point = true;
      elements.push_back(Element::Of(Element::Kind::kPoint, "."));
    } else if (c == ',' && !section.has_exponent) {
      commas.push_back(elements.size());
      elements.push_back(Element::Of(Element::Kind::kComma, ","));
    } else if (c == '%') {
      ++section.percents;
      elements.push_back(Element::Of(Element::Kind::kPercent, "%"));
    } else if ((c == 'E' || c == 'e') && !section.has_exponent && i + 1 < text.size() &&
               (text[i + 1] == '+' || text[i + 1] == '-')) {
      section.has_exponent = true;
      Element exponent = Element::Of(Element::Kind::kExponent, std::string(1, c));
      exponent.exponent_sign_always = text[++i] == '+';
      elements.push_back(exponent);
    } else {
      literal(text.substr(i, 1));
    }
  }
  // A comma between integer placeholders groups thousands; one after the last placeholder
  // of its part divides by a thousand ("#,##0," and "0.0,,"); any other comma is literal.
  for (auto it = commas.rbegin(); it != commas.rend(); ++it) {
    bool digit_before = false;
    bool integer_after = false;
    bool fraction_after = false;
    bool in_fraction = false;
    for (size_t j = 0; j < elements.size(); ++j) {
      const Element::Kind kind = elements[j].kind;
      const bool digit =
          kind == Element::Kind::kIntegerDigit || kind == Element::Kind::kFractionDigit;
      if (j < *it) {
        digit_before = digit_before || digit;
        in_fraction = in_fraction || kind == Element::Kind::kPoint;
      } else {
        integer_after = integer_after || kind == Element::Kind::kIntegerDigit;
        fraction_after = fraction_after || kind == Element::Kind::kFractionDigit;
      }
    }
    if (integer_after) {
      section.grouping = true;
    } else if (digit_before && !(in_fraction && fraction_after)) {
      ++section.thousands_scaling;
    } else {
      elements[*it].kind = Element::Kind::kLiteral;
      continue;
    }
    elements.erase(elements.begin() + static_cast<std::ptrdiff_t>(*it));
  }
  // A number shown without integer placeholders (".00") still shows its integer digits.
  bool has_integer = false;
  for (const Element& element : elements)
    if (element.kind == Element::Kind::kIntegerDigit)
      has_integer = true;
  if (!has_integer) {
    for (size_t j = 0; j < elements.size(); ++j) {
      const Element::Kind kind = elements[j].kind;
      if (kind == Element::Kind::kPoint || kind == Element::Kind::kFractionDigit ||
          kind == Element::Kind::kExponent) {
        elements.insert(elements.begin() + static_cast<std::ptrdiff_t>(j),
                        Element::Of(Element::Kind::kIntegerDigit, "#"));
        break;
      }
    }
  }
  return section;
}

std::string FormatString::Format(std::optional<double> value) const {
  if (!value)
    return "";
  const double v = *value;
  if (std::isnan(v))
    return "NaN";
  if (std::isinf(v))
    return v < 0 ? "-Infinity" : "Infinity";
  switch (named_) {
    case Named::kGeneralNumber:
      return GeneralNumber(v);
    case Named::kYesNo:
      return v != 0 ? "Yes" : "No";
    case Named::kTrueFalse:
      return v != 0 ? "True" : "False";
    case Named::kOnOff:
      return v != 0 ? "On" : "Off";
    case Named::kPattern:
      break;
  }
  // An empty section takes the form of the first, as if it were not there.
  auto usable = [&](size_t index) { return index < sections_.size() && !sections_[index].empty; };
  if (v == 0 && usable(2))
    return Apply(sections_[2], 0);
  if (v < 0 && usable(1))
    return Apply(sections_[1], -v);
  const std::string text = Apply(sections_[0], std::fabs(v));
  if (v >= 0)
    return text;
  // A negative value that shows only zeros shows no sign.
  if (Apply(sections_[0], 0) == text)
    return text;
  return "-" + text;
}

std::string FormatString::Apply(const Section& section, double magnitude) {
  using Kind = Element::Kind;
  double scaled =
      magnitude * std::pow(100.0, section.percents) / std::pow(1000.0, section.thousands_scaling);
  if (!std::isfinite(scaled))
    scaled = magnitude;

  std::string integer_placeholders;
  int fraction_count = 0;
  for (const Element& element : section.elements) {
    if (element.kind == Kind::kIntegerDigit)
      integer_placeholders += element.text;
    if (element.kind == Kind::kFractionDigit)
      ++fraction_count;
  }

  std::string integer;
  std::string fraction;
  std::string exponent_text;
  if (section.has_exponent) {
    // The mantissa keeps as many integer digits as there are integer placeholders; with #
    // among them the exponent is a multiple of their number (engineering notation).
    const int width = std::max<int>(1, static_cast<int>(integer_placeholders.size()));
    const bool engineering = integer_placeholders.find('#') != std::string::npos && width > 1;
    Decimal decimal = ToDecimal(scaled);
    int exponent = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
      const int magnitude_exponent = decimal.point - 1;  // scaled = d.ddd * 10^this
      if (scaled == 0) {
        exponent = 0;
      } else if (engineering) {
        exponent = magnitude_exponent >= 0 ? magnitude_exponent / width * width
                                           : -((-magnitude_exponent + width - 1) / width) * width;
      } else {
        exponent = magnitude_exponent - (width - 1);
      }
      Decimal mantissa = decimal;
      mantissa.point -= exponent;
      RoundFixed(mantissa, fraction_count, integer, fraction);
      // Rounding up may carry into one more integer digit than the form allows: 9.99 to 10.0.
      if (scaled == 0 || static_cast<int>(integer.size()) <= width)
        break;
      decimal.digits = "1";
      decimal.point = magnitude_exponent + 2;
      scaled = std::pow(10.0, magnitude_exponent + 1);
    }
    exponent_text = std::to_string(std::abs(exponent));
    for (const Element& element : section.elements) {
      if (element.kind != Kind::kExponent)
        continue;
      const size_t zeros =
          std::count(element.exponent_digits.begin(), element.exponent_digits.end(), '0');
      if (exponent_text.size() < zeros)
        exponent_text.insert(0, zeros - exponent_text.size(), '0');
      const char* sign = exponent < 0 ? "-" : (element.exponent_sign_always ? "+" : "");
      exponent_text = element.text + sign + exponent_text;
    }
  } else {
    RoundFixed(ToDecimal(scaled), fraction_count, integer, fraction);
  }

  // The integer digits, right-aligned on the placeholders; digits beyond the placeholders go
  // with the first one; a missing digit is "0" for 0, a blank for ? and nothing for #.
  const size_t slots = integer_placeholders.size();
  std::vector<std::string> slot_text(slots);
  size_t digit_count = 0;  // digits shown, counted from the right, for the thousands separators
  for (size_t j = 0; j < slots; ++j) {
    const size_t from_right = slots - 1 - j;
    const char placeholder = integer_placeholders[j];
    if (from_right < integer.size()) {
      const size_t digit_index = integer.size() - 1 - from_right;
      if (j == 0) {
        slot_text[j] = integer.substr(0, digit_index + 1);
      } else {
        slot_text[j] = std::string(1, integer[digit_index]);
      }
    } else if (placeholder == '0') {
      slot_text[j] = "0";
    } else if (placeholder == '?') {
      slot_text[j] = " ";
    }
  }
  for (const std::string& text : slot_text)
    for (char c : text)
      if (c != ' ')
        ++digit_count;

  // Fraction digits: trailing zeros of # placeholders are dropped, of ? placeholders blanked.
  std::string fraction_placeholders;
  for (const Element& element : section.elements)
    if (element.kind == Kind::kFractionDigit)
      fraction_placeholders += element.text;
  std::vector<std::string> fraction_text(fraction.size());
  for (size_t j = 0; j < fraction.size(); ++j)
    fraction_text[j] = std::string(1, fraction[j]);
  for (size_t j = fraction.size(); j-- > 0;) {
    if (fraction[j] != '0' || fraction_placeholders[j] == '0')
      break;
    fraction_text[j] = fraction_placeholders[j] == '?' ? " " : "";
  }

  std::string result;
  size_t integer_slot = 0;
  size_t fraction_slot = 0;
  size_t remaining = digit_count;  // digits still to write
  for (const Element& element : section.elements) {
    switch (element.kind) {
      case Kind::kLiteral:
      case Kind::kComma:
      case Kind::kPoint:
      case Kind::kPercent:
        result += element.text;
        break;
      case Kind::kIntegerDigit:
        for (char c : slot_text[integer_slot]) {
          result += c;
          if (c == ' ')
            continue;
          --remaining;
          if (section.grouping && remaining > 0 && remaining % 3 == 0)
            result += ',';
        }
        ++integer_slot;
        break;
      case Kind::kFractionDigit:
        result += fraction_text[fraction_slot++];
        break;
      case Kind::kExponent:
        result += exponent_text;
        break;
    }
  }
  return result;
}

}  // namespace engine::mdx

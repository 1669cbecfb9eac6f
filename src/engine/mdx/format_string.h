#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine::mdx {

// A FORMAT_STRING, read once and applied to any number of values, formatting numbers as the
// OLAP providers do with an en-US locale. It knows the named formats (General Number,
// Currency, Fixed, Standard, Percent, Scientific, Yes/No, True/False, On/Off; empty means
// General Number) and patterns of up to three sections for positive;negative;zero values
// built of 0 # ? placeholders, "." ",", "%", E+ E- exponents and literal text, in double
// quotes, after a backslash, or as written. Immutable, so it can be shared between threads.
class FormatString {
 public:
  explicit FormatString(std::string_view format);

  // No value (an empty cell) gives the empty text.
  std::string Format(std::optional<double> value) const;

 private:
  enum class Named { kPattern, kGeneralNumber, kYesNo, kTrueFalse, kOnOff };

  struct Element {
    // kComma only while a section is read: it becomes grouping, scaling or a literal.
    enum class Kind {
      kLiteral,
      kIntegerDigit,
      kFractionDigit,
      kPoint,
      kPercent,
      kExponent,
      kComma
    };
    Kind kind = Kind::kLiteral;
    std::string text;  // the literal; for digits the placeholder 0, # or ?
    bool exponent_sign_always = false;
    std::string exponent_digits;  // the placeholders after E+ or E-
    static Element Of(Kind kind, std::string text) {
      Element element;
      element.kind = kind;
      element.text = std::move(text);
      return element;
    }
  };

  struct Section {
    std::vector<Element> elements;
    bool grouping = false;  // thousands separators
    int thousands_scaling = 0;
    int percents = 0;
    bool has_exponent = false;
    bool empty = false;  // nothing between two semicolons
  };

  static Section ParseSection(std::string_view text);
  static std::string Apply(const Section& section, double magnitude);

  Named named_ = Named::kPattern;
  std::vector<Section> sections_;
};

}  // namespace engine::mdx

#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace adomd {

// The value of a property, a cell or a field. Empty and Null read as blank text.
class Variant {
 public:
  enum class Type { Empty, Null, Boolean, Integer, Double, Text };

  Variant() = default;
  static Variant Null();
  Variant(bool value) : value_(value) {}                    // NOLINT(google-explicit-constructor)
  Variant(int value) : value_(static_cast<int64_t>(value)) {}  // NOLINT
  Variant(int64_t value) : value_(value) {}                 // NOLINT
  Variant(double value) : value_(value) {}                  // NOLINT
  Variant(std::string value) : value_(std::move(value)) {}  // NOLINT
  Variant(const char* value) : value_(std::string(value)) {}  // NOLINT

  Type type() const;
  bool IsEmpty() const { return type() == Type::Empty; }
  bool IsNull() const { return type() == Type::Null; }
  // Empty or Null: no value at all.
  bool IsBlank() const { return IsEmpty() || IsNull(); }
  bool IsNumber() const { return type() == Type::Integer || type() == Type::Double; }

  // Conversions as the browser reads provider values. ToText never fails; ToInteger,
  // ToDouble and ToBoolean raise ProviderError when the value has no such reading.
  std::string ToText() const;
  int64_t ToInteger() const;
  double ToDouble() const;
  bool ToBoolean() const;

  bool operator==(const Variant& other) const = default;

 private:
  struct NullTag {
    bool operator==(const NullTag&) const = default;
  };
  explicit Variant(NullTag tag) : value_(tag) {}
  std::variant<std::monostate, NullTag, bool, int64_t, double, std::string> value_;
};

}  // namespace adomd

#pragma once

#include <cstdint>
#include <string>

#include "adomd/variant.h"

namespace adomd {

// One cell of a cell set. An empty cell has an Empty value and an empty formatted value;
// a cell whose calculation failed has an Empty value and the error text as formatted value.
class Cell {
 public:
  Cell() = default;
  Cell(int64_t ordinal, Variant value, std::string formatted_value)
      : ordinal_(ordinal), value_(std::move(value)), formatted_value_(std::move(formatted_value)) {}
  int64_t Ordinal() const { return ordinal_; }
  const Variant& Value() const { return value_; }
  const std::string& FormattedValue() const { return formatted_value_; }

 private:
  int64_t ordinal_ = 0;
  Variant value_;
  std::string formatted_value_;
};

}  // namespace adomd

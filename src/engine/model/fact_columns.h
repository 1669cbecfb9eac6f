#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace engine {

// The dimension key of every fact row for one dimension, in the narrowest width that holds
// the dimension's key count.
class KeyColumn {
 public:
  using Storage = std::variant<std::vector<uint8_t>, std::vector<uint16_t>, std::vector<uint32_t>>;

  KeyColumn() = default;
  explicit KeyColumn(Storage storage) : storage_(std::move(storage)) {}
  // Narrows keys that are all below key_count.
  static KeyColumn FromKeys(const std::vector<uint32_t>& keys, uint32_t key_count);

  size_t RowCount() const;
  size_t ByteSize() const;
  // Bytes per key: 1, 2 or 4.
  int Width() const;
  uint32_t operator[](size_t row) const;
  // Calls f with a std::span<const uintN_t> of all keys, for loops over one width.
  template <class F>
  decltype(auto) Visit(F&& f) const {
    return std::visit([&](const auto& keys) { return f(std::span(keys)); }, storage_);
  }
  const Storage& Data() const { return storage_; }

 private:
  Storage storage_;
};

// The values of one stored measure for every fact row. Decimal values are kept exactly as
// integers with a decimal scale (value = stored / 10^scale); other values as doubles. A count
// measure keeps no values, only which rows are null. A distinct-count measure keeps a code
// per row, equal codes standing for equal source values.
class NumberColumn {
 public:
  using Storage = std::variant<std::monostate, std::vector<int8_t>, std::vector<int16_t>,
                               std::vector<int32_t>, std::vector<int64_t>, std::vector<double>>;

  NumberColumn() = default;
  NumberColumn(Storage storage, int scale, size_t row_count, std::vector<uint64_t> nulls);
  // Picks the narrowest exact encoding of the values; null_rows marks rows without a value
  // (their value is ignored). keep_values false makes a column of nulls only (a count).
  static NumberColumn FromValues(const std::vector<double>& values,
                                 const std::vector<bool>& null_rows, bool keep_values);

  size_t RowCount() const { return row_count_; }
  bool HasValues() const { return !std::holds_alternative<std::monostate>(storage_); }
  // Decimal places of integer storage; 0 for doubles.
  int Scale() const { return scale_; }
  // 10^Scale().
  double Divisor() const;
  bool IsNull(size_t row) const {
    return !nulls_.empty() && ((nulls_[row >> 6] >> (row & 63)) & 1u);
  }
  bool HasNulls() const { return !nulls_.empty(); }
  // The value of a row (0 when null or when the column keeps no values).
  double Value(size_t row) const;
  // Calls f with a std::span<const T> of the stored numbers (before scaling); for a column
  // without values f gets an empty std::span<const int8_t>.
  template <class F>
  decltype(auto) Visit(F&& f) const {
    return std::visit(
        [&](const auto& values) {
          if constexpr (std::is_same_v<std::decay_t<decltype(values)>, std::monostate>)
            return f(std::span<const int8_t>());
          else
            return f(std::span(values));
        },
        storage_);
  }
  const Storage& Data() const { return storage_; }
  // One bit per row, set for a null; empty when no row is null.
  const std::vector<uint64_t>& Nulls() const { return nulls_; }
  size_t ByteSize() const;
  // "none", "i8", "i16", "i32", "i64" or "f64".
  std::string TypeName() const;

 private:
  Storage storage_;
  int scale_ = 0;
  size_t row_count_ = 0;
  std::vector<uint64_t> nulls_;
};

// The fact table as columns: one key column per dimension, in the cube's dimension order,
// and one number column per stored measure, in measure order.
struct FactTable {
  size_t row_count = 0;
  std::vector<KeyColumn> keys;
  std::vector<NumberColumn> numbers;

  // The bytes of all column arrays (keys, values and null bitmaps).
  size_t ByteSize() const;
};

}  // namespace engine

#include "engine/model/fact_columns.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace engine {

namespace {

template <class T>
std::vector<T> Narrowed(const std::vector<uint32_t>& keys) {
  std::vector<T> narrowed(keys.size());
  for (size_t i = 0; i < keys.size(); ++i)
    narrowed[i] = static_cast<T>(keys[i]);
  return narrowed;
}

template <class T>
std::vector<T> Encoded(const std::vector<double>& values, const std::vector<bool>& null_rows,
                       double factor) {
  std::vector<T> encoded(values.size());
  for (size_t i = 0; i < values.size(); ++i)
    encoded[i] = null_rows[i] ? T{0} : static_cast<T>(std::llround(values[i] * factor));
  return encoded;
}

constexpr int kMaxScale = 4;

// The fewest decimal places that keep every value exact, or -1 when integers cannot.
int ExactScale(const std::vector<double>& values, const std::vector<bool>& null_rows) {
  double factor = 1;
  for (int scale = 0; scale <= kMaxScale; ++scale, factor *= 10) {
    bool exact = true;
    for (size_t i = 0; i < values.size() && exact; ++i) {
      if (null_rows[i])
        continue;
      const double scaled = values[i] * factor;
      if (!std::isfinite(scaled) || std::fabs(scaled) > 9.0e15)
        return -1;
      exact = static_cast<double>(std::llround(scaled)) / factor == values[i];
    }
    if (exact)
      return scale;
  }
  return -1;
}

}  // namespace

KeyColumn KeyColumn::FromKeys(const std::vector<uint32_t>& keys, uint32_t key_count) {
  if (key_count <= 0x100)
    return KeyColumn(Narrowed<uint8_t>(keys));
  if (key_count <= 0x10000)
    return KeyColumn(Narrowed<uint16_t>(keys));
  return KeyColumn(keys);
}

size_t KeyColumn::RowCount() const {
  return Visit([](auto keys) { return keys.size(); });
}

size_t KeyColumn::ByteSize() const {
  return Visit([](auto keys) { return keys.size_bytes(); });
}

int KeyColumn::Width() const {
  return Visit([](auto keys) { return static_cast<int>(sizeof(keys[0])); });
}

uint32_t KeyColumn::operator[](size_t row) const {
  return Visit([row](auto keys) { return static_cast<uint32_t>(keys[row]); });
}

NumberColumn::NumberColumn(Storage storage, int scale, size_t row_count,
                           std::vector<uint64_t> nulls)
    : storage_(std::move(storage)), scale_(scale), row_count_(row_count), nulls_(std::move(nulls)) {
  const size_t stored = Visit([](auto values) { return values.size(); });
  if (HasValues() && stored != row_count_)
    throw std::invalid_argument("A measure column holds " + std::to_string(stored) +
                                " values for " + std::to_string(row_count_) + " rows.");
  if (!nulls_.empty() && nulls_.size() != (row_count_ + 63) / 64)
    throw std::invalid_argument("A measure column's null bitmap does not match its rows.");
  if (scale_ < 0 || scale_ > kMaxScale)
    throw std::invalid_argument("A measure column has the decimal scale " + std::to_string(scale_) +
                                ".");
}

NumberColumn NumberColumn::FromValues(const std::vector<double>& values,
                                      const std::vector<bool>& null_rows, bool keep_values) {
  const size_t rows = values.size();
  std::vector<uint64_t> nulls;
  for (size_t i = 0; i < rows; ++i)
    if (null_rows[i]) {
      if (nulls.empty())
        nulls.assign((rows + 63) / 64, 0);
      nulls[i >> 6] |= uint64_t{1} << (i & 63);
    }
  if (!keep_values)
    return NumberColumn(std::monostate(), 0, rows, std::move(nulls));

  const int scale = ExactScale(values, null_rows);
  if (scale < 0) {
    std::vector<double> copy(values);
    for (size_t i = 0; i < rows; ++i)
      if (null_rows[i])
        copy[i] = 0;
    return NumberColumn(std::move(copy), 0, rows, std::move(nulls));
  }
  const double factor = std::pow(10.0, scale);
  int64_t low = 0;
  int64_t high = 0;
  for (size_t i = 0; i < rows; ++i) {
    if (null_rows[i])
      continue;
    const int64_t v = std::llround(values[i] * factor);
    low = std::min(low, v);
    high = std::max(high, v);
  }
  auto fits = [&](auto type) {
    using T = decltype(type);
    return low >= std::numeric_limits<T>::min() && high <= std::numeric_limits<T>::max();
  };
  if (fits(int8_t{}))
    return NumberColumn(Encoded<int8_t>(values, null_rows, factor), scale, rows, std::move(nulls));
  if (fits(int16_t{}))
    return NumberColumn(Encoded<int16_t>(values, null_rows, factor), scale, rows, std::move(nulls));
  if (fits(int32_t{}))
    return NumberColumn(Encoded<int32_t>(values, null_rows, factor), scale, rows, std::move(nulls));
  return NumberColumn(Encoded<int64_t>(values, null_rows, factor), scale, rows, std::move(nulls));
}

double NumberColumn::Divisor() const {
  return std::pow(10.0, scale_);
}

double NumberColumn::Value(size_t row) const {
  if (IsNull(row) || !HasValues())
    return 0;
  const double stored = Visit([row](auto values) { return static_cast<double>(values[row]); });
  return scale_ == 0 ? stored : stored / Divisor();
}

size_t NumberColumn::ByteSize() const {
  return Visit([](auto values) { return values.size_bytes(); }) + nulls_.size() * sizeof(uint64_t);
}

std::string NumberColumn::TypeName() const {
  static const char* const kNames[] = {"none", "i8", "i16", "i32", "i64", "f64"};
  return kNames[storage_.index()];
}

size_t FactTable::ByteSize() const {
  size_t bytes = 0;
  for (const auto& column : keys)
    bytes += column.ByteSize();
  for (const auto& column : numbers)
    bytes += column.ByteSize();
  return bytes;
}

}  // namespace engine

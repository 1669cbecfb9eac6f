#include "engine/builder/source_value.h"

#include <charconv>
#include <cmath>

namespace engine {

SourceValue SourceValue::FromColumn(const SqliteStatement& statement, int column) {
  SourceValue value;
  switch (statement.ColumnType(column)) {
    case SQLITE_INTEGER:
      value.kind = Kind::Integer;
      value.integer = statement.Int(column);
      break;
    case SQLITE_FLOAT: {
      const double real = statement.Double(column);
      if (std::trunc(real) == real && std::fabs(real) < 9.0e15) {
        value.kind = Kind::Integer;
        value.integer = static_cast<int64_t>(real);
      } else {
        value.kind = Kind::Real;
        value.real = real;
      }
      break;
    }
    case SQLITE_NULL:
      break;
    default:
      value.kind = Kind::Text;
      value.text = statement.Text(column);
      break;
  }
  return value;
}

std::string SourceValue::ToText() const {
  switch (kind) {
    case Kind::Null:
      return "#null";
    case Kind::Integer:
      return std::to_string(integer);
    case Kind::Real: {
      char buffer[64];
      const auto end = std::to_chars(buffer, buffer + sizeof buffer, real).ptr;
      return std::string(buffer, end);
    }
    case Kind::Text:
      return text;
  }
  return {};
}

std::string SourceValue::Identity() const {
  switch (kind) {
    case Kind::Null:
      return "n";
    case Kind::Integer:
      return "i" + std::to_string(integer);
    case Kind::Real:
      return "r" + ToText();
    case Kind::Text:
      return "t" + text;
  }
  return {};
}

std::string SourceValue::Quoted() const {
  if (kind == Kind::Text)
    return "\"" + text + "\"";
  if (kind == Kind::Null)
    return "NULL";
  return ToText();
}

int SourceValue::Compare(const SourceValue& a, const SourceValue& b) {
  auto rank = [](const SourceValue& v) { return v.IsNull() ? 0 : v.IsNumber() ? 1 : 2; };
  if (rank(a) != rank(b))
    return rank(a) < rank(b) ? -1 : 1;
  if (a.IsNull())
    return 0;
  if (a.IsNumber()) {
    if (a.kind == Kind::Integer && b.kind == Kind::Integer)
      return a.integer < b.integer ? -1 : a.integer > b.integer ? 1 : 0;
    const double x = a.kind == Kind::Integer ? static_cast<double>(a.integer) : a.real;
    const double y = b.kind == Kind::Integer ? static_cast<double>(b.integer) : b.real;
    return x < y ? -1 : x > y ? 1 : 0;
  }
  return a.text.compare(b.text) < 0 ? -1 : a.text == b.text ? 0 : 1;
}

int32_t ValueIndex::Insert(const SourceValue& value, int32_t number) {
  if (value.kind == SourceValue::Kind::Integer)
    return integers_.emplace(value.integer, number).first->second;
  return others_.emplace(value.Identity(), number).first->second;
}

int32_t ValueIndex::Find(const SourceValue& value) const {
  if (value.IsNull())
    return -1;
  if (value.kind == SourceValue::Kind::Integer) {
    if (!dense_.empty()) {
      const int64_t at = value.integer - dense_base_;
      return at >= 0 && at < static_cast<int64_t>(dense_.size()) ? dense_[static_cast<size_t>(at)]
                                                                 : -1;
    }
    const auto found = integers_.find(value.integer);
    return found == integers_.end() ? -1 : found->second;
  }
  const auto found = others_.find(value.Identity());
  return found == others_.end() ? -1 : found->second;
}

int32_t ValueIndex::Find(const SqliteStatement& statement, int column) const {
  if (statement.ColumnType(column) == SQLITE_INTEGER && !dense_.empty()) {
    const int64_t at = statement.Int(column) - dense_base_;
    return at >= 0 && at < static_cast<int64_t>(dense_.size()) ? dense_[static_cast<size_t>(at)]
                                                               : -1;
  }
  return Find(SourceValue::FromColumn(statement, column));
}

void ValueIndex::Freeze() {
  if (integers_.empty())
    return;
  int64_t low = integers_.begin()->first;
  int64_t high = low;
  for (const auto& [key, number] : integers_) {
    low = std::min(low, key);
    high = std::max(high, key);
  }
  const uint64_t span = static_cast<uint64_t>(high) - static_cast<uint64_t>(low) + 1;
  if (span > 4 * integers_.size() + 1024)
    return;
  dense_.assign(span, -1);
  dense_base_ = low;
  for (const auto& [key, number] : integers_)
    dense_[static_cast<size_t>(key - low)] = number;
}

}  // namespace engine

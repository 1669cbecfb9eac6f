#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/storage/sqlite_database.h"

namespace engine {

// One value read from a source table. Reals without a fraction count as integers, so that a
// key read as 7.0 from one table matches 7 in another.
struct SourceValue {
  enum class Kind { Null, Integer, Real, Text };
  Kind kind = Kind::Null;
  int64_t integer = 0;
  double real = 0;
  std::string text;

  static SourceValue FromColumn(const SqliteStatement& statement, int column);
  bool IsNull() const { return kind == Kind::Null; }
  bool IsNumber() const { return kind == Kind::Integer || kind == Kind::Real; }
  // As a member name or caption: "1997", "2.5", the text; "#null" for NULL.
  std::string ToText() const;
  // Equal for equal values, different otherwise; for hashing.
  std::string Identity() const;
  // As the value reads in messages: numbers bare, text in quotes.
  std::string Quoted() const;
  // Orders NULL first, then numbers by value, then texts bytewise.
  static int Compare(const SourceValue& a, const SourceValue& b);
};

// Finds the number given to a value; integer values, the usual keys, take a fast path.
class ValueIndex {
 public:
  // The number of the value when it has one already, else gives it this one.
  int32_t Insert(const SourceValue& value, int32_t number);
  int32_t Find(const SourceValue& value) const;
  // The number of a column of the current row; -1 when none (NULL included).
  int32_t Find(const SqliteStatement& statement, int column) const;
  // Makes integer lookups an array index when the keys are dense enough; call it after the
  // last Insert.
  void Freeze();
  size_t Size() const { return integers_.size() + others_.size(); }

 private:
  std::unordered_map<int64_t, int32_t> integers_;
  std::unordered_map<std::string, int32_t> others_;
  std::vector<int32_t> dense_;
  int64_t dense_base_ = 0;
};

}  // namespace engine

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "adomd/collection.h"
#include "adomd/variant.h"

namespace adomd {

// A column of the current row of a recordset.
class Field {
 public:
  Field(std::string name, Variant value) : name_(std::move(name)), value_(std::move(value)) {}
  const std::string& Name() const { return name_; }
  const Variant& Value() const { return value_; }

 private:
  std::string name_;
  Variant value_;
};

using Fields = Collection<Field>;

// Rows returned by a statement such as DRILLTHROUGH, read with a cursor.
class Recordset {
 public:
  Recordset(std::vector<std::string> column_names, std::vector<std::vector<Variant>> rows);

  int RecordCount() const { return static_cast<int>(rows_.size()); }
  // Before the first row / after the last one. Both hold for an empty recordset (BOF and EOF of the object model).
  bool Bof() const { return current_ < 0 || rows_.empty(); }
  bool Eof() const { return current_ >= RecordCount(); }
  void MoveFirst() { current_ = 0; }
  // Moves the cursor by a number of rows, stopping at BOF or EOF.
  void Move(int rows);
  // The fields of the current row; raises ProviderError at BOF or EOF.
  std::shared_ptr<Fields> GetFields() const;

  const std::vector<std::string>& ColumnNames() const { return column_names_; }
  const std::vector<std::vector<Variant>>& Rows() const { return rows_; }

 private:
  std::vector<std::string> column_names_;
  std::vector<std::vector<Variant>> rows_;
  int current_ = 0;
};

}  // namespace adomd

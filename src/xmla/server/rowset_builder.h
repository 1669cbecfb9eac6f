#pragma once

#include <string>
#include <utility>
#include <vector>

#include "adomd/property.h"
#include "xmla/tabular_rowset.h"

namespace xmla {

// Collects rows of named values into a rowset: the leading columns in the order given, then
// every other name in the order first seen. A column's type follows its values: integers,
// numbers (integers mixed with numbers read as numbers), booleans, or text for anything else.
class RowsetBuilder {
 public:
  using Row = std::vector<std::pair<std::string, adomd::Variant>>;

  explicit RowsetBuilder(std::vector<std::string> leading_columns);

  // A name given twice in a row keeps its first value.
  void Add(const Row& row);
  // A row of values for the leading columns, in their order (names may repeat, as the columns
  // of a statement's result can).
  void AddValues(std::vector<adomd::Variant> values);
  // Appends every property to the row, so that a provider's own properties travel as columns.
  static void AddProperties(Row& row, const adomd::Properties& properties);

  TabularRowset Finish() &&;

 private:
  size_t ColumnOf(const std::string& name);

  std::vector<std::string> names_;
  std::vector<std::vector<adomd::Variant>> rows_;
};

}  // namespace xmla

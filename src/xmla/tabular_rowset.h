#pragma once

#include <optional>
#include <string>
#include <vector>

#include "adomd/variant.h"

namespace xmla {

// One column of a rowset: its real name (which may hold any character) and its XML Schema
// type ("xsd:string", "xsd:long"...).
struct RowsetColumn {
  std::string name;
  std::string type;
};

// The tabular answer of a Discover, or of an Execute of a DRILLTHROUGH: columns and rows of
// values. A value that is absent is Null.
struct TabularRowset {
  std::vector<RowsetColumn> columns;
  std::vector<std::vector<adomd::Variant>> rows;

  std::optional<size_t> ColumnIndex(const std::string& name) const;
  // The value of a named column in a row; Null when the rowset has no such column.
  const adomd::Variant& Value(size_t row, const std::string& column) const;
};

}  // namespace xmla

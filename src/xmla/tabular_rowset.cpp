#include "xmla/tabular_rowset.h"

namespace xmla {

std::optional<size_t> TabularRowset::ColumnIndex(const std::string& name) const {
  for (size_t i = 0; i < columns.size(); ++i)
    if (columns[i].name == name)
      return i;
  return std::nullopt;
}

const adomd::Variant& TabularRowset::Value(size_t row, const std::string& column) const {
  static const adomd::Variant kNull = adomd::Variant::Null();
  const auto index = ColumnIndex(column);
  if (!index || row >= rows.size() || *index >= rows[row].size())
    return kNull;
  return rows[row][*index];
}

}  // namespace xmla

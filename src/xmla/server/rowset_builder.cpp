#include "xmla/server/rowset_builder.h"

#include <algorithm>

namespace xmla {

RowsetBuilder::RowsetBuilder(std::vector<std::string> leading_columns)
    : names_(std::move(leading_columns)) {}

size_t RowsetBuilder::ColumnOf(const std::string& name) {
  const auto found = std::find(names_.begin(), names_.end(), name);
  if (found != names_.end())
    return static_cast<size_t>(found - names_.begin());
  names_.push_back(name);
  return names_.size() - 1;
}

void RowsetBuilder::Add(const Row& row) {
  std::vector<adomd::Variant> values(names_.size());
  std::vector<bool> set(names_.size(), false);
  for (const auto& [name, value] : row) {
    const size_t column = ColumnOf(name);
    if (column >= values.size()) {
      values.resize(names_.size());
      set.resize(names_.size(), false);
    }
    if (set[column])
      continue;
    set[column] = true;
    values[column] = value;
  }
  rows_.push_back(std::move(values));
}

void RowsetBuilder::AddValues(std::vector<adomd::Variant> values) {
  values.resize(names_.size());
  rows_.push_back(std::move(values));
}

void RowsetBuilder::AddProperties(Row& row, const adomd::Properties& properties) {
  for (int i = 0; i < properties.Count(); ++i) {
    const auto property = properties.Item(i);
    row.emplace_back(property->Name(), property->Value());
  }
}

TabularRowset RowsetBuilder::Finish() && {
  TabularRowset rowset;
  for (auto& row : rows_)
    row.resize(names_.size());
  for (size_t c = 0; c < names_.size(); ++c) {
    bool any = false, integers = true, numbers = true, booleans = true;
    for (const auto& row : rows_) {
      const adomd::Variant& value = row[c];
      if (value.IsBlank())
        continue;
      any = true;
      integers = integers && value.type() == adomd::Variant::Type::Integer;
      numbers = numbers && value.IsNumber();
      booleans = booleans && value.type() == adomd::Variant::Type::Boolean;
    }
    std::string type = "xsd:string";
    if (any && integers)
      type = "xsd:long";
    else if (any && numbers)
      type = "xsd:double";
    else if (any && booleans)
      type = "xsd:boolean";
    for (auto& row : rows_) {
      adomd::Variant& value = row[c];
      if (value.IsBlank())
        continue;
      if (type == "xsd:double")
        value = value.ToDouble();
      else if (type == "xsd:string" && value.type() != adomd::Variant::Type::Text)
        value = value.ToText();
    }
    rowset.columns.push_back({names_[c], type});
  }
  rowset.rows = std::move(rows_);
  return rowset;
}

}  // namespace xmla

#include "xmla/rowset_xml.h"

#include <map>
#include <set>

#include "xmla/xml_name.h"
#include "xmla/xml_tools.h"
#include "xmla/xmla_namespaces.h"
#include "xmla/xsd_value.h"

namespace xmla {

void WriteRowset(pugi::xml_node parent, const TabularRowset& rowset) {
  pugi::xml_node root = parent.append_child("root");
  root.append_attribute("xmlns") = kRowsetNs;
  root.append_attribute("xmlns:xsd") = kXsdNs;
  root.append_attribute("xmlns:xsi") = kXsiNs;
  root.append_attribute("xmlns:sql") = kSqlNs;

  pugi::xml_node schema = root.append_child("xsd:schema");
  schema.append_attribute("targetNamespace") = kRowsetNs;
  schema.append_attribute("elementFormDefault") = "qualified";
  pugi::xml_node root_element = schema.append_child("xsd:element");
  root_element.append_attribute("name") = "root";
  pugi::xml_node rows = root_element.append_child("xsd:complexType").append_child("xsd:sequence");
  rows.append_attribute("minOccurs") = "0";
  rows.append_attribute("maxOccurs") = "unbounded";
  pugi::xml_node row_element = rows.append_child("xsd:element");
  row_element.append_attribute("name") = "row";
  row_element.append_attribute("type") = "row";
  pugi::xml_node row_type = schema.append_child("xsd:complexType");
  row_type.append_attribute("name") = "row";
  pugi::xml_node sequence = row_type.append_child("xsd:sequence");

  // Columns may share a name (a statement can return one twice); their elements may not, or
  // a reader could not tell them apart. The schema's sql:field keeps the real name.
  std::vector<std::string> element_names;
  std::set<std::string> used;
  for (const RowsetColumn& column : rowset.columns) {
    std::string element_name = EncodeXmlName(column.name);
    for (int n = 2; used.count(element_name); ++n)
      element_name = EncodeXmlName(column.name) + "_" + std::to_string(n);
    used.insert(element_name);
    element_names.push_back(element_name);
    pugi::xml_node element = sequence.append_child("xsd:element");
    element.append_attribute("sql:field") = column.name.c_str();
    element.append_attribute("name") = element_names.back().c_str();
    element.append_attribute("type") = column.type.empty() ? "xsd:string" : column.type.c_str();
    element.append_attribute("minOccurs") = "0";
  }

  for (const auto& values : rowset.rows) {
    pugi::xml_node row = root.append_child("row");
    for (size_t i = 0; i < values.size() && i < element_names.size(); ++i) {
      if (values[i].IsBlank())
        continue;  // an absent element is a Null
      row.append_child(element_names[i].c_str()).text() = XsdText(values[i]).c_str();
    }
  }
}

namespace {

pugi::xml_node RowType(const pugi::xml_node& schema) {
  for (const pugi::xml_node& type : ChildrenNamed(schema, "complexType"))
    if (std::string_view(type.attribute("name").value()) == "row")
      return type;
  return {};
}

}  // namespace

TabularRowset ReadRowset(const pugi::xml_node& root) {
  TabularRowset rowset;
  // An element name may stand for several columns (servers that repeat a column's name); its
  // k-th element in a row is then the k-th of those columns.
  std::map<std::string, std::vector<size_t>, std::less<>> by_element;
  const auto add_column = [&](const std::string& element, std::string name, std::string type) {
    by_element[element].push_back(rowset.columns.size());
    rowset.columns.push_back({std::move(name), std::move(type)});
  };

  if (const pugi::xml_node schema = ChildNamed(root, "schema")) {
    const pugi::xml_node sequence = ChildNamed(RowType(schema), "sequence");
    for (const pugi::xml_node& element : ChildrenNamed(sequence, "element")) {
      const std::string element_name = element.attribute("name").value();
      const pugi::xml_attribute field = AttributeNamed(element, "field");
      add_column(element_name, field ? field.value() : DecodeXmlName(element_name),
                 element.attribute("type").value());
    }
  }

  for (const pugi::xml_node& row : ChildrenNamed(root, "row")) {
    std::vector<adomd::Variant> values(rowset.columns.size(), adomd::Variant::Null());
    std::map<std::string, size_t> seen;
    for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling()) {
      if (cell.type() != pugi::node_element)
        continue;
      const std::string element_name(LocalName(cell));
      auto found = by_element.find(element_name);
      const pugi::xml_attribute xsi_type = AttributeNamed(cell, "type");
      const size_t occurrence = seen[element_name]++;
      if (found == by_element.end() || occurrence >= found->second.size()) {
        add_column(element_name, DecodeXmlName(element_name),
                   xsi_type ? xsi_type.value() : "xsd:string");
        for (auto& earlier : rowset.rows)
          earlier.push_back(adomd::Variant::Null());
        values.push_back(adomd::Variant::Null());
        found = by_element.find(element_name);
      }
      const pugi::xml_attribute nil = AttributeNamed(cell, "nil");
      if (nil && (std::string_view(nil.value()) == "true" || std::string_view(nil.value()) == "1"))
        continue;
      const size_t column = found->second[occurrence];
      const std::string type = xsi_type ? xsi_type.value() : rowset.columns[column].type;
      values[column] = ReadXsdValue(type, TextOf(cell));
    }
    rowset.rows.push_back(std::move(values));
  }
  return rowset;
}

}  // namespace xmla

#pragma once

#include <pugixml.hpp>

#include "xmla/tabular_rowset.h"

// The tabular rowset format: a root element in the rowset namespace with an inline XML Schema
// that names and types the columns, then one row element per row.
namespace xmla {

// Appends the root element to a response's return element.
void WriteRowset(pugi::xml_node parent, const TabularRowset& rowset);
// Reads a rowset root. Columns come from the schema when there is one (its sql:field names
// the real column name), otherwise from the rows' elements in order of appearance.
TabularRowset ReadRowset(const pugi::xml_node& root);

}  // namespace xmla

#pragma once

#include <string>
#include <string_view>

#include "adomd/variant.h"

// Values as XML Schema types: the xsi:type of a cell value, the column types of a rowset.
namespace xmla {

// "xsd:boolean", "xsd:long", "xsd:double" or "xsd:string"; empty for Empty and Null.
std::string XsdTypeOf(const adomd::Variant& value);
// The value's lexical form for its type (true/false, INF, NaN, the shortest exact decimal).
std::string XsdText(const adomd::Variant& value);
// Reads a value written as a type; the type may carry any prefix or none. Integer types read as
// Integer, floating and decimal types as Double, boolean as Boolean, every other type (or none)
// as Text. Raises ProviderError for a number or boolean that does not read as one.
adomd::Variant ReadXsdValue(std::string_view type, const std::string& text);

}  // namespace xmla

#pragma once

#include <pugixml.hpp>

#include <string>

#include "xmla/md_data_set.h"
#include "xmla/tabular_rowset.h"

// The answers of the two methods: DiscoverResponse and ExecuteResponse envelopes whose return
// element holds a rowset or a multidimensional data set.
namespace xmla {

std::string WriteDiscoverResponse(const TabularRowset& rowset);
std::string WriteExecuteResponse(const MdDataSet& data_set);
std::string WriteExecuteResponse(const TabularRowset& rowset);

// Parses an answer and returns the root element inside its return element. Raises
// ProviderError with the server's text for a SOAP fault and for an answer whose root reports
// an exception, and with a clear text for anything that is not such an answer.
pugi::xml_node ReadResponseRoot(pugi::xml_document& document, const std::string& text);

}  // namespace xmla

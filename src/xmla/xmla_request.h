#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace xmla {

// A Discover or Execute call: what the client writes and the server reads.
struct XmlaRequest {
  enum class Method { Discover, Execute };
  using NameValues = std::vector<std::pair<std::string, std::string>>;

  Method method = Method::Discover;
  // Discover: the schema rowset asked for ("MDSCHEMA_CUBES") and its restrictions; a name
  // given more than once admits any of its values.
  std::string request_type;
  NameValues restrictions;
  // Execute: the statement.
  std::string statement;
  // Both: the XMLA properties (Catalog, Format...).
  NameValues properties;

  // The values given for a restriction, in order.
  std::vector<std::string> Restriction(const std::string& name) const;
  std::optional<std::string> Property(const std::string& name) const;
};

// A whole SOAP request document.
std::string WriteXmlaRequest(const XmlaRequest& request);
// Raises ProviderError with a message for the caller when the text is not a well-formed
// Discover or Execute request.
XmlaRequest ReadXmlaRequest(const std::string& text);

}  // namespace xmla

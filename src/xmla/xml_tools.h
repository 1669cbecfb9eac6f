#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>
#include <vector>

// Reading documents whose elements may carry any namespace prefix: servers differ in the
// prefixes they choose (soap:, SOAP-ENV:, a default namespace...), so elements are matched by
// their local name.
namespace xmla {

std::string_view LocalName(const pugi::xml_node& node);
// The first child element with that local name; an empty node when there is none.
pugi::xml_node ChildNamed(const pugi::xml_node& node, std::string_view local_name);
std::vector<pugi::xml_node> ChildrenNamed(const pugi::xml_node& node, std::string_view local_name);
// An attribute matched by its local name (xsi:type, type...); an empty attribute when absent.
pugi::xml_attribute AttributeNamed(const pugi::xml_node& node, std::string_view local_name);
// The text of the element's character data, as written (entities resolved).
std::string TextOf(const pugi::xml_node& node);
// The value's text without a namespace prefix ("xsd:double" -> "double").
std::string_view WithoutPrefix(std::string_view qualified_name);

// Parses a whole document. Raises ProviderError whose text starts with the subject ("The
// server's answer"): a document that stops early was cut short; any other fault names the
// position.
void ParseDocument(pugi::xml_document& document, const std::string& text,
                   const std::string& subject);

// The document as compact UTF-8 text with an XML declaration.
std::string SaveDocument(const pugi::xml_document& document);

}  // namespace xmla

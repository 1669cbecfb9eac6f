#include "xmla/xmla_request.h"

#include <pugixml.hpp>

#include "adomd/provider_error.h"
#include "xmla/soap_envelope.h"
#include "xmla/xml_tools.h"
#include "xmla/xmla_namespaces.h"

namespace xmla {

std::vector<std::string> XmlaRequest::Restriction(const std::string& name) const {
  std::vector<std::string> values;
  for (const auto& [key, value] : restrictions)
    if (key == name)
      values.push_back(value);
  return values;
}

std::optional<std::string> XmlaRequest::Property(const std::string& name) const {
  for (const auto& [key, value] : properties)
    if (key == name)
      return value;
  return std::nullopt;
}

namespace {

void AppendProperties(pugi::xml_node method, const XmlaRequest::NameValues& properties) {
  pugi::xml_node list = method.append_child("Properties").append_child("PropertyList");
  for (const auto& [name, value] : properties)
    list.append_child(name.c_str()).text() = value.c_str();
}

XmlaRequest::NameValues ReadNameValues(const pugi::xml_node& list) {
  XmlaRequest::NameValues values;
  for (pugi::xml_node item = list.first_child(); item; item = item.next_sibling()) {
    if (item.type() != pugi::node_element)
      continue;
    const std::string name(LocalName(item));
    // A restriction may list several values as <Value> children.
    const auto listed = ChildrenNamed(item, "Value");
    if (listed.empty())
      values.emplace_back(name, TextOf(item));
    else
      for (const auto& value : listed)
        values.emplace_back(name, TextOf(value));
  }
  return values;
}

}  // namespace

std::string WriteXmlaRequest(const XmlaRequest& request) {
  pugi::xml_document document;
  pugi::xml_node body = StartEnvelope(document);
  if (request.method == XmlaRequest::Method::Discover) {
    pugi::xml_node discover = body.append_child("Discover");
    discover.append_attribute("xmlns") = kXmlaNs;
    discover.append_child("RequestType").text() = request.request_type.c_str();
    pugi::xml_node list = discover.append_child("Restrictions").append_child("RestrictionList");
    for (const auto& [name, value] : request.restrictions)
      list.append_child(name.c_str()).text() = value.c_str();
    AppendProperties(discover, request.properties);
  } else {
    pugi::xml_node execute = body.append_child("Execute");
    execute.append_attribute("xmlns") = kXmlaNs;
    execute.append_child("Command").append_child("Statement").text() = request.statement.c_str();
    AppendProperties(execute, request.properties);
  }
  return SaveDocument(document);
}

XmlaRequest ReadXmlaRequest(const std::string& text) {
  pugi::xml_document document;
  const pugi::xml_node body = ReadSoapBody(document, text, "The request");
  pugi::xml_node method;
  for (pugi::xml_node child = body.first_child(); child; child = child.next_sibling())
    if (child.type() == pugi::node_element) {
      method = child;
      break;
    }
  XmlaRequest request;
  if (method && LocalName(method) == "Discover") {
    request.method = XmlaRequest::Method::Discover;
    request.request_type = TextOf(ChildNamed(method, "RequestType"));
    if (request.request_type.empty())
      throw adomd::ProviderError("The Discover request names no RequestType.");
    request.restrictions =
        ReadNameValues(ChildNamed(ChildNamed(method, "Restrictions"), "RestrictionList"));
  } else if (method && LocalName(method) == "Execute") {
    request.method = XmlaRequest::Method::Execute;
    const pugi::xml_node statement = ChildNamed(ChildNamed(method, "Command"), "Statement");
    if (!statement)
      throw adomd::ProviderError("The Execute request has no Command Statement.");
    request.statement = TextOf(statement);
  } else {
    throw adomd::ProviderError(method
                                   ? "The request method \"" + std::string(LocalName(method)) +
                                         "\" is not known; the server answers Discover and Execute."
                                   : std::string("The request's SOAP body is empty."));
  }
  request.properties = ReadNameValues(ChildNamed(ChildNamed(method, "Properties"), "PropertyList"));
  return request;
}

}  // namespace xmla

#include "xmla/xmla_response.h"

#include "adomd/provider_error.h"
#include "xmla/md_data_set_xml.h"
#include "xmla/rowset_xml.h"
#include "xmla/soap_envelope.h"
#include "xmla/xml_tools.h"
#include "xmla/xmla_namespaces.h"

namespace xmla {

namespace {

pugi::xml_node StartReturn(pugi::xml_document& document, const char* response) {
  pugi::xml_node method = StartEnvelope(document).append_child(response);
  method.append_attribute("xmlns") = kXmlaNs;
  return method.append_child("return");
}

// The errors a root lists under Messages, as attributes or as child elements.
std::string MessagesText(const pugi::xml_node& root) {
  std::string text;
  for (const pugi::xml_node& error : ChildrenNamed(ChildNamed(root, "Messages"), "Error")) {
    const pugi::xml_attribute attribute = AttributeNamed(error, "Description");
    const std::string description =
        attribute ? attribute.value() : TextOf(ChildNamed(error, "Description"));
    if (description.empty())
      continue;
    if (!text.empty())
      text += "\n";
    text += description;
  }
  return text;
}

}  // namespace

std::string WriteDiscoverResponse(const TabularRowset& rowset) {
  pugi::xml_document document;
  WriteRowset(StartReturn(document, "DiscoverResponse"), rowset);
  return SaveDocument(document);
}

std::string WriteExecuteResponse(const MdDataSet& data_set) {
  pugi::xml_document document;
  WriteMdDataSet(StartReturn(document, "ExecuteResponse"), data_set);
  return SaveDocument(document);
}

std::string WriteExecuteResponse(const TabularRowset& rowset) {
  pugi::xml_document document;
  WriteRowset(StartReturn(document, "ExecuteResponse"), rowset);
  return SaveDocument(document);
}

pugi::xml_node ReadResponseRoot(pugi::xml_document& document, const std::string& text) {
  const pugi::xml_node body = ReadSoapBody(document, text);
  pugi::xml_node response;
  for (pugi::xml_node child = body.first_child(); child; child = child.next_sibling())
    if (child.type() == pugi::node_element) {
      response = child;
      break;
    }
  const std::string_view name = response ? LocalName(response) : std::string_view();
  if (name != "DiscoverResponse" && name != "ExecuteResponse")
    throw adomd::ProviderError("The server's answer is not an XMLA response.");
  const pugi::xml_node returned = ChildNamed(response, "return");
  if (!returned)
    throw adomd::ProviderError("The server's answer has no return element.");
  const pugi::xml_node root = ChildNamed(returned, "root");
  if (!root)
    throw adomd::ProviderError("The server's answer has no result root.");
  if (ChildNamed(root, "Exception")) {
    const std::string message = MessagesText(root);
    throw adomd::ProviderError(message.empty() ? "The server reported an error without a message."
                                               : message);
  }
  return root;
}

}  // namespace xmla

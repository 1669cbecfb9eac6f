#include "xmla/soap_envelope.h"

#include "adomd/provider_error.h"
#include "xmla/xml_tools.h"
#include "xmla/xmla_namespaces.h"

namespace xmla {

pugi::xml_node StartEnvelope(pugi::xml_document& document) {
  pugi::xml_node declaration = document.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "UTF-8";
  pugi::xml_node envelope = document.append_child("SOAP-ENV:Envelope");
  envelope.append_attribute("xmlns:SOAP-ENV") = kSoapEnvelopeNs;
  return envelope.append_child("SOAP-ENV:Body");
}

std::string WriteSoapFault(const std::string& code, const std::string& text) {
  pugi::xml_document document;
  pugi::xml_node fault = StartEnvelope(document).append_child("SOAP-ENV:Fault");
  fault.append_child("faultcode").text() = ("SOAP-ENV:" + code).c_str();
  fault.append_child("faultstring").text() = text.c_str();
  pugi::xml_node error = fault.append_child("detail").append_child("Error");
  error.append_attribute("xmlns") = kExceptionNs;
  error.append_attribute("ErrorCode") = code == "Client" ? "400" : "500";
  error.append_attribute("Description") = text.c_str();
  error.append_attribute("Source") = "hexvane-server";
  return SaveDocument(document);
}

namespace {

// The text of a detail's first Error, written as attributes or as child elements.
std::string DetailDescription(const pugi::xml_node& fault) {
  const pugi::xml_node detail = ChildNamed(fault, "detail");
  for (pugi::xml_node child = detail.first_child(); child; child = child.next_sibling()) {
    const pugi::xml_node error = LocalName(child) == "Error" ? child : ChildNamed(child, "Error");
    if (!error)
      continue;
    if (const auto attribute = AttributeNamed(error, "Description"))
      return attribute.value();
    if (const auto element = ChildNamed(error, "Description"))
      return TextOf(element);
  }
  return {};
}

std::string FaultMessage(const pugi::xml_node& fault) {
  std::string message = TextOf(ChildNamed(fault, "faultstring"));
  if (message.find_first_not_of(" \t\r\n") == std::string::npos)
    message = DetailDescription(fault);
  if (message.empty())
    message = "The server reported a fault (" + TextOf(ChildNamed(fault, "faultcode")) + ").";
  return message;
}

}  // namespace

std::optional<std::string> SoapFaultText(const std::string& text) {
  pugi::xml_document document;
  if (!document.load_buffer(text.data(), text.size()))
    return std::nullopt;
  const pugi::xml_node envelope = document.document_element();
  if (LocalName(envelope) != "Envelope")
    return std::nullopt;
  const pugi::xml_node fault = ChildNamed(ChildNamed(envelope, "Body"), "Fault");
  if (!fault)
    return std::nullopt;
  return FaultMessage(fault);
}

pugi::xml_node ReadSoapBody(pugi::xml_document& document, const std::string& text,
                            const std::string& subject) {
  ParseDocument(document, text, subject);
  const pugi::xml_node envelope = document.document_element();
  if (LocalName(envelope) != "Envelope")
    throw adomd::ProviderError(subject + " is not a SOAP envelope.");
  const pugi::xml_node body = ChildNamed(envelope, "Body");
  if (!body)
    throw adomd::ProviderError(subject + " has no SOAP body.");
  if (const pugi::xml_node fault = ChildNamed(body, "Fault"))
    throw adomd::ProviderError(FaultMessage(fault));
  return body;
}

}  // namespace xmla

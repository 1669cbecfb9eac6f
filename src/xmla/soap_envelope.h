#pragma once

#include <pugixml.hpp>

#include <optional>
#include <string>

// SOAP 1.1 envelopes around XMLA requests and answers.
namespace xmla {

// Starts a document holding an envelope and returns its Body element to fill.
pugi::xml_node StartEnvelope(pugi::xml_document& document);

// A whole SOAP fault document. The code is a SOAP fault code ("Client" for a bad request,
// "Server" for a failure while answering); the text is what the user reads.
std::string WriteSoapFault(const std::string& code, const std::string& text);

// Parses an envelope and returns its Body. Raises ProviderError for text that is not a SOAP
// envelope (the message starts with the subject), and with the fault's text for a fault.
pugi::xml_node ReadSoapBody(pugi::xml_document& document, const std::string& text,
                            const std::string& subject = "The server's answer");

// The fault's text when the text is a SOAP envelope holding a fault; nothing otherwise.
std::optional<std::string> SoapFaultText(const std::string& text);

}  // namespace xmla

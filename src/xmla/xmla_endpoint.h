#pragma once

#include <string>

namespace xmla {

// The address requests go to for a connection string's Data Source: an http:// or https://
// address is used as it stands; a host name, "host:port", an IPv4 address or a bracketed IPv6
// address means http://HOST:PORT/xmla, the port defaulting to hexvane-server's. Raises
// ProviderError for a text that is no host name or has a port that is not one.
std::string XmlaEndpointUrl(const std::string& data_source);

}  // namespace xmla

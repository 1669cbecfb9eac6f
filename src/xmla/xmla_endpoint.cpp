#include "xmla/xmla_endpoint.h"

#include <cctype>
#include <charconv>

#include "adomd/provider_error.h"
#include "adomd/provider_registry.h"

namespace xmla {

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos)
    return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size())
    return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
      return false;
  return true;
}

bool IsHostNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_';
}

}  // namespace

std::string XmlaEndpointUrl(const std::string& data_source) {
  const std::string text = Trimmed(data_source);
  if (StartsWithIgnoringCase(text, "http://") || StartsWithIgnoringCase(text, "https://"))
    return text;

  const auto invalid = [&]() {
    return adomd::ProviderError("The data source \"" + text +
                                "\" is neither an http:// or https:// address nor a host name.");
  };
  std::string host;
  std::string port_text;
  if (text.starts_with("[")) {
    const size_t close = text.find(']');
    if (close == std::string::npos)
      throw invalid();
    host = text.substr(0, close + 1);
    for (char c : host.substr(1, host.size() - 2))
      if (!std::isxdigit(static_cast<unsigned char>(c)) && c != ':' && c != '.')
        throw invalid();
    const std::string rest = text.substr(close + 1);
    if (!rest.empty()) {
      if (rest[0] != ':')
        throw invalid();
      port_text = rest.substr(1);
    }
  } else {
    const size_t colon = text.find(':');
    host = text.substr(0, colon);
    if (colon != std::string::npos)
      port_text = text.substr(colon + 1);
    for (char c : host)
      if (!IsHostNameChar(c))
        throw invalid();
  }
  if (host.empty() || host == "[]")
    throw invalid();

  int port = adomd::kDefaultServerPort;
  if (!port_text.empty() || text.back() == ':') {
    const auto parsed =
        std::from_chars(port_text.data(), port_text.data() + port_text.size(), port);
    if (parsed.ec != std::errc() || parsed.ptr != port_text.data() + port_text.size() || port < 1 ||
        port > 65535)
      throw adomd::ProviderError("The port \"" + port_text + "\" of the data source \"" + text +
                                 "\" is not a port number (1 to 65535).");
  }
  return "http://" + host + ":" + std::to_string(port) + "/xmla";
}

}  // namespace xmla

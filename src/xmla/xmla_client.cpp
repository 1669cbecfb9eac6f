#include "xmla/xmla_client.h"

#include <pugixml.hpp>

#include "adomd/provider_error.h"
#include "xmla/md_data_set_xml.h"
#include "xmla/rowset_xml.h"
#include "xmla/soap_envelope.h"
#include "xmla/xmla_namespaces.h"
#include "xmla/xmla_response.h"

namespace xmla {

XmlaClient::XmlaClient(std::string url, std::string user_name, std::string password,
                       std::chrono::seconds timeout, std::chrono::seconds connect_timeout)
    : http_(std::move(url), std::move(user_name), std::move(password), timeout, connect_timeout) {}

std::string XmlaClient::Call(const char* action, const XmlaRequest& request) {
  HttpResponse response = http_.Post(action, WriteXmlaRequest(request));
  if (response.status == 401 || response.status == 403)
    throw adomd::ProviderError("The server refused the user name or password.");
  if (response.status == 200)
    return std::move(response.body);
  // SOAP servers answer faults with an error status; their text is the message to show.
  if (const auto fault = SoapFaultText(response.body))
    throw adomd::ProviderError(*fault);
  if (response.status == 404)
    throw adomd::ProviderError("There is no XMLA service at " + Url() + " (HTTP status 404).");
  if (response.status == 413)
    throw adomd::ProviderError("The request is larger than the server at " + Url() +
                               " accepts (HTTP status 413).");
  throw adomd::ProviderError("The server at " + Url() + " answered with HTTP status " +
                             std::to_string(response.status) + ".");
}

namespace {

XmlaRequest::NameValues Properties(const std::string& catalog, const char* format) {
  XmlaRequest::NameValues properties;
  if (!catalog.empty())
    properties.emplace_back("Catalog", catalog);
  properties.emplace_back("Format", format);
  properties.emplace_back("Content", "SchemaData");
  return properties;
}

}  // namespace

TabularRowset XmlaClient::Discover(const std::string& request_type,
                                   const XmlaRequest::NameValues& restrictions,
                                   const std::string& catalog) {
  XmlaRequest request;
  request.method = XmlaRequest::Method::Discover;
  request.request_type = request_type;
  request.restrictions = restrictions;
  request.properties = Properties(catalog, "Tabular");
  const std::string answer = Call(kDiscoverAction, request);
  pugi::xml_document document;
  return ReadRowset(ReadResponseRoot(document, answer));
}

MdDataSet XmlaClient::ExecuteMultidimensional(const std::string& statement,
                                              const std::string& catalog) {
  XmlaRequest request;
  request.method = XmlaRequest::Method::Execute;
  request.statement = statement;
  request.properties = Properties(catalog, "Multidimensional");
  request.properties.emplace_back("AxisFormat", "TupleFormat");
  const std::string answer = Call(kExecuteAction, request);
  pugi::xml_document document;
  return ReadMdDataSet(ReadResponseRoot(document, answer));
}

TabularRowset XmlaClient::ExecuteTabular(const std::string& statement, const std::string& catalog) {
  XmlaRequest request;
  request.method = XmlaRequest::Method::Execute;
  request.statement = statement;
  request.properties = Properties(catalog, "Tabular");
  const std::string answer = Call(kExecuteAction, request);
  pugi::xml_document document;
  return ReadRowset(ReadResponseRoot(document, answer));
}

}  // namespace xmla

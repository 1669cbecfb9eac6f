#pragma once

#include <chrono>
#include <string>

#include "xmla/http_client.h"
#include "xmla/md_data_set.h"
#include "xmla/tabular_rowset.h"
#include "xmla/xmla_request.h"

namespace xmla {

// The two XMLA methods against one endpoint. Every failure raises ProviderError with the text
// the user reads: the server's own fault text, or what went wrong on the way.
class XmlaClient {
 public:
  XmlaClient(std::string url, std::string user_name, std::string password,
             std::chrono::seconds timeout, std::chrono::seconds connect_timeout);

  // A schema rowset; the catalog (when not empty) is sent as the Catalog property.
  TabularRowset Discover(const std::string& request_type,
                         const XmlaRequest::NameValues& restrictions, const std::string& catalog);
  // A SELECT into the multidimensional format.
  MdDataSet ExecuteMultidimensional(const std::string& statement, const std::string& catalog);
  // A statement that returns rows (DRILLTHROUGH) into the tabular format.
  TabularRowset ExecuteTabular(const std::string& statement, const std::string& catalog);

  const std::string& Url() const { return http_.Url(); }

 private:
  // Sends a request and returns the answer's text once the HTTP status says it holds one.
  std::string Call(const char* action, const XmlaRequest& request);

  HttpClient http_;
};

}  // namespace xmla

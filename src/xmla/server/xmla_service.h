#pragma once

#include <string>

#include "xmla/server/catalog_folder.h"
#include "xmla/xmla_request.h"

namespace xmla {

// What the service answers to one request body.
struct XmlaReply {
  // 200 for an answer, 500 for a SOAP fault.
  int status = 200;
  std::string body;
  // For the request log: "Discover MDSCHEMA_CUBES", "Execute", or the reason of a fault.
  std::string summary;
};

// Answers XMLA Discover and Execute requests from a folder of cube files. Every failure,
// from a malformed document to a statement the engine rejects, becomes a SOAP fault; nothing
// escapes. Safe to call from several threads at once.
class XmlaService {
 public:
  explicit XmlaService(CatalogFolder& folder) : folder_(folder) {}
  XmlaReply Handle(const std::string& body);

 private:
  std::string Execute(const XmlaRequest& request);

  CatalogFolder& folder_;
};

}  // namespace xmla

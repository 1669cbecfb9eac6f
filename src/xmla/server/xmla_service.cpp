#include "xmla/server/xmla_service.h"

#include "adomd/provider_error.h"
#include "xmla/server/md_data_set_builder.h"
#include "xmla/server/rowset_builder.h"
#include "xmla/server/schema_rowsets.h"
#include "xmla/server/statement_scan.h"
#include "xmla/soap_envelope.h"
#include "xmla/xmla_request.h"
#include "xmla/xmla_response.h"

namespace xmla {

namespace {

bool IsClientMistake(const std::string& message) {
  return message.starts_with("The request");
}

}  // namespace

std::string XmlaService::Execute(const XmlaRequest& request) {
  const std::string keyword = FirstKeywordOf(request.statement);
  if (keyword.empty())
    throw adomd::ProviderError("The statement is empty.");
  // CREATE GLOBAL CUBE writes a file wherever the statement says: never on the server's disk.
  if (keyword == "CREATE")
    throw adomd::ProviderError(
        "This server does not run CREATE statements: they would write files on the server.");
  const std::optional<std::string> catalog = RequestedCatalog(request, folder_);
  if (!catalog)
    throw adomd::ProviderError("The server has no catalog to run the statement on.");
  const auto connection = folder_.Open(*catalog);

  if (request.Property("Format").value_or("Multidimensional") == "Tabular") {
    const auto recordset = connection->Execute(request.statement);
    RowsetBuilder builder(recordset->ColumnNames());
    for (const auto& values : recordset->Rows())
      builder.AddValues(values);
    return WriteExecuteResponse(std::move(builder).Finish());
  }
  const auto data = connection->OpenCellset(request.statement);
  return WriteExecuteResponse(BuildMdDataSet(*data, CubeNameOf(request.statement)));
}

XmlaReply XmlaService::Handle(const std::string& body) {
  XmlaReply reply;
  try {
    const XmlaRequest request = ReadXmlaRequest(body);
    if (request.method == XmlaRequest::Method::Discover) {
      reply.summary = "Discover " + request.request_type;
      reply.body = WriteDiscoverResponse(DiscoverSchemaRowset(request, folder_));
    } else {
      reply.summary = "Execute";
      reply.body = Execute(request);
    }
  } catch (const std::exception& error) {
    const std::string message = error.what();
    reply.status = 500;
    reply.body = WriteSoapFault(IsClientMistake(message) ? "Client" : "Server", message);
    reply.summary += (reply.summary.empty() ? "" : " ") + std::string("fault: ") + message;
  }
  return reply;
}

}  // namespace xmla

#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "adomd/connection.h"
#include "adomd/connection_string.h"
#include "xmla/xmla_client.h"

namespace xmla {

// A provider connection to an XMLA server. Opening it asks the server for its catalogs, so a
// server that is down, a refused password or a catalog the server does not have fail here.
class XmlaConnection final : public adomd::Connection {
 public:
  // The default time-outs, each replaced by the connection string's "Timeout" and
  // "Connect Timeout" (seconds).
  static constexpr int kDefaultTimeoutSeconds = 300;
  static constexpr int kDefaultConnectTimeoutSeconds = 15;

  explicit XmlaConnection(const adomd::ConnectionString& connection_string);

  std::shared_ptr<adomd::CubeDefs> GetCubeDefs() override;
  std::shared_ptr<adomd::CellsetData> OpenCellset(const std::string& statement) override;
  std::shared_ptr<adomd::Recordset> Execute(const std::string& statement) override;
  std::vector<std::string> ListCatalogs() override;

  const std::string& Url() const { return client_->Url(); }
  const std::string& CatalogName() const { return catalog_; }

 private:
  std::shared_ptr<XmlaClient> client_;
  std::string catalog_;
  std::mutex mutex_;
  std::shared_ptr<adomd::CubeDefs> cube_defs_;
};

// Registers the XMLA provider for servers: http:// and https:// addresses and host names.
void RegisterXmlaProvider();

}  // namespace xmla

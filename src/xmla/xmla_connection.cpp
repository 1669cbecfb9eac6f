#include "xmla/xmla_connection.h"

#include <charconv>

#include "adomd/provider_error.h"
#include "adomd/provider_registry.h"
#include "xmla/xmla_cellset_data.h"
#include "xmla/xmla_endpoint.h"
#include "xmla/xmla_metadata.h"

namespace xmla {

namespace {

std::chrono::seconds Seconds(const adomd::ConnectionString& connection_string,
                             const std::string& key, int fallback) {
  const auto text = connection_string.Get(key);
  if (!text || text->find_first_not_of(" \t") == std::string::npos)
    return std::chrono::seconds(fallback);
  int seconds = 0;
  const auto first = text->find_first_not_of(" \t");
  const auto last = text->find_last_not_of(" \t");
  const auto parsed = std::from_chars(text->data() + first, text->data() + last + 1, seconds);
  if (parsed.ec != std::errc() || parsed.ptr != text->data() + last + 1 || seconds < 1)
    throw adomd::ProviderError("The " + key + " of the connection string, \"" + *text +
                               "\", is not a number of seconds.");
  return std::chrono::seconds(seconds);
}

std::vector<std::string> CatalogNames(const TabularRowset& rowset) {
  std::vector<std::string> names;
  for (size_t row = 0; row < rowset.rows.size(); ++row)
    names.push_back(rowset.Value(row, "CATALOG_NAME").ToText());
  return names;
}

}  // namespace

XmlaConnection::XmlaConnection(const adomd::ConnectionString& connection_string)
    : catalog_(connection_string.GetOr("Initial Catalog", "")) {
  const std::string url = XmlaEndpointUrl(connection_string.GetOr("Data Source", ""));
  client_ = std::make_shared<XmlaClient>(
      url, connection_string.GetOr("User ID", ""), connection_string.GetOr("Password", ""),
      Seconds(connection_string, "Timeout", kDefaultTimeoutSeconds),
      Seconds(connection_string, "Connect Timeout", kDefaultConnectTimeoutSeconds));
  XmlaRequest::NameValues restrictions;
  if (!catalog_.empty())
    restrictions.emplace_back("CATALOG_NAME", catalog_);
  const std::vector<std::string> names =
      CatalogNames(client_->Discover("DBSCHEMA_CATALOGS", restrictions, {}));
  if (!catalog_.empty() && std::find(names.begin(), names.end(), catalog_) == names.end())
    throw adomd::ProviderError("The catalog \"" + catalog_ + "\" does not exist on the server at " +
                               url + ".");
}

std::shared_ptr<adomd::CubeDefs> XmlaConnection::GetCubeDefs() {
  const std::lock_guard lock(mutex_);
  if (!cube_defs_) {
    XmlaRequest::NameValues restrictions;
    if (!catalog_.empty())
      restrictions.emplace_back("CATALOG_NAME", catalog_);
    const TabularRowset rowset = client_->Discover("MDSCHEMA_CUBES", restrictions, catalog_);
    auto cubes = std::make_shared<adomd::VectorCollection<adomd::CubeDef>>();
    for (size_t row = 0; row < rowset.rows.size(); ++row)
      cubes->Add(std::make_shared<XmlaCubeDef>(client_, catalog_, rowset, row));
    cube_defs_ = cubes;
  }
  return cube_defs_;
}

std::shared_ptr<adomd::CellsetData> XmlaConnection::OpenCellset(const std::string& statement) {
  return std::make_shared<XmlaCellsetData>(XmlaCubeContext{client_, catalog_, {}},
                                           client_->ExecuteMultidimensional(statement, catalog_));
}

std::shared_ptr<adomd::Recordset> XmlaConnection::Execute(const std::string& statement) {
  TabularRowset rowset = client_->ExecuteTabular(statement, catalog_);
  std::vector<std::string> names;
  for (const RowsetColumn& column : rowset.columns)
    names.push_back(column.name);
  return std::make_shared<adomd::Recordset>(std::move(names), std::move(rowset.rows));
}

std::vector<std::string> XmlaConnection::ListCatalogs() {
  return CatalogNames(client_->Discover("DBSCHEMA_CATALOGS", {}, {}));
}

void RegisterXmlaProvider() {
  adomd::RegisterProvider(adomd::DataSourceKind::Server,
                          [](const adomd::ConnectionString& connection_string) {
                            return std::make_shared<XmlaConnection>(connection_string);
                          });
}

}  // namespace xmla

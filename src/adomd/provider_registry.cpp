#include "adomd/provider_registry.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <mutex>

#include "adomd/provider_error.h"

namespace adomd {

namespace {

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

struct Registry {
  std::mutex mutex;
  std::map<DataSourceKind, ProviderFactory> factories;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

DataSourceKind ClassifyDataSource(const std::string& data_source) {
  const std::string lowered = Lowered(data_source);
  if (lowered.starts_with("http://") || lowered.starts_with("https://"))
    return DataSourceKind::Server;
  if (data_source.find('/') != std::string::npos || lowered.ends_with(".cub"))
    return DataSourceKind::LocalCubeFile;
  std::error_code error;
  if (std::filesystem::is_regular_file(data_source, error)) return DataSourceKind::LocalCubeFile;
  return DataSourceKind::Server;
}

void RegisterProvider(DataSourceKind kind, ProviderFactory factory) {
  Registry& registry = TheRegistry();
  const std::lock_guard lock(registry.mutex);
  registry.factories[kind] = std::move(factory);
}

std::shared_ptr<Connection> OpenConnection(const std::string& connection_string) {
  const std::string trimmed = connection_string.substr(
      0, connection_string.find_last_not_of(" \t\r\n") + 1);
  if (trimmed.find_first_not_of(" \t\r\n") == std::string::npos)
    throw ProviderError("The connection string is empty: no provider and no data source given.");
  const ConnectionString parsed = ConnectionString::Parse(connection_string);

  const std::string provider = parsed.GetOr("Provider", "");
  if (provider.empty())
    throw ProviderError("The connection string names no provider.");
  if (!Lowered(provider).starts_with("msolap"))
    throw ProviderError("The provider \"" + provider +
                        "\" is not available. Use Provider=MSOLAP.3 or Provider=MSOLAP.2.");

  const std::string data_source = parsed.GetOr("Data Source", "");
  if (data_source.find_first_not_of(" \t") == std::string::npos)
    throw ProviderError("The connection string names no data source.");

  const DataSourceKind kind = ClassifyDataSource(data_source);
  ProviderFactory factory;
  {
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    const auto found = registry.factories.find(kind);
    if (found != registry.factories.end()) factory = found->second;
  }
  if (!factory)
    throw ProviderError(kind == DataSourceKind::LocalCubeFile
                            ? "No provider for local cube files is installed."
                            : "No provider for OLAP servers is installed.");
  return factory(parsed);
}

}  // namespace adomd

#pragma once

#include <functional>
#include <memory>
#include <string>

#include "adomd/connection.h"
#include "adomd/connection_string.h"

namespace adomd {

// The port of hexvane-server when a connection string names a bare host.
constexpr int kDefaultServerPort = 8050;

// Where a connection string's Data Source points.
enum class DataSourceKind {
  LocalCubeFile,  // a path of a cube file, served by the embedded engine
  Server,         // an http:// or https:// address, or a host name, served over XMLA
};

// http:// and https:// addresses are servers; a text with a "/" or a ".cub" ending, or that
// names an existing file, is a local cube file; any other text is a host name.
DataSourceKind ClassifyDataSource(const std::string& data_source);

using ProviderFactory = std::function<std::shared_ptr<Connection>(const ConnectionString&)>;

// Providers register once at start-up; a later registration for a kind replaces the earlier.
void RegisterProvider(DataSourceKind kind, ProviderFactory factory);

// Opens a provider connection for a connection string ("Provider=MSOLAP.3;Data Source=...;").
// Raises ProviderError with a message for the user when the string names no usable provider
// or data source, or when the provider cannot connect.
std::shared_ptr<Connection> OpenConnection(const std::string& connection_string);

}  // namespace adomd

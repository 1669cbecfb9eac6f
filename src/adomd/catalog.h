#pragma once

#include <memory>
#include <string>

#include "adomd/connection.h"
#include "adomd/object_model.h"

namespace adomd {

// The entry to a data source's cubes. Assigning a connection string opens the provider
// connection; clearing it closes the catalog's hold on it.
class Catalog {
 public:
  // Raises ProviderError when the connection cannot be opened; the catalog is then closed.
  void SetActiveConnection(const std::string& connection_string);
  void ClearActiveConnection() { connection_.reset(); }
  bool IsOpen() const { return connection_ != nullptr; }
  // The open connection, shared by every cell set and statement; raises when closed.
  std::shared_ptr<Connection> ActiveConnection() const;
  // Raises when closed.
  std::shared_ptr<CubeDefs> GetCubeDefs() const;

 private:
  std::shared_ptr<Connection> connection_;
};

}  // namespace adomd

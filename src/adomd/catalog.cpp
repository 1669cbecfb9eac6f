#include "adomd/catalog.h"

#include "adomd/provider_error.h"
#include "adomd/provider_registry.h"

namespace adomd {

void Catalog::SetActiveConnection(const std::string& connection_string) {
  connection_.reset();
  connection_ = OpenConnection(connection_string);
}

std::shared_ptr<Connection> Catalog::ActiveConnection() const {
  if (!connection_) throw ProviderError("The catalog has no open connection.");
  return connection_;
}

std::shared_ptr<CubeDefs> Catalog::GetCubeDefs() const { return ActiveConnection()->GetCubeDefs(); }

}  // namespace adomd

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "adomd/cellset_data.h"
#include "adomd/object_model.h"
#include "adomd/recordset.h"

namespace adomd {

// An open provider connection: what a Catalog's ActiveConnection reads back, shared by every
// cell set and statement on that catalog. A provider may serve several threads at once.
class Connection {
 public:
  virtual ~Connection() = default;
  virtual std::shared_ptr<CubeDefs> GetCubeDefs() = 0;
  // Runs an MDX SELECT (or CREATE GLOBAL CUBE) for a Cellset.
  virtual std::shared_ptr<CellsetData> OpenCellset(const std::string& statement) = 0;
  // Runs a statement that returns rows, such as DRILLTHROUGH.
  virtual std::shared_ptr<Recordset> Execute(const std::string& statement) = 0;
  // The names of the catalogs (databases) the data source offers, in the source's order.
  virtual std::vector<std::string> ListCatalogs() = 0;
};

}  // namespace adomd

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "adomd/axis.h"
#include "adomd/cell.h"
#include "adomd/cellset_data.h"
#include "adomd/connection.h"

namespace adomd {

// The result of an MDX statement: axes of positions and the cells they address.
class Cellset {
 public:
  static constexpr int kStateClosed = 0;
  static constexpr int kStateOpen = 1;
  static constexpr int kStateExecuting = 4;

  void SetActiveConnection(std::shared_ptr<Connection> connection);
  void ClearActiveConnection() { connection_.reset(); }
  std::shared_ptr<Connection> ActiveConnection() const { return connection_; }

  // Runs the statement on the connection (which becomes the active one). Raises
  // ProviderError with the provider's message; the cell set then stays closed.
  void Open(const std::string& source, std::shared_ptr<Connection> connection);
  // Runs the statement on the active connection.
  void Open(const std::string& source);
  int State() const { return data_ ? kStateOpen : kStateClosed; }
  // Raises when the cell set is not open.
  void Close();

  // Axis 0 holds the columns, axis 1 the rows. Raise when the cell set is not open.
  std::shared_ptr<Axes> GetAxes() const;
  std::shared_ptr<Axis> FilterAxis() const;
  // The cell at one position ordinal per axis, axis 0 first; raises for a wrong count or an
  // ordinal outside its axis.
  Cell Item(const std::vector<int>& ordinals) const;
  // The cell at an overall ordinal (axis 0 varies fastest).
  Cell ItemByOrdinal(int64_t ordinal) const;
  // The number of cells: the product of the axes' position counts (1 without axes).
  int64_t CellCount() const;

 private:
  const CellsetData& Data() const;

  std::shared_ptr<Connection> connection_;
  std::shared_ptr<CellsetData> data_;
  std::shared_ptr<VectorCollection<Axis>> axes_;
};

}  // namespace adomd

#pragma once

#include <cstdint>
#include <memory>

#include "adomd/axis.h"
#include "adomd/cell.h"

namespace adomd {

// What a provider returns for an executed statement; a Cellset presents it. Cells are
// addressed by ordinal: the position on axis 0 varies fastest.
class CellsetData {
 public:
  virtual ~CellsetData() = default;
  virtual int AxisCount() const = 0;
  virtual std::shared_ptr<Axis> AxisAt(int index) const = 0;
  // The slicer axis: one position holding the WHERE members, or the default members.
  virtual std::shared_ptr<Axis> FilterAxis() const = 0;
  // ordinal is within 0 .. the product of the axes' position counts - 1.
  virtual Cell CellAt(int64_t ordinal) const = 0;
};

}  // namespace adomd

#pragma once

#include <memory>
#include <vector>

#include "adomd/collection.h"
#include "adomd/object_model.h"

namespace adomd {

// One tuple of an axis: a member per hierarchy of the axis, in the axis's hierarchy order.
class Position {
 public:
  Position(int ordinal, std::vector<std::shared_ptr<Member>> members)
      : ordinal_(ordinal), members_(std::make_shared<VectorCollection<Member>>(std::move(members))) {}
  int Ordinal() const { return ordinal_; }
  std::shared_ptr<Members> GetMembers() const { return members_; }

 private:
  int ordinal_;
  std::shared_ptr<VectorCollection<Member>> members_;
};

using Positions = Collection<Position>;

class Axis {
 public:
  Axis(int dimension_count, std::vector<std::shared_ptr<Position>> positions)
      : dimension_count_(dimension_count),
        positions_(std::make_shared<VectorCollection<Position>>(std::move(positions))) {}
  // The number of hierarchies crossed on the axis (members per position).
  int DimensionCount() const { return dimension_count_; }
  std::shared_ptr<Positions> GetPositions() const { return positions_; }

 private:
  int dimension_count_;
  std::shared_ptr<VectorCollection<Position>> positions_;
};

using Axes = Collection<Axis>;

}  // namespace adomd

#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "adomd/variant.h"

namespace xmla {

// A member of an axis tuple as the multidimensional format carries it.
struct MdMember {
  std::string hierarchy;
  std::string unique_name;
  std::string caption;
  std::string level_name;
  int level_number = 0;
  // The estimated number of children (the low 16 bits of DisplayInfo); nothing when the
  // server sent no DisplayInfo.
  std::optional<int> child_count;
};

struct MdAxis {
  // "Axis0", "Axis1"... or "SlicerAxis".
  std::string name;
  // The hierarchies crossed on the axis, one member per hierarchy in every tuple.
  std::vector<std::string> hierarchies;
  std::vector<std::vector<MdMember>> tuples;
};

struct MdCell {
  adomd::Variant value;
  std::string formatted_value;
  // The calculation of the cell failed; formatted_value holds the error's text.
  bool error = false;
};

// The result of a SELECT in the multidimensional format: axes of tuples and the cells that are
// not empty, by ordinal (the position on axis 0 varies fastest).
struct MdDataSet {
  std::string cube_name;
  std::vector<MdAxis> axes;
  std::optional<MdAxis> slicer;
  std::map<int64_t, MdCell> cells;
};

}  // namespace xmla

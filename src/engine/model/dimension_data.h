#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/model/cube_content.h"
#include "engine/model/hierarchy_data.h"

namespace engine {

// A dimension of a cube (not the measures) and its hierarchies. Fact rows carry one
// dimension key each; every hierarchy maps that key to its members.
class DimensionData {
 public:
  // Checks the content; raises std::invalid_argument naming the fault.
  explicit DimensionData(DimensionContent content);

  const std::string& Name() const { return name_; }
  // "[Store]".
  const std::string& UniqueName() const { return unique_name_; }
  int DimensionType() const { return dimension_type_; }
  uint32_t KeyCount() const { return key_count_; }
  int DefaultHierarchy() const { return default_hierarchy_; }
  const std::vector<HierarchyData>& Hierarchies() const { return hierarchies_; }
  const HierarchyData& Hierarchy(int index) const {
    return hierarchies_.at(static_cast<size_t>(index));
  }
  // The hierarchy with that name, or -1.
  int FindHierarchy(std::string_view name) const;

 private:
  std::string name_;
  std::string unique_name_;
  int dimension_type_;
  uint32_t key_count_;
  int default_hierarchy_;
  std::vector<HierarchyData> hierarchies_;
};

}  // namespace engine

#include "engine/model/dimension_data.h"

#include <stdexcept>

#include "engine/model/mdx_name.h"

namespace engine {

DimensionData::DimensionData(DimensionContent content)
    : name_(std::move(content.name)),
      unique_name_(QuoteName(name_)),
      dimension_type_(content.dimension_type),
      key_count_(content.key_count),
      default_hierarchy_(content.default_hierarchy) {
  if (content.hierarchies.empty())
    throw std::invalid_argument("Dimension " + unique_name_ + " has no hierarchy.");
  if (default_hierarchy_ < 0 || default_hierarchy_ >= static_cast<int>(content.hierarchies.size()))
    throw std::invalid_argument("Dimension " + unique_name_ + " names no default hierarchy.");
  if (dimension_type_ != kDimensionTime && dimension_type_ != kDimensionOther)
    throw std::invalid_argument("Dimension " + unique_name_ + " has the dimension type " +
                                std::to_string(dimension_type_) + ".");
  const bool qualified = content.hierarchies.size() > 1;
  hierarchies_.reserve(content.hierarchies.size());
  for (auto& hierarchy : content.hierarchies) {
    hierarchies_.emplace_back(std::move(hierarchy), name_, qualified, key_count_);
    if (FindHierarchy(hierarchies_.back().Name()) != static_cast<int>(hierarchies_.size()) - 1)
      throw std::invalid_argument("Dimension " + unique_name_ + " has two hierarchies named \"" +
                                  hierarchies_.back().Name() + "\".");
  }
}

int DimensionData::FindHierarchy(std::string_view name) const {
  for (size_t i = 0; i < hierarchies_.size(); ++i)
    if (hierarchies_[i].Name() == name)
      return static_cast<int>(i);
  return -1;
}

}  // namespace engine

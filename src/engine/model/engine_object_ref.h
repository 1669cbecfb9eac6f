#pragma once

#include <memory>
#include <string>

#include "adomd/property.h"
#include "engine/model/cube_data.h"

namespace engine {

// Where an object of the object model lies in its cube: the objects are small handles made
// on demand, so that no object exists for a member until someone asks for it. dimension is
// kMeasuresDimension for the measures, whose members are numbered by measure index.
inline constexpr int kMeasuresDimension = -1;

struct EngineObjectRef {
  std::shared_ptr<const CubeData> cube;
  int dimension = kMeasuresDimension;
  int hierarchy = 0;

  bool IsMeasures() const { return dimension == kMeasuresDimension; }
  const DimensionData& Dimension() const { return cube->Dimension(dimension); }
  const HierarchyData& Hierarchy() const { return Dimension().Hierarchy(hierarchy); }
  std::string DimensionUniqueName() const {
    return IsMeasures() ? "[Measures]" : Dimension().UniqueName();
  }
  std::string HierarchyUniqueName() const {
    return IsMeasures() ? "[Measures]" : Hierarchy().UniqueName();
  }
};

// The names of the measures' one hierarchy and level.
inline constexpr const char* kMeasuresName = "Measures";
inline constexpr const char* kMeasuresLevelName = "MeasuresLevel";
inline constexpr const char* kMeasuresLevelUniqueName = "[Measures].[MeasuresLevel]";

// A properties collection made from name and value pairs.
class PropertyList {
 public:
  PropertyList& Add(const std::string& name, adomd::Variant value) {
    properties_->Add(std::make_shared<adomd::Property>(name, std::move(value)));
    return *this;
  }
  std::shared_ptr<adomd::Properties> Collection() const { return properties_; }

 private:
  std::shared_ptr<adomd::VectorCollection<adomd::Property>> properties_ =
      std::make_shared<adomd::VectorCollection<adomd::Property>>();
};

}  // namespace engine

#include "engine/model/engine_dimension.h"

#include "engine/model/engine_hierarchy.h"

namespace engine {

std::string EngineDimension::Name() const {
  return ref_.IsMeasures() ? kMeasuresName : ref_.Dimension().Name();
}

std::shared_ptr<adomd::Properties> EngineDimension::GetProperties() const {
  PropertyList list;
  list.Add("DIMENSION_NAME", Name())
      .Add("DIMENSION_UNIQUE_NAME", UniqueName())
      .Add("DIMENSION_CAPTION", Name())
      .Add("DIMENSION_ORDINAL", ref_.dimension + 1);
  if (ref_.IsMeasures()) {
    list.Add("DIMENSION_TYPE", kDimensionMeasures)
        .Add("DIMENSION_CARDINALITY", static_cast<int>(ref_.cube->Measures().size()))
        .Add("DEFAULT_HIERARCHY", "[Measures]");
    return list.Collection();
  }
  const DimensionData& dimension = ref_.Dimension();
  const HierarchyData& default_hierarchy = dimension.Hierarchy(dimension.DefaultHierarchy());
  list.Add("DIMENSION_TYPE", dimension.DimensionType())
      .Add("DIMENSION_CARDINALITY", static_cast<int>(default_hierarchy.MemberCount()))
      .Add("DEFAULT_HIERARCHY", default_hierarchy.UniqueName());
  return list.Collection();
}

std::shared_ptr<adomd::Hierarchies> EngineDimension::GetHierarchies() const {
  auto hierarchies = std::make_shared<adomd::VectorCollection<adomd::Hierarchy>>();
  const int count = ref_.IsMeasures() ? 1 : static_cast<int>(ref_.Dimension().Hierarchies().size());
  for (int h = 0; h < count; ++h)
    hierarchies->Add(
        std::make_shared<EngineHierarchy>(EngineObjectRef{ref_.cube, ref_.dimension, h}));
  return hierarchies;
}

}  // namespace engine

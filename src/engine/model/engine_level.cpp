#include "engine/model/engine_level.h"

#include "engine/model/engine_member.h"

namespace engine {

std::string EngineLevel::Name() const {
  return ref_.IsMeasures() ? kMeasuresLevelName : ref_.Hierarchy().Level(depth_).Name();
}

std::string EngineLevel::UniqueName() const {
  return ref_.IsMeasures() ? kMeasuresLevelUniqueName : ref_.Hierarchy().Level(depth_).UniqueName();
}

std::shared_ptr<adomd::Properties> EngineLevel::GetProperties() const {
  const int cardinality = ref_.IsMeasures()
                              ? static_cast<int>(ref_.cube->Measures().size())
                              : static_cast<int>(ref_.Hierarchy().LevelMembers(depth_).size());
  const int level_type =
      ref_.IsMeasures() ? kLevelRegular : ref_.Hierarchy().Level(depth_).LevelType();
  PropertyList list;
  list.Add("LEVEL_NAME", Name())
      .Add("LEVEL_UNIQUE_NAME", UniqueName())
      .Add("LEVEL_CAPTION", Caption())
      .Add("LEVEL_NUMBER", depth_)
      .Add("LEVEL_CARDINALITY", cardinality)
      .Add("LEVEL_TYPE", level_type)
      .Add("HIERARCHY_UNIQUE_NAME", ref_.HierarchyUniqueName())
      .Add("DIMENSION_UNIQUE_NAME", ref_.DimensionUniqueName());
  if (!ref_.IsMeasures())
    list.Add("LEVEL_UNIQUE_MEMBERS", ref_.Hierarchy().Level(depth_).UniqueMembers());
  return list.Collection();
}

std::shared_ptr<adomd::Members> EngineLevel::GetMembers() const {
  if (ref_.IsMeasures())
    return std::make_shared<EngineMembers>(ref_);
  return std::make_shared<EngineMembers>(ref_, ref_.Hierarchy().LevelMembers(depth_));
}

}  // namespace engine

#include "engine/model/engine_hierarchy.h"

#include "engine/model/engine_level.h"

namespace engine {

std::string EngineHierarchy::Name() const {
  return ref_.IsMeasures() ? kMeasuresName : ref_.Hierarchy().Name();
}

std::shared_ptr<adomd::Properties> EngineHierarchy::GetProperties() const {
  PropertyList list;
  list.Add("HIERARCHY_NAME", Name())
      .Add("HIERARCHY_UNIQUE_NAME", UniqueName())
      .Add("HIERARCHY_CAPTION", Name())
      .Add("DIMENSION_UNIQUE_NAME", ref_.DimensionUniqueName())
      .Add("HIERARCHY_ORDINAL", ref_.hierarchy);
  if (ref_.IsMeasures()) {
    const auto& measures = ref_.cube->Measures();
    list.Add("DIMENSION_TYPE", kDimensionMeasures)
        .Add("HIERARCHY_CARDINALITY", static_cast<int>(measures.size()))
        .Add("DEFAULT_MEMBER", measures.empty() ? std::string() : measures.front().unique_name)
        .Add("ALL_MEMBER", "")
        .Add("HIERARCHY_DISPLAY_FOLDER", "");
    return list.Collection();
  }
  const HierarchyData& hierarchy = ref_.Hierarchy();
  const MemberId default_member = hierarchy.DefaultMember();
  list.Add("DIMENSION_TYPE", ref_.Dimension().DimensionType())
      .Add("HIERARCHY_CARDINALITY", static_cast<int>(hierarchy.MemberCount()))
      .Add("DEFAULT_MEMBER",
           default_member == kNoMember ? std::string() : hierarchy.MemberUniqueName(default_member))
      .Add("ALL_MEMBER",
           hierarchy.HasAll() ? hierarchy.MemberUniqueName(hierarchy.AllMember()) : std::string())
      .Add("HIERARCHY_DISPLAY_FOLDER", hierarchy.DisplayFolder());
  return list.Collection();
}

std::shared_ptr<adomd::Levels> EngineHierarchy::GetLevels() const {
  auto levels = std::make_shared<adomd::VectorCollection<adomd::Level>>();
  const int count = ref_.IsMeasures() ? 1 : ref_.Hierarchy().LevelCount();
  for (int depth = 0; depth < count; ++depth)
    levels->Add(std::make_shared<EngineLevel>(ref_, depth));
  return levels;
}

}  // namespace engine

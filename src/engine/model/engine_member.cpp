#include "engine/model/engine_member.h"

#include <numeric>

#include "adomd/provider_error.h"

namespace engine {

namespace {

// OLE DB for OLAP MEMBER_TYPE and MEASURE_AGGREGATOR codes.
constexpr int kMemberRegular = 1;
constexpr int kMemberAll = 2;
constexpr int kMemberMeasure = 3;
constexpr int kMemberFormula = 4;

int AggregatorCode(const MeasureInfo& measure) {
  if (measure.calculated)
    return 127;
  switch (measure.aggregator) {
    case Aggregator::Sum:
      return 1;
    case Aggregator::Count:
      return 2;
    case Aggregator::Min:
      return 3;
    case Aggregator::Max:
      return 4;
    case Aggregator::Avg:
      return 5;
    case Aggregator::DistinctCount:
      return 8;
  }
  return 0;
}

}  // namespace

std::string EngineMember::Name() const {
  return ref_.IsMeasures() ? Measure().name : ref_.Hierarchy().Member(member_).name;
}

std::string EngineMember::UniqueName() const {
  return ref_.IsMeasures() ? Measure().unique_name : ref_.Hierarchy().MemberUniqueName(member_);
}

std::string EngineMember::Caption() const {
  return ref_.IsMeasures() ? Measure().name : ref_.Hierarchy().Member(member_).caption;
}

int EngineMember::LevelDepth() const {
  return ref_.IsMeasures() ? 0 : ref_.Hierarchy().Depth(member_);
}

std::string EngineMember::LevelName() const {
  if (ref_.IsMeasures())
    return kMeasuresLevelUniqueName;
  const HierarchyData& hierarchy = ref_.Hierarchy();
  return hierarchy.Level(hierarchy.Depth(member_)).UniqueName();
}

int EngineMember::ChildCount() const {
  return ref_.IsMeasures() ? 0 : static_cast<int>(ref_.Hierarchy().Children(member_).size());
}

std::shared_ptr<adomd::Members> EngineMember::Children() const {
  if (ref_.IsMeasures())
    return std::make_shared<EngineMembers>(ref_, std::span<const MemberId>());
  return std::make_shared<EngineMembers>(ref_, ref_.Hierarchy().Children(member_));
}

std::shared_ptr<adomd::Properties> EngineMember::GetProperties() const {
  PropertyList list;
  list.Add("MEMBER_NAME", Name())
      .Add("MEMBER_UNIQUE_NAME", UniqueName())
      .Add("MEMBER_CAPTION", Caption())
      .Add("LEVEL_NUMBER", LevelDepth())
      .Add("LEVEL_UNIQUE_NAME", LevelName())
      .Add("HIERARCHY_UNIQUE_NAME", ref_.HierarchyUniqueName())
      .Add("DIMENSION_UNIQUE_NAME", ref_.DimensionUniqueName())
      .Add("CHILDREN_CARDINALITY", ChildCount());
  if (ref_.IsMeasures()) {
    const MeasureInfo& measure = Measure();
    list.Add("MEMBER_TYPE", measure.calculated ? kMemberFormula : kMemberMeasure)
        .Add("MEMBER_ORDINAL", static_cast<int>(member_))
        .Add("PARENT_UNIQUE_NAME", "")
        .Add("EXPRESSION", measure.expression)
        .Add("FORMAT_STRING", measure.format_string)
        .Add("MEASURE_AGGREGATOR", AggregatorCode(measure));
    return list.Collection();
  }
  const HierarchyData& hierarchy = ref_.Hierarchy();
  const MemberRow& row = hierarchy.Member(member_);
  list.Add("MEMBER_TYPE", member_ == hierarchy.AllMember() ? kMemberAll : kMemberRegular)
      .Add("MEMBER_ORDINAL", static_cast<int>(member_))
      .Add("MEMBER_KEY", row.key)
      .Add("PARENT_UNIQUE_NAME",
           row.parent == kNoMember ? std::string() : hierarchy.MemberUniqueName(row.parent))
      .Add("PARENT_LEVEL", row.parent == kNoMember ? 0 : hierarchy.Depth(row.parent))
      .Add("PARENT_COUNT", row.parent == kNoMember ? 0 : 1);
  return list.Collection();
}

EngineMembers::EngineMembers(EngineObjectRef ref)
    : ref_(std::move(ref)), owned_(ref_.cube->Measures().size()) {
  std::iota(owned_.begin(), owned_.end(), 0);
  ids_ = owned_;
}

std::shared_ptr<adomd::Member> EngineMembers::Item(int index) const {
  if (index < 0 || index >= Count())
    throw adomd::ProviderError("The index " + std::to_string(index) +
                               " is outside the collection of " + std::to_string(Count()) +
                               " members.");
  return std::make_shared<EngineMember>(ref_, ids_[static_cast<size_t>(index)]);
}

}  // namespace engine

#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/model/cube_content.h"
#include "engine/model/dimension_data.h"
#include "engine/model/fact_columns.h"

namespace engine {

// A measure as a member of [Measures].
struct MeasureInfo {
  std::string name;
  std::string unique_name;  // "[Measures].[Unit Sales]"
  bool calculated = false;
  Aggregator aggregator = Aggregator::Sum;
  int column = -1;  // stored measures: the fact number column
  std::string expression;
  std::string format_string;
};

// Where a member lives: a dimension of the cube, one of its hierarchies, a member of it.
struct MemberRef {
  int dimension = -1;
  int hierarchy = -1;
  MemberId member = kNoMember;
  bool operator==(const MemberRef&) const = default;
};

struct HierarchyRef {
  int dimension = -1;
  int hierarchy = -1;
  bool operator==(const HierarchyRef&) const = default;
};

struct LevelRef {
  int dimension = -1;
  int hierarchy = -1;
  int depth = -1;
  bool operator==(const LevelRef&) const = default;
};

// One cube in memory: its dimensions with their member tables, its measures and its facts as
// column arrays. Immutable once made; share it with std::shared_ptr and read it from any
// number of threads. The measures are not among Dimensions(): they form "[Measures]".
class CubeData {
 public:
  // Checks that the parts fit together (raises std::invalid_argument naming the fault) and
  // builds the indexes.
  explicit CubeData(CubeContent content);

  const std::string& Name() const { return name_; }
  const std::string& Description() const { return description_; }
  const std::string& LastDataUpdate() const { return last_data_update_; }
  bool DrillthroughEnabled() const { return drillthrough_enabled_; }

  const std::vector<DimensionData>& Dimensions() const { return dimensions_; }
  const DimensionData& Dimension(int index) const {
    return dimensions_.at(static_cast<size_t>(index));
  }
  const HierarchyData& Hierarchy(HierarchyRef ref) const {
    return Dimension(ref.dimension).Hierarchy(ref.hierarchy);
  }
  // The dimension of that name, or -1.
  int FindDimension(std::string_view name) const;
  // The hierarchy of a hierarchy unique name ("[Store]", "[Time].[Weekly]"); a dimension's
  // unique name names its default hierarchy.
  std::optional<HierarchyRef> FindHierarchy(std::string_view unique_name) const;
  // The level of a level unique name ("[Store].[Store State]", "[Time].[Weekly].[Week]").
  std::optional<LevelRef> FindLevel(std::string_view unique_name) const;
  // The member of a member unique name ("[Store].[USA].[CA]", "[Store].[All Stores]",
  // "[Time].[Weekly].[2025].[W1]"). Measures are found with FindMeasure.
  std::optional<MemberRef> FindMember(std::string_view unique_name) const;

  // The measures in member order, stored and calculated.
  const std::vector<MeasureInfo>& Measures() const { return measures_; }
  // The measure of that name, or -1.
  int FindMeasure(std::string_view name) const;

  const FactTable& Facts() const { return facts_; }
  size_t FactCount() const { return facts_.row_count; }
  // The dimension keys of all fact rows of a dimension.
  const KeyColumn& KeysOf(int dimension) const {
    return facts_.keys.at(static_cast<size_t>(dimension));
  }

  // The parts, for writing the cube to a file or making a restricted copy of it.
  CubeContent Content() const;

 private:
  // Splits "[Dim].[Hier].rest" into the hierarchy and the names after it.
  std::optional<std::pair<HierarchyRef, std::vector<std::string>>> ResolveHierarchy(
      std::string_view unique_name) const;

  std::string name_;
  std::string description_;
  std::string last_data_update_;
  bool drillthrough_enabled_;
  std::vector<DimensionData> dimensions_;
  std::vector<MeasureInfo> measures_;
  FactTable facts_;
};

}  // namespace engine

#include "engine/model/cube_data.h"

#include <ctime>
#include <stdexcept>

#include "engine/model/mdx_name.h"

namespace engine {

std::string CurrentUtcTime() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  ::gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &utc);
  return text;
}

const char* AggregatorName(Aggregator aggregator) {
  switch (aggregator) {
    case Aggregator::Sum:
      return "sum";
    case Aggregator::Count:
      return "count";
    case Aggregator::Min:
      return "min";
    case Aggregator::Max:
      return "max";
    case Aggregator::Avg:
      return "avg";
    case Aggregator::DistinctCount:
      return "distinct-count";
  }
  return "sum";
}

CubeData::CubeData(CubeContent content)
    : name_(std::move(content.name)),
      description_(std::move(content.description)),
      last_data_update_(std::move(content.last_data_update)),
      drillthrough_enabled_(content.drillthrough_enabled),
      facts_(std::move(content.facts)) {
  const std::string cube = "Cube " + QuoteName(name_) + ": ";
  if (name_.empty())
    throw std::invalid_argument("A cube has no name.");
  dimensions_.reserve(content.dimensions.size());
  for (auto& dimension : content.dimensions) {
    if (dimension.name == "Measures")
      throw std::invalid_argument(cube + "a dimension may not be named Measures.");
    dimensions_.emplace_back(std::move(dimension));
    if (FindDimension(dimensions_.back().Name()) != static_cast<int>(dimensions_.size()) - 1)
      throw std::invalid_argument(cube + "two dimensions are named \"" + dimensions_.back().Name() +
                                  "\".");
  }

  if (facts_.keys.size() != dimensions_.size())
    throw std::invalid_argument(cube + "the facts have " + std::to_string(facts_.keys.size()) +
                                " key columns for " + std::to_string(dimensions_.size()) +
                                " dimensions.");
  for (size_t d = 0; d < dimensions_.size(); ++d) {
    const KeyColumn& keys = facts_.keys[d];
    if (keys.RowCount() != facts_.row_count)
      throw std::invalid_argument(cube + "a key column does not hold one key per fact.");
    // Every key must name a key of its dimension: scans index tables with it.
    const uint32_t key_count = dimensions_[d].KeyCount();
    const bool in_range = keys.Visit([key_count](auto values) {
      uint32_t high = 0;
      for (auto v : values)
        high = std::max<uint32_t>(high, v);
      return values.empty() || high < key_count;
    });
    if (!in_range)
      throw std::invalid_argument(cube + "the facts hold keys that dimension " +
                                  dimensions_[d].UniqueName() + " does not have.");
  }
  for (const auto& column : facts_.numbers)
    if (column.RowCount() != facts_.row_count)
      throw std::invalid_argument(cube + "a measure column does not hold one value per fact.");

  std::vector<bool> column_used(facts_.numbers.size(), false);
  for (auto& measure : content.measures) {
    MeasureInfo info;
    info.name = std::move(measure.name);
    info.unique_name = "[Measures]." + QuoteName(info.name);
    info.calculated = measure.calculated;
    info.aggregator = measure.aggregator;
    info.column = measure.calculated ? -1 : measure.column;
    info.expression = std::move(measure.expression);
    info.format_string = std::move(measure.format_string);
    if (info.name.empty())
      throw std::invalid_argument(cube + "a measure has no name.");
    if (FindMeasure(info.name) >= 0)
      throw std::invalid_argument(cube + "two measures are named \"" + info.name + "\".");
    if (!info.calculated) {
      if (info.column < 0 || info.column >= static_cast<int>(facts_.numbers.size()))
        throw std::invalid_argument(cube + "measure \"" + info.name + "\" has no fact column.");
      const NumberColumn& column = facts_.numbers[static_cast<size_t>(info.column)];
      if (column.HasValues() == (info.aggregator == Aggregator::Count))
        throw std::invalid_argument(cube + "the column of measure \"" + info.name +
                                    "\" does not suit its aggregator.");
      column_used[static_cast<size_t>(info.column)] = true;
    } else if (info.expression.find_first_not_of(" \t\r\n") == std::string::npos) {
      throw std::invalid_argument(cube + "calculated measure \"" + info.name +
                                  "\" has no expression.");
    }
    measures_.push_back(std::move(info));
  }
  for (bool used : column_used)
    if (!used)
      throw std::invalid_argument(cube + "a measure column belongs to no measure.");
}

int CubeData::FindDimension(std::string_view name) const {
  for (size_t i = 0; i < dimensions_.size(); ++i)
    if (dimensions_[i].Name() == name)
      return static_cast<int>(i);
  return -1;
}

int CubeData::FindMeasure(std::string_view name) const {
  for (size_t i = 0; i < measures_.size(); ++i)
    if (measures_[i].name == name)
      return static_cast<int>(i);
  return -1;
}

std::optional<std::pair<HierarchyRef, std::vector<std::string>>> CubeData::ResolveHierarchy(
    std::string_view unique_name) const {
  auto names = SplitUniqueName(unique_name);
  if (!names)
    return std::nullopt;
  const int dimension = FindDimension(names->front());
  if (dimension < 0)
    return std::nullopt;
  const DimensionData& data = dimensions_[static_cast<size_t>(dimension)];
  size_t rest = 1;
  int hierarchy = data.DefaultHierarchy();
  if (data.Hierarchies().size() > 1 && names->size() > 1) {
    const int named = data.FindHierarchy((*names)[1]);
    if (named >= 0) {
      hierarchy = named;
      rest = 2;
    }
  }
  return std::make_pair(
      HierarchyRef{dimension, hierarchy},
      std::vector<std::string>(names->begin() + static_cast<long>(rest), names->end()));
}

std::optional<HierarchyRef> CubeData::FindHierarchy(std::string_view unique_name) const {
  const auto resolved = ResolveHierarchy(unique_name);
  if (!resolved || !resolved->second.empty())
    return std::nullopt;
  return resolved->first;
}

std::optional<LevelRef> CubeData::FindLevel(std::string_view unique_name) const {
  const auto resolved = ResolveHierarchy(unique_name);
  if (!resolved || resolved->second.size() != 1)
    return std::nullopt;
  const int depth = Hierarchy(resolved->first).FindLevel(resolved->second.front());
  if (depth < 0)
    return std::nullopt;
  return LevelRef{resolved->first.dimension, resolved->first.hierarchy, depth};
}

std::optional<MemberRef> CubeData::FindMember(std::string_view unique_name) const {
  const auto resolved = ResolveHierarchy(unique_name);
  if (!resolved)
    return std::nullopt;
  const MemberId member = Hierarchy(resolved->first).FindMember(resolved->second);
  if (member == kNoMember)
    return std::nullopt;
  return MemberRef{resolved->first.dimension, resolved->first.hierarchy, member};
}

CubeContent CubeData::Content() const {
  CubeContent content;
  content.name = name_;
  content.description = description_;
  content.last_data_update = last_data_update_;
  content.drillthrough_enabled = drillthrough_enabled_;
  for (const auto& dimension : dimensions_) {
    DimensionContent& d = content.dimensions.emplace_back();
    d.name = dimension.Name();
    d.dimension_type = dimension.DimensionType();
    d.default_hierarchy = dimension.DefaultHierarchy();
    d.key_count = dimension.KeyCount();
    for (const auto& hierarchy : dimension.Hierarchies())
      d.hierarchies.push_back(hierarchy.Content());
  }
  for (const auto& measure : measures_)
    content.measures.push_back(MeasureContent{measure.name, measure.calculated, measure.aggregator,
                                              measure.column, measure.expression,
                                              measure.format_string});
  content.facts = facts_;
  return content;
}

}  // namespace engine

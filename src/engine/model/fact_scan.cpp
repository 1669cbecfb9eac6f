#include "engine/model/fact_scan.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>

namespace engine {

namespace {

constexpr size_t kChunk = 4096;
constexpr uint64_t kDenseGroupLimit = uint64_t{1} << 20;

// Copies keys[begin, begin + n) of a column into out, whatever the column's width.
void DecodeKeys(const KeyColumn& column, size_t begin, size_t n, uint32_t* out) {
  column.Visit([&](auto keys) {
    for (size_t i = 0; i < n; ++i)
      out[i] = keys[begin + i];
  });
}

struct Accumulator {
  double sum = 0;
  double min = std::numeric_limits<double>::infinity();
  double max = -std::numeric_limits<double>::infinity();
  uint64_t count = 0;  // rows with a value
};

struct GroupCode {
  uint64_t group;
  uint32_t code;
  bool operator==(const GroupCode&) const = default;
};

struct GroupCodeHash {
  size_t operator()(const GroupCode& g) const {
    return std::hash<uint64_t>()(g.group * 0x9E3779B97F4A7C15ull ^ g.code);
  }
};

struct Group {
  uint64_t rows = 0;
  std::vector<Accumulator> measures;
};

// Marks the rows of a chunk that pass every filter.
void FilterChunk(const CubeData& cube, const std::vector<const KeyBitmap*>& filters, size_t begin,
                 size_t n, std::vector<uint8_t>& pass, std::vector<uint32_t>& keys) {
  std::fill(pass.begin(), pass.begin() + static_cast<long>(n), uint8_t{1});
  for (size_t d = 0; d < filters.size(); ++d) {
    if (!filters[d])
      continue;
    DecodeKeys(cube.KeysOf(static_cast<int>(d)), begin, n, keys.data());
    for (size_t i = 0; i < n; ++i)
      pass[i] &= filters[d]->Test(keys[i]) ? 1 : 0;
  }
}

void CheckFilters(const CubeData& cube, const std::vector<const KeyBitmap*>& filters) {
  if (filters.size() > cube.Dimensions().size())
    throw std::invalid_argument("A scan has more filters than the cube has dimensions.");
  for (size_t d = 0; d < filters.size(); ++d)
    if (filters[d] && filters[d]->Size() != cube.Dimension(static_cast<int>(d)).KeyCount())
      throw std::invalid_argument("A scan filter does not match its dimension's keys.");
}

}  // namespace

std::vector<ScanGroup> ScanFacts(const CubeData& cube, const ScanRequest& request) {
  CheckFilters(cube, request.filters);
  for (int m : request.measures)
    if (m < 0 || m >= static_cast<int>(cube.Measures().size()) ||
        cube.Measures()[static_cast<size_t>(m)].calculated)
      throw std::invalid_argument("A scan asks for a measure that is not stored.");

  // A row's group number is the mixed-radix number of its members' positions in their levels.
  struct Grouping {
    int dimension;
    std::vector<uint32_t> position_of_key;
    uint64_t radix;
  };
  std::vector<Grouping> groupings;
  uint64_t group_space = 1;
  for (const LevelRef& level : request.group_by) {
    const HierarchyData& hierarchy = cube.Hierarchy({level.dimension, level.hierarchy});
    const LevelData& data = hierarchy.Level(level.depth);
    Grouping grouping{level.dimension, {}, std::max<uint64_t>(data.Members().size(), 1)};
    grouping.position_of_key.reserve(data.MemberOfKey().size());
    for (MemberId member : data.MemberOfKey())
      grouping.position_of_key.push_back(static_cast<uint32_t>(hierarchy.IndexInLevel(member)));
    group_space = group_space > std::numeric_limits<uint64_t>::max() / grouping.radix
                      ? std::numeric_limits<uint64_t>::max()
                      : group_space * grouping.radix;
    groupings.push_back(std::move(grouping));
  }
  if (group_space == std::numeric_limits<uint64_t>::max())
    throw std::invalid_argument("A scan groups by more members than it can number.");

  const size_t measure_count = request.measures.size();
  const bool dense = group_space <= kDenseGroupLimit;
  std::vector<Group> dense_groups(dense ? group_space : 0);
  std::unordered_map<uint64_t, Group> sparse_groups;
  std::vector<std::unordered_set<GroupCode, GroupCodeHash>> distinct(measure_count);

  std::vector<uint8_t> pass(kChunk);
  std::vector<uint32_t> keys(kChunk);
  std::vector<uint64_t> group_of_row(kChunk);
  std::vector<Group*> group_ptr(kChunk);
  const size_t rows = cube.FactCount();
  for (size_t begin = 0; begin < rows; begin += kChunk) {
    const size_t n = std::min(kChunk, rows - begin);
    FilterChunk(cube, request.filters, begin, n, pass, keys);
    std::fill(group_of_row.begin(), group_of_row.begin() + static_cast<long>(n), 0);
    for (const Grouping& grouping : groupings) {
      DecodeKeys(cube.KeysOf(grouping.dimension), begin, n, keys.data());
      for (size_t i = 0; i < n; ++i)
        group_of_row[i] = group_of_row[i] * grouping.radix + grouping.position_of_key[keys[i]];
    }
    for (size_t i = 0; i < n; ++i) {
      if (!pass[i]) {
        group_ptr[i] = nullptr;
        continue;
      }
      Group* group = dense ? &dense_groups[group_of_row[i]] : &sparse_groups[group_of_row[i]];
      if (group->rows++ == 0)
        group->measures.resize(measure_count);
      group_ptr[i] = group;
    }
    for (size_t m = 0; m < measure_count; ++m) {
      const MeasureInfo& measure = cube.Measures()[static_cast<size_t>(request.measures[m])];
      const NumberColumn& column = cube.Facts().numbers[static_cast<size_t>(measure.column)];
      if (measure.aggregator == Aggregator::Count) {
        for (size_t i = 0; i < n; ++i)
          if (group_ptr[i] && !column.IsNull(begin + i))
            ++group_ptr[i]->measures[m].count;
        continue;
      }
      column.Visit([&](auto values) {
        for (size_t i = 0; i < n; ++i) {
          if (!group_ptr[i] || column.IsNull(begin + i))
            continue;
          const auto raw = values[begin + i];
          Accumulator& a = group_ptr[i]->measures[m];
          if (measure.aggregator == Aggregator::DistinctCount) {
            const auto code = static_cast<uint32_t>(raw);
            if (distinct[m].insert(GroupCode{group_of_row[i], code}).second)
              ++a.count;
            continue;
          }
          const double v = static_cast<double>(raw);
          a.sum += v;
          a.min = std::min(a.min, v);
          a.max = std::max(a.max, v);
          ++a.count;
        }
      });
    }
  }

  auto finish = [&](uint64_t number, const Group& group) {
    ScanGroup out;
    out.row_count = group.rows;
    out.members.resize(groupings.size());
    for (size_t g = groupings.size(); g-- > 0;) {
      const LevelRef& level = request.group_by[g];
      const auto position = number % groupings[g].radix;
      number /= groupings[g].radix;
      out.members[g] = cube.Hierarchy({level.dimension, level.hierarchy})
                           .LevelMembers(level.depth)[static_cast<size_t>(position)];
    }
    for (size_t m = 0; m < measure_count; ++m) {
      const MeasureInfo& measure = cube.Measures()[static_cast<size_t>(request.measures[m])];
      const double divisor = cube.Facts().numbers[static_cast<size_t>(measure.column)].Divisor();
      const Accumulator& a = group.measures[m];
      std::optional<double> value;
      switch (measure.aggregator) {
        case Aggregator::Count:
        case Aggregator::DistinctCount:
          value = static_cast<double>(a.count);
          break;
        case Aggregator::Sum:
          if (a.count > 0)
            value = a.sum / divisor;
          break;
        case Aggregator::Min:
          if (a.count > 0)
            value = a.min / divisor;
          break;
        case Aggregator::Max:
          if (a.count > 0)
            value = a.max / divisor;
          break;
        case Aggregator::Avg:
          if (a.count > 0)
            value = a.sum / divisor / static_cast<double>(a.count);
          break;
      }
      out.values.push_back(value);
    }
    return out;
  };

  std::vector<ScanGroup> result;
  if (dense) {
    for (uint64_t number = 0; number < dense_groups.size(); ++number)
      if (dense_groups[number].rows > 0)
        result.push_back(finish(number, dense_groups[number]));
  } else {
    std::vector<uint64_t> numbers;
    numbers.reserve(sparse_groups.size());
    for (const auto& entry : sparse_groups)
      numbers.push_back(entry.first);
    std::sort(numbers.begin(), numbers.end());
    for (uint64_t number : numbers)
      result.push_back(finish(number, sparse_groups[number]));
  }
  return result;
}

std::vector<uint64_t> MatchingRows(const CubeData& cube,
                                   const std::vector<const KeyBitmap*>& filters, uint64_t skip,
                                   uint64_t max_rows) {
  CheckFilters(cube, filters);
  std::vector<uint64_t> found;
  std::vector<uint8_t> pass(kChunk);
  std::vector<uint32_t> keys(kChunk);
  const size_t rows = cube.FactCount();
  for (size_t begin = 0; begin < rows && found.size() < max_rows; begin += kChunk) {
    const size_t n = std::min(kChunk, rows - begin);
    FilterChunk(cube, filters, begin, n, pass, keys);
    for (size_t i = 0; i < n && found.size() < max_rows; ++i) {
      if (!pass[i])
        continue;
      if (skip > 0) {
        --skip;
        continue;
      }
      found.push_back(begin + i);
    }
  }
  return found;
}

}  // namespace engine

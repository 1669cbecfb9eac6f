#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/model/fact_columns.h"

namespace engine {

// The plain parts a cube is made of, as a cube file stores them and the cube builder makes
// them. CubeData checks them and adds the indexes that lookups and scans use.

// A member's position in its hierarchy's member table, which is in hierarchy order (every
// member before its descendants, siblings in their order).
using MemberId = int32_t;
constexpr MemberId kNoMember = -1;

// OLE DB for OLAP level type codes.
enum LevelTypeCode : int {
  kLevelRegular = 0x0000,
  kLevelAll = 0x0001,
  kLevelTimeYears = 0x0014,
  kLevelTimeHalfYears = 0x0024,
  kLevelTimeQuarters = 0x0044,
  kLevelTimeMonths = 0x0084,
  kLevelTimeWeeks = 0x0104,
  kLevelTimeDays = 0x0204,
  kLevelTimeHours = 0x0304,
  kLevelTimeMinutes = 0x0404,
  kLevelTimeSeconds = 0x0804,
  kLevelTimeUndefined = 0x1004,
};

// DIMENSION_TYPE codes.
enum DimensionTypeCode : int { kDimensionTime = 1, kDimensionMeasures = 2, kDimensionOther = 3 };

struct MemberRow {
  MemberId parent = kNoMember;  // kNoMember for the hierarchy's top members
  int32_t depth = 0;            // the level's depth; the all member is at depth 0
  std::string name;             // the name in unique names
  std::string caption;          // the text shown
  std::string key;              // the source key value as text
};

struct LevelContent {
  std::string name;  // "(All)" for the all level
  int level_type = kLevelRegular;
  bool unique_members = false;
};

struct HierarchyContent {
  std::string name;
  std::string display_folder;
  bool has_all = true;
  std::string all_member_name;       // used when has_all
  std::vector<LevelContent> levels;  // the all level first when has_all
  std::vector<MemberRow> members;    // hierarchy order; the all member first when has_all
  // For each dimension key, the member of the deepest level it belongs to.
  std::vector<MemberId> leaf_of_key;
};

struct DimensionContent {
  std::string name;
  int dimension_type = kDimensionOther;
  int default_hierarchy = 0;  // index into hierarchies
  // Fact rows carry one key per dimension, 0 .. key_count - 1; each key stands for one
  // combination of leaf members of the dimension's hierarchies.
  uint32_t key_count = 0;
  std::vector<HierarchyContent> hierarchies;
};

enum class Aggregator { Sum, Count, Min, Max, Avg, DistinctCount };

struct MeasureContent {
  std::string name;
  bool calculated = false;
  Aggregator aggregator = Aggregator::Sum;  // stored measures
  int column = -1;                          // stored measures: index into FactTable::numbers
  std::string expression;                   // calculated measures: the MDX formula
  std::string format_string;
};

struct CubeContent {
  std::string name;
  std::string description;
  std::string last_data_update;  // "YYYY-MM-DD HH:MM:SS", UTC
  bool drillthrough_enabled = true;
  std::vector<DimensionContent> dimensions;  // without the measures
  std::vector<MeasureContent> measures;      // in the order of the measures' members
  FactTable facts;
};

// The present time as last_data_update writes it.
std::string CurrentUtcTime();

// The schema name of an aggregator ("sum", "count", "min", "max", "avg", "distinct-count").
const char* AggregatorName(Aggregator aggregator);

}  // namespace engine

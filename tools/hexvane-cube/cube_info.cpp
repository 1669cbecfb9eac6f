#include "cube_info.h"

#include <cstdio>
#include <sstream>

namespace {

std::string LevelTypeName(int code) {
  switch (code) {
    case engine::kLevelRegular:
      return "Regular";
    case engine::kLevelAll:
      return "All";
    case engine::kLevelTimeYears:
      return "TimeYears";
    case engine::kLevelTimeHalfYears:
      return "TimeHalfYears";
    case engine::kLevelTimeQuarters:
      return "TimeQuarters";
    case engine::kLevelTimeMonths:
      return "TimeMonths";
    case engine::kLevelTimeWeeks:
      return "TimeWeeks";
    case engine::kLevelTimeDays:
      return "TimeDays";
    case engine::kLevelTimeHours:
      return "TimeHours";
    case engine::kLevelTimeMinutes:
      return "TimeMinutes";
    case engine::kLevelTimeSeconds:
      return "TimeSeconds";
    case engine::kLevelTimeUndefined:
      return "TimeUndefined";
  }
  return "Other";
}

// 1234567 -> "1,234,567".
std::string Grouped(uint64_t number) {
  const std::string digits = std::to_string(number);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0)
      grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

std::string Plural(uint64_t count, const std::string& word) {
  return Grouped(count) + " " + word + (count == 1 ? "" : "s");
}

std::string Hex(int code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(code));
  return text;
}

}  // namespace

std::string DescribeCubeFile(const engine::CubeFile& file) {
  std::ostringstream out;
  out << "Cube file " << file.path << " (catalog \"" << file.catalog
      << "\"): " << Plural(file.cubes.size(), "cube") << "\n";
  for (const auto& cube : file.cubes) {
    out << "\nCube \"" << cube->Name() << "\": " << Plural(cube->FactCount(), "fact row") << ", "
        << Grouped(cube->Facts().ByteSize()) << " bytes of columns\n";
    if (!cube->Description().empty())
      out << "  Description: " << cube->Description() << "\n";
    out << "  Last data update: " << cube->LastDataUpdate() << " UTC\n";
    out << "  Drill-through: " << (cube->DrillthroughEnabled() ? "enabled" : "disabled") << "\n";
    for (const auto& dimension : cube->Dimensions()) {
      out << "\n  Dimension " << dimension.UniqueName()
          << (dimension.DimensionType() == engine::kDimensionTime ? " (time)" : "") << ", "
          << Grouped(dimension.Hierarchies().size())
          << (dimension.Hierarchies().size() == 1 ? " hierarchy" : " hierarchies") << ", "
          << Plural(dimension.KeyCount(), "key") << "\n";
      for (int h = 0; h < static_cast<int>(dimension.Hierarchies().size()); ++h) {
        const engine::HierarchyData& hierarchy = dimension.Hierarchy(h);
        out << "    Hierarchy " << hierarchy.UniqueName() << ": "
            << Plural(static_cast<uint64_t>(hierarchy.MemberCount()), "member");
        if (h == dimension.DefaultHierarchy() && dimension.Hierarchies().size() > 1)
          out << ", the default";
        if (!hierarchy.DisplayFolder().empty())
          out << ", display folder \"" << hierarchy.DisplayFolder() << "\"";
        out << "\n";
        for (int depth = 0; depth < hierarchy.LevelCount(); ++depth) {
          const engine::LevelData& level = hierarchy.Level(depth);
          out << "      " << depth << " " << level.UniqueName() << ": "
              << Plural(level.Members().size(), "member") << ", "
              << LevelTypeName(level.LevelType()) << " (" << Hex(level.LevelType()) << ")";
          if (level.IsAll())
            out << ", " << hierarchy.MemberUniqueName(hierarchy.AllMember());
          out << "\n";
        }
      }
    }
    out << "\n  Measures\n";
    for (const auto& measure : cube->Measures()) {
      out << "    " << measure.unique_name << ": ";
      if (measure.calculated)
        out << "calculated as " << measure.expression;
      else
        out << engine::AggregatorName(measure.aggregator);
      if (!measure.format_string.empty())
        out << ", format \"" << measure.format_string << "\"";
      out << "\n";
    }
  }
  return out.str();
}

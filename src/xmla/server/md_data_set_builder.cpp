#include "xmla/server/md_data_set_builder.h"

#include "adomd/provider_error.h"

namespace xmla {

std::string HierarchyOfLevel(const std::string& level_unique_name) {
  const std::string& u = level_unique_name;
  size_t last_part = std::string::npos;
  size_t i = 0;
  while (i < u.size()) {
    if (u[i] != '[') {
      ++i;
      continue;
    }
    if (i > 0)
      last_part = i;
    for (++i; i < u.size(); ++i) {
      if (u[i] != ']')
        continue;
      if (i + 1 < u.size() && u[i + 1] == ']') {
        ++i;  // "]]" stands for "]" inside the name
        continue;
      }
      ++i;
      break;
    }
  }
  if (last_part == std::string::npos || last_part < 2)
    return u;
  return u.substr(0, last_part - 1);  // without the "." before the level's own name
}

namespace {

MdAxis BuildAxis(const std::string& name, const adomd::Axis& axis) {
  MdAxis result;
  result.name = name;
  const auto positions = axis.GetPositions();
  for (int p = 0; p < positions->Count(); ++p) {
    const auto members = positions->Item(p)->GetMembers();
    std::vector<MdMember> tuple;
    tuple.reserve(static_cast<size_t>(members->Count()));
    for (int m = 0; m < members->Count(); ++m) {
      const auto member = members->Item(m);
      MdMember md;
      md.level_name = member->LevelName();
      md.hierarchy = HierarchyOfLevel(md.level_name);
      md.unique_name = member->UniqueName();
      md.caption = member->Caption();
      md.level_number = member->LevelDepth();
      md.child_count = member->ChildCount();
      tuple.push_back(std::move(md));
    }
    if (p == 0)
      for (const MdMember& md : tuple)
        result.hierarchies.push_back(md.hierarchy);
    result.tuples.push_back(std::move(tuple));
  }
  return result;
}

}  // namespace

MdDataSet BuildMdDataSet(const adomd::CellsetData& data, const std::string& cube_name) {
  MdDataSet data_set;
  data_set.cube_name = cube_name;
  int64_t cell_count = 1;
  for (int a = 0; a < data.AxisCount(); ++a) {
    data_set.axes.push_back(BuildAxis("Axis" + std::to_string(a), *data.AxisAt(a)));
    cell_count *= static_cast<int64_t>(data_set.axes.back().tuples.size());
    if (cell_count > kMaxCellsPerAnswer)
      throw adomd::ProviderError("The result has more than " + std::to_string(kMaxCellsPerAnswer) +
                                 " cells, more than the server sends in one answer.");
  }
  if (const auto filter = data.FilterAxis())
    data_set.slicer = BuildAxis("SlicerAxis", *filter);
  for (int64_t ordinal = 0; ordinal < cell_count; ++ordinal) {
    const adomd::Cell cell = data.CellAt(ordinal);
    if (cell.Value().IsBlank() && cell.FormattedValue().empty())
      continue;  // empty: left out
    MdCell md;
    md.value = cell.Value();
    md.formatted_value = cell.FormattedValue();
    md.error = cell.Value().IsEmpty() && !cell.FormattedValue().empty();
    data_set.cells.emplace(ordinal, std::move(md));
  }
  return data_set;
}

}  // namespace xmla

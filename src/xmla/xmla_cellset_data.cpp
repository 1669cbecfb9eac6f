#include "xmla/xmla_cellset_data.h"

#include "adomd/provider_error.h"

namespace xmla {

namespace {

std::shared_ptr<adomd::Axis> MakeAxis(const XmlaCubeContext& context, const MdAxis& axis) {
  std::vector<std::shared_ptr<adomd::Position>> positions;
  positions.reserve(axis.tuples.size());
  for (const auto& tuple : axis.tuples) {
    std::vector<std::shared_ptr<adomd::Member>> members;
    members.reserve(tuple.size());
    for (const MdMember& m : tuple) {
      XmlaMember::Record record;
      record.name = LastNameOf(m.unique_name);
      record.unique_name = m.unique_name;
      record.caption = m.caption;
      record.level_depth = m.level_number;
      record.level_name = m.level_name;
      record.hierarchy = m.hierarchy;
      record.child_count = m.child_count;
      record.is_measure = m.hierarchy == "[Measures]";
      members.push_back(std::make_shared<XmlaMember>(context, std::move(record), nullptr));
    }
    positions.push_back(
        std::make_shared<adomd::Position>(static_cast<int>(positions.size()), std::move(members)));
  }
  return std::make_shared<adomd::Axis>(static_cast<int>(axis.hierarchies.size()),
                                       std::move(positions));
}

}  // namespace

XmlaCellsetData::XmlaCellsetData(XmlaCubeContext context, MdDataSet data_set)
    : cells_(std::move(data_set.cells)) {
  context.cube = data_set.cube_name;
  for (const MdAxis& axis : data_set.axes)
    axes_.push_back(MakeAxis(context, axis));
  filter_axis_ = data_set.slicer ? MakeAxis(context, *data_set.slicer)
                                 : std::make_shared<adomd::Axis>(
                                       0, std::vector<std::shared_ptr<adomd::Position>>{});
}

std::shared_ptr<adomd::Axis> XmlaCellsetData::AxisAt(int index) const {
  if (index < 0 || index >= AxisCount())
    throw adomd::ProviderError("The cell set has no axis " + std::to_string(index) + ".");
  return axes_[static_cast<size_t>(index)];
}

adomd::Cell XmlaCellsetData::CellAt(int64_t ordinal) const {
  const auto found = cells_.find(ordinal);
  if (found == cells_.end())
    return adomd::Cell(ordinal, adomd::Variant(), "");
  return adomd::Cell(ordinal, found->second.value, found->second.formatted_value);
}

}  // namespace xmla

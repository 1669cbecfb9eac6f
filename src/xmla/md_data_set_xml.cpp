#include "xmla/md_data_set_xml.h"

#include <algorithm>
#include <charconv>

#include "adomd/provider_error.h"
#include "xmla/xml_tools.h"
#include "xmla/xmla_namespaces.h"
#include "xmla/xsd_value.h"

namespace xmla {

namespace {

constexpr int kDisplayInfoChildMask = 0xFFFF;

void WriteHierarchyInfo(pugi::xml_node axis_info, const MdAxis& axis) {
  axis_info.append_attribute("name") = axis.name.c_str();
  for (const std::string& hierarchy : axis.hierarchies) {
    pugi::xml_node info = axis_info.append_child("HierarchyInfo");
    info.append_attribute("name") = hierarchy.c_str();
    const auto add = [&](const char* element, const char* property, const char* type) {
      pugi::xml_node node = info.append_child(element);
      node.append_attribute("name") = (hierarchy + "." + property).c_str();
      if (type)
        node.append_attribute("type") = type;
    };
    add("UName", "[MEMBER_UNIQUE_NAME]", "xsd:string");
    add("Caption", "[MEMBER_CAPTION]", "xsd:string");
    add("LName", "[LEVEL_UNIQUE_NAME]", "xsd:string");
    add("LNum", "[LEVEL_NUMBER]", "xsd:int");
    add("DisplayInfo", "[DISPLAY_INFO]", "xsd:unsignedInt");
  }
}

void WriteAxis(pugi::xml_node axes, const MdAxis& axis) {
  pugi::xml_node node = axes.append_child("Axis");
  node.append_attribute("name") = axis.name.c_str();
  pugi::xml_node tuples = node.append_child("Tuples");
  for (const auto& tuple : axis.tuples) {
    pugi::xml_node tuple_node = tuples.append_child("Tuple");
    for (const MdMember& member : tuple) {
      pugi::xml_node m = tuple_node.append_child("Member");
      m.append_attribute("Hierarchy") = member.hierarchy.c_str();
      m.append_child("UName").text() = member.unique_name.c_str();
      m.append_child("Caption").text() = member.caption.c_str();
      m.append_child("LName").text() = member.level_name.c_str();
      m.append_child("LNum").text() = member.level_number;
      if (member.child_count)
        m.append_child("DisplayInfo").text() =
            std::clamp(*member.child_count, 0, kDisplayInfoChildMask);
    }
  }
}

}  // namespace

void WriteMdDataSet(pugi::xml_node parent, const MdDataSet& data_set) {
  pugi::xml_node root = parent.append_child("root");
  root.append_attribute("xmlns") = kMdDataSetNs;
  root.append_attribute("xmlns:xsd") = kXsdNs;
  root.append_attribute("xmlns:xsi") = kXsiNs;

  pugi::xml_node olap_info = root.append_child("OlapInfo");
  olap_info.append_child("CubeInfo").append_child("Cube").append_child("CubeName").text() =
      data_set.cube_name.c_str();
  pugi::xml_node axes_info = olap_info.append_child("AxesInfo");
  for (const MdAxis& axis : data_set.axes)
    WriteHierarchyInfo(axes_info.append_child("AxisInfo"), axis);
  if (data_set.slicer)
    WriteHierarchyInfo(axes_info.append_child("AxisInfo"), *data_set.slicer);
  pugi::xml_node cell_info = olap_info.append_child("CellInfo");
  cell_info.append_child("Value").append_attribute("name") = "VALUE";
  cell_info.append_child("FmtValue").append_attribute("name") = "FORMATTED_VALUE";

  pugi::xml_node axes = root.append_child("Axes");
  for (const MdAxis& axis : data_set.axes)
    WriteAxis(axes, axis);
  if (data_set.slicer)
    WriteAxis(axes, *data_set.slicer);

  pugi::xml_node cell_data = root.append_child("CellData");
  for (const auto& [ordinal, cell] : data_set.cells) {
    pugi::xml_node node = cell_data.append_child("Cell");
    node.append_attribute("CellOrdinal") = static_cast<long long>(ordinal);
    if (cell.error) {
      pugi::xml_node error = node.append_child("Value").append_child("Error");
      error.append_child("ErrorCode").text() = "500";
      error.append_child("Description").text() = cell.formatted_value.c_str();
    } else if (!cell.value.IsBlank()) {
      pugi::xml_node value = node.append_child("Value");
      value.append_attribute("xsi:type") = XsdTypeOf(cell.value).c_str();
      value.text() = XsdText(cell.value).c_str();
    }
    node.append_child("FmtValue").text() = cell.formatted_value.c_str();
  }
}

namespace {

int ReadInt(const pugi::xml_node& node, const char* what) {
  const std::string text = TextOf(node);
  const auto first = text.find_first_not_of(" \t\r\n");
  const auto last = text.find_last_not_of(" \t\r\n");
  long long value = 0;
  if (first != std::string::npos) {
    const auto parsed = std::from_chars(text.data() + first, text.data() + last + 1, value);
    if (parsed.ec == std::errc() && parsed.ptr == text.data() + last + 1)
      return static_cast<int>(value);
  }
  throw adomd::ProviderError(std::string("The server sent \"") + text + "\" as the " + what +
                             " of a member.");
}

// "Axis0" -> 0; nothing for any other name.
std::optional<int> AxisNumber(std::string_view name) {
  if (!name.starts_with("Axis") || name.size() == 4)
    return std::nullopt;
  int number = 0;
  const auto parsed = std::from_chars(name.data() + 4, name.data() + name.size(), number);
  if (parsed.ec != std::errc() || parsed.ptr != name.data() + name.size() || number < 0)
    return std::nullopt;
  return number;
}

MdAxis ReadAxis(const std::string& name, const pugi::xml_node& info, const pugi::xml_node& axis) {
  MdAxis result;
  result.name = name;
  for (const pugi::xml_node& hierarchy : ChildrenNamed(info, "HierarchyInfo"))
    result.hierarchies.push_back(hierarchy.attribute("name").value());
  if (axis && !ChildNamed(axis, "Tuples") &&
      (ChildNamed(axis, "CrossProduct") || ChildNamed(axis, "Members")))
    throw adomd::ProviderError("The server answered axis " + name +
                               " in a format other than tuples.");
  for (const pugi::xml_node& tuple : ChildrenNamed(ChildNamed(axis, "Tuples"), "Tuple")) {
    std::vector<MdMember> members;
    for (const pugi::xml_node& member : ChildrenNamed(tuple, "Member")) {
      MdMember m;
      m.hierarchy = member.attribute("Hierarchy").value();
      m.unique_name = TextOf(ChildNamed(member, "UName"));
      m.caption = TextOf(ChildNamed(member, "Caption"));
      m.level_name = TextOf(ChildNamed(member, "LName"));
      if (const pugi::xml_node number = ChildNamed(member, "LNum"))
        m.level_number = ReadInt(number, "level number");
      if (const pugi::xml_node display = ChildNamed(member, "DisplayInfo"))
        m.child_count = ReadInt(display, "display information") & kDisplayInfoChildMask;
      members.push_back(std::move(m));
    }
    // Servers that leave out the axis information still name each member's hierarchy.
    if (result.hierarchies.empty())
      for (const MdMember& m : members)
        result.hierarchies.push_back(m.hierarchy);
    if (members.size() != result.hierarchies.size())
      throw adomd::ProviderError("A tuple of axis " + name + " has " +
                                 std::to_string(members.size()) + " members; the axis crosses " +
                                 std::to_string(result.hierarchies.size()) + " hierarchies.");
    result.tuples.push_back(std::move(members));
  }
  return result;
}

}  // namespace

MdDataSet ReadMdDataSet(const pugi::xml_node& root) {
  MdDataSet data_set;
  const pugi::xml_node olap_info = ChildNamed(root, "OlapInfo");
  data_set.cube_name =
      TextOf(ChildNamed(ChildNamed(ChildNamed(olap_info, "CubeInfo"), "Cube"), "CubeName"));

  std::map<std::string, pugi::xml_node> infos;
  for (const pugi::xml_node& info : ChildrenNamed(ChildNamed(olap_info, "AxesInfo"), "AxisInfo"))
    infos[info.attribute("name").value()] = info;
  std::map<std::string, pugi::xml_node> axes;
  for (const pugi::xml_node& axis : ChildrenNamed(ChildNamed(root, "Axes"), "Axis"))
    axes[axis.attribute("name").value()] = axis;

  // The query axes are those named AxisN in either section, in the order of N.
  std::map<int, std::string> numbered;
  for (const auto* section : {&infos, &axes})
    for (const auto& [name, node] : *section)
      if (const auto number = AxisNumber(name))
        numbered[*number] = name;
  int expected = 0;
  for (const auto& [number, name] : numbered) {
    if (number != expected++)
      throw adomd::ProviderError("The server's answer has axis " + name + " but not Axis" +
                                 std::to_string(expected - 1) + ".");
    data_set.axes.push_back(ReadAxis(name, infos[name], axes[name]));
  }
  if (infos.count("SlicerAxis") || axes.count("SlicerAxis"))
    data_set.slicer = ReadAxis("SlicerAxis", infos["SlicerAxis"], axes["SlicerAxis"]);

  // Cell values without an xsi:type take the type the cell information declares.
  std::string declared_type;
  if (const pugi::xml_node value_info = ChildNamed(ChildNamed(olap_info, "CellInfo"), "Value"))
    declared_type = value_info.attribute("type").value();

  int64_t cell_count = 1;
  for (const MdAxis& axis : data_set.axes)
    cell_count *= static_cast<int64_t>(axis.tuples.size());
  int64_t next_ordinal = 0;
  for (const pugi::xml_node& cell : ChildrenNamed(ChildNamed(root, "CellData"), "Cell")) {
    int64_t ordinal = next_ordinal;
    if (const pugi::xml_attribute attribute = cell.attribute("CellOrdinal")) {
      const std::string_view text = attribute.value();
      const auto parsed = std::from_chars(text.data(), text.data() + text.size(), ordinal);
      if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size())
        throw adomd::ProviderError("The server sent the cell ordinal \"" + std::string(text) +
                                   "\".");
    }
    if (ordinal < 0 || ordinal >= cell_count)
      throw adomd::ProviderError("The server sent cell " + std::to_string(ordinal) +
                                 " of a result with " + std::to_string(cell_count) + " cells.");
    next_ordinal = ordinal + 1;
    MdCell result;
    const pugi::xml_node value = ChildNamed(cell, "Value");
    const pugi::xml_node formatted = ChildNamed(cell, "FmtValue");
    if (const pugi::xml_node error = ChildNamed(value, "Error")) {
      result.error = true;
      const pugi::xml_attribute described = AttributeNamed(error, "Description");
      result.formatted_value =
          described ? described.value() : TextOf(ChildNamed(error, "Description"));
    } else if (value) {
      const pugi::xml_attribute nil = AttributeNamed(value, "nil");
      if (nil && std::string_view(nil.value()) == "true")
        result.value = adomd::Variant::Null();
      else {
        const pugi::xml_attribute xsi_type = AttributeNamed(value, "type");
        result.value = ReadXsdValue(xsi_type ? xsi_type.value() : declared_type, TextOf(value));
      }
    }
    if (formatted && !result.error)
      result.formatted_value = TextOf(formatted);
    data_set.cells[ordinal] = std::move(result);
  }
  return data_set;
}

}  // namespace xmla

#include "xmla/xmla_metadata.h"

#include "adomd/collection.h"
#include "adomd/provider_error.h"

namespace xmla {

namespace {

// Tree operations of the MEMBERS rowset.
constexpr const char* kTreeOpChildren = "1";
constexpr const char* kTreeOpSelf = "8";
// DisplayInfo carries at most this many children; more must be asked for.
constexpr int kDisplayInfoLimit = 0xFFFF;

std::string Text(const TabularRowset& rowset, size_t row, const std::string& column) {
  return rowset.Value(row, column).ToText();
}

int Integer(const TabularRowset& rowset, size_t row, const std::string& column) {
  const adomd::Variant& value = rowset.Value(row, column);
  return value.IsBlank() ? 0 : static_cast<int>(value.ToInteger());
}

XmlaRequest::NameValues Restrictions(const XmlaCubeContext& context, XmlaRequest::NameValues more) {
  XmlaRequest::NameValues restrictions;
  if (!context.catalog.empty())
    restrictions.emplace_back("CATALOG_NAME", context.catalog);
  restrictions.emplace_back("CUBE_NAME", context.cube);
  for (auto& item : more)
    restrictions.push_back(std::move(item));
  return restrictions;
}

TabularRowset Discover(const XmlaCubeContext& context, const std::string& request_type,
                       XmlaRequest::NameValues more) {
  return context.client->Discover(request_type, Restrictions(context, std::move(more)),
                                  context.catalog);
}

std::shared_ptr<adomd::Members> MembersOf(const XmlaCubeContext& context,
                                          const TabularRowset& rowset) {
  auto members = std::make_shared<adomd::VectorCollection<adomd::Member>>();
  for (size_t row = 0; row < rowset.rows.size(); ++row)
    members->Add(XmlaMember::FromMembersRow(context, rowset, row));
  return members;
}

}  // namespace

std::shared_ptr<adomd::Properties> RowProperties(const TabularRowset& rowset, size_t row) {
  auto properties = std::make_shared<adomd::VectorCollection<adomd::Property>>();
  for (size_t i = 0; i < rowset.columns.size(); ++i)
    if (!rowset.rows[row][i].IsBlank())
      properties->Add(
          std::make_shared<adomd::Property>(rowset.columns[i].name, rowset.rows[row][i]));
  return properties;
}

std::string LastNameOf(const std::string& unique_name) {
  // Read the bracketed parts from the left: only then does "]]" read unambiguously.
  std::string last;
  bool bracketed = false;
  size_t i = 0;
  while (i < unique_name.size()) {
    if (unique_name[i] != '[') {
      ++i;
      continue;
    }
    bracketed = true;
    last.clear();
    for (++i; i < unique_name.size(); ++i) {
      if (unique_name[i] == ']') {
        if (i + 1 < unique_name.size() && unique_name[i + 1] == ']') {
          last += ']';
          ++i;
          continue;
        }
        ++i;
        break;
      }
      last += unique_name[i];
    }
  }
  if (bracketed)
    return last;
  const size_t dot = unique_name.rfind('.');
  return dot == std::string::npos ? unique_name : unique_name.substr(dot + 1);
}

XmlaMember::XmlaMember(XmlaCubeContext context, Record record,
                       std::shared_ptr<adomd::Properties> properties)
    : context_(std::move(context)),
      record_(std::move(record)),
      properties_(std::move(properties)) {}

std::shared_ptr<XmlaMember> XmlaMember::FromMembersRow(const XmlaCubeContext& context,
                                                       const TabularRowset& rowset, size_t row) {
  Record record;
  record.name = Text(rowset, row, "MEMBER_NAME");
  record.unique_name = Text(rowset, row, "MEMBER_UNIQUE_NAME");
  record.caption = Text(rowset, row, "MEMBER_CAPTION");
  if (record.caption.empty())
    record.caption = record.name;
  record.level_depth = Integer(rowset, row, "LEVEL_NUMBER");
  record.level_name = Text(rowset, row, "LEVEL_UNIQUE_NAME");
  record.hierarchy = Text(rowset, row, "HIERARCHY_UNIQUE_NAME");
  record.child_count = Integer(rowset, row, "CHILDREN_CARDINALITY");
  return std::make_shared<XmlaMember>(context, std::move(record), RowProperties(rowset, row));
}

std::shared_ptr<adomd::Properties> XmlaMember::GetProperties() const {
  const std::lock_guard lock(mutex_);
  if (!properties_) {
    const TabularRowset rowset =
        record_.is_measure
            ? Discover(context_, "MDSCHEMA_MEASURES",
                       {{"MEASURE_UNIQUE_NAME", record_.unique_name}})
            : Discover(context_, "MDSCHEMA_MEMBERS",
                       {{"MEMBER_UNIQUE_NAME", record_.unique_name}, {"TREE_OP", kTreeOpSelf}});
    // A member the statement made (WITH MEMBER) is in no schema rowset and has no properties.
    properties_ = rowset.rows.empty() ? std::make_shared<adomd::VectorCollection<adomd::Property>>()
                                      : RowProperties(rowset, 0);
  }
  return properties_;
}

int XmlaMember::ChildCount() const {
  if (record_.is_measure)
    return 0;
  if (record_.child_count && *record_.child_count < kDisplayInfoLimit)
    return *record_.child_count;
  const auto properties = GetProperties();
  for (int i = 0; i < properties->Count(); ++i)
    if (properties->Item(i)->Name() == "CHILDREN_CARDINALITY")
      return static_cast<int>(properties->Item(i)->Value().ToInteger());
  return Children()->Count();
}

std::shared_ptr<adomd::Members> XmlaMember::Children() const {
  const std::lock_guard lock(mutex_);
  if (!children_) {
    if (record_.is_measure) {
      children_ = std::make_shared<adomd::VectorCollection<adomd::Member>>();
    } else {
      XmlaRequest::NameValues restrictions;
      if (!record_.hierarchy.empty())
        restrictions.emplace_back("HIERARCHY_UNIQUE_NAME", record_.hierarchy);
      restrictions.emplace_back("MEMBER_UNIQUE_NAME", record_.unique_name);
      restrictions.emplace_back("TREE_OP", kTreeOpChildren);
      children_ = MembersOf(context_, Discover(context_, "MDSCHEMA_MEMBERS", restrictions));
    }
  }
  return children_;
}

XmlaLevel::XmlaLevel(XmlaCubeContext context, const TabularRowset& rowset, size_t row)
    : context_(std::move(context)),
      name_(Text(rowset, row, "LEVEL_NAME")),
      unique_name_(Text(rowset, row, "LEVEL_UNIQUE_NAME")),
      caption_(Text(rowset, row, "LEVEL_CAPTION")),
      hierarchy_(Text(rowset, row, "HIERARCHY_UNIQUE_NAME")),
      depth_(Integer(rowset, row, "LEVEL_NUMBER")),
      properties_(RowProperties(rowset, row)) {
  if (caption_.empty())
    caption_ = name_;
}

std::shared_ptr<adomd::Members> XmlaLevel::GetMembers() const {
  const std::lock_guard lock(mutex_);
  if (members_)
    return members_;
  if (hierarchy_ == "[Measures]") {
    // The measures rowset lists calculated measures too, with their expressions.
    const TabularRowset rowset = Discover(context_, "MDSCHEMA_MEASURES", {});
    auto members = std::make_shared<adomd::VectorCollection<adomd::Member>>();
    for (size_t row = 0; row < rowset.rows.size(); ++row) {
      XmlaMember::Record record;
      record.name = Text(rowset, row, "MEASURE_NAME");
      record.unique_name = Text(rowset, row, "MEASURE_UNIQUE_NAME");
      record.caption = Text(rowset, row, "MEASURE_CAPTION");
      if (record.caption.empty())
        record.caption = record.name;
      record.level_depth = depth_;
      record.level_name = unique_name_;
      record.hierarchy = hierarchy_;
      record.child_count = 0;
      record.is_measure = true;
      members->Add(
          std::make_shared<XmlaMember>(context_, std::move(record), RowProperties(rowset, row)));
    }
    members_ = members;
  } else {
    members_ = MembersOf(context_, Discover(context_, "MDSCHEMA_MEMBERS",
                                            {{"HIERARCHY_UNIQUE_NAME", hierarchy_},
                                             {"LEVEL_UNIQUE_NAME", unique_name_}}));
  }
  return members_;
}

XmlaHierarchy::XmlaHierarchy(XmlaCubeContext context, const TabularRowset& rowset, size_t row)
    : context_(std::move(context)),
      name_(Text(rowset, row, "HIERARCHY_NAME")),
      unique_name_(Text(rowset, row, "HIERARCHY_UNIQUE_NAME")),
      dimension_(Text(rowset, row, "DIMENSION_UNIQUE_NAME")),
      properties_(RowProperties(rowset, row)) {}

std::shared_ptr<adomd::Levels> XmlaHierarchy::GetLevels() const {
  const std::lock_guard lock(mutex_);
  if (!levels_) {
    const TabularRowset rowset =
        Discover(context_, "MDSCHEMA_LEVELS",
                 {{"DIMENSION_UNIQUE_NAME", dimension_}, {"HIERARCHY_UNIQUE_NAME", unique_name_}});
    auto levels = std::make_shared<adomd::VectorCollection<adomd::Level>>();
    for (size_t row = 0; row < rowset.rows.size(); ++row)
      levels->Add(std::make_shared<XmlaLevel>(context_, rowset, row));
    levels_ = levels;
  }
  return levels_;
}

XmlaDimension::XmlaDimension(XmlaCubeContext context, const TabularRowset& rowset, size_t row)
    : context_(std::move(context)),
      name_(Text(rowset, row, "DIMENSION_NAME")),
      unique_name_(Text(rowset, row, "DIMENSION_UNIQUE_NAME")),
      properties_(RowProperties(rowset, row)) {}

std::shared_ptr<adomd::Hierarchies> XmlaDimension::GetHierarchies() const {
  const std::lock_guard lock(mutex_);
  if (!hierarchies_) {
    const TabularRowset rowset =
        Discover(context_, "MDSCHEMA_HIERARCHIES", {{"DIMENSION_UNIQUE_NAME", unique_name_}});
    auto hierarchies = std::make_shared<adomd::VectorCollection<adomd::Hierarchy>>();
    for (size_t row = 0; row < rowset.rows.size(); ++row)
      hierarchies->Add(std::make_shared<XmlaHierarchy>(context_, rowset, row));
    hierarchies_ = hierarchies;
  }
  return hierarchies_;
}

XmlaCubeDef::XmlaCubeDef(std::shared_ptr<XmlaClient> client, std::string catalog,
                         const TabularRowset& rowset, size_t row)
    : context_{std::move(client), std::move(catalog), Text(rowset, row, "CUBE_NAME")},
      description_(Text(rowset, row, "DESCRIPTION")),
      properties_(RowProperties(rowset, row)) {}

std::shared_ptr<adomd::Dimensions> XmlaCubeDef::GetDimensions() const {
  const std::lock_guard lock(mutex_);
  if (!dimensions_) {
    const TabularRowset rowset = Discover(context_, "MDSCHEMA_DIMENSIONS", {});
    auto dimensions = std::make_shared<adomd::VectorCollection<adomd::Dimension>>();
    for (size_t row = 0; row < rowset.rows.size(); ++row)
      dimensions->Add(std::make_shared<XmlaDimension>(context_, rowset, row));
    dimensions_ = dimensions;
  }
  return dimensions_;
}

}  // namespace xmla

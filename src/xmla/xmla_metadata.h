#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "adomd/object_model.h"
#include "xmla/tabular_rowset.h"
#include "xmla/xmla_client.h"

// The cube structure over XMLA. Each object is made from one row of a schema rowset, whose
// columns are its properties; what lies below it (dimensions, hierarchies, levels, members,
// children) is discovered the first time it is asked for, and kept.
namespace xmla {

// What every object needs to ask for more: the client, the catalog and the cube.
struct XmlaCubeContext {
  std::shared_ptr<XmlaClient> client;
  std::string catalog;
  std::string cube;
};

// The properties of one rowset row: every column with a value.
std::shared_ptr<adomd::Properties> RowProperties(const TabularRowset& rowset, size_t row);

// The last name of a unique name: "[Store].[USA].[CA]" -> "CA" ("]]" stands for "]").
std::string LastNameOf(const std::string& unique_name);

// A member: from a MEMBERS or MEASURES row, or from an axis of a cell set (which carries no
// properties: those are discovered when asked for).
class XmlaMember final : public adomd::Member {
 public:
  struct Record {
    std::string name;
    std::string unique_name;
    std::string caption;
    int level_depth = 0;
    std::string level_name;
    std::string hierarchy;
    std::optional<int> child_count;
    bool is_measure = false;
  };

  XmlaMember(XmlaCubeContext context, Record record, std::shared_ptr<adomd::Properties> properties);
  static std::shared_ptr<XmlaMember> FromMembersRow(const XmlaCubeContext& context,
                                                    const TabularRowset& rowset, size_t row);

  std::string Name() const override { return record_.name; }
  std::string UniqueName() const override { return record_.unique_name; }
  std::string Caption() const override { return record_.caption; }
  int LevelDepth() const override { return record_.level_depth; }
  std::string LevelName() const override { return record_.level_name; }
  std::shared_ptr<adomd::Properties> GetProperties() const override;
  int ChildCount() const override;
  std::shared_ptr<adomd::Members> Children() const override;

 private:
  XmlaCubeContext context_;
  Record record_;
  mutable std::mutex mutex_;
  mutable std::shared_ptr<adomd::Properties> properties_;
  mutable std::shared_ptr<adomd::Members> children_;
};

class XmlaLevel final : public adomd::Level {
 public:
  XmlaLevel(XmlaCubeContext context, const TabularRowset& rowset, size_t row);
  std::string Name() const override { return name_; }
  std::string UniqueName() const override { return unique_name_; }
  std::string Caption() const override { return caption_; }
  int Depth() const override { return depth_; }
  std::shared_ptr<adomd::Properties> GetProperties() const override { return properties_; }
  std::shared_ptr<adomd::Members> GetMembers() const override;

 private:
  XmlaCubeContext context_;
  std::string name_, unique_name_, caption_, hierarchy_;
  int depth_ = 0;
  std::shared_ptr<adomd::Properties> properties_;
  mutable std::mutex mutex_;
  mutable std::shared_ptr<adomd::Members> members_;
};

class XmlaHierarchy final : public adomd::Hierarchy {
 public:
  XmlaHierarchy(XmlaCubeContext context, const TabularRowset& rowset, size_t row);
  std::string Name() const override { return name_; }
  std::string UniqueName() const override { return unique_name_; }
  std::shared_ptr<adomd::Properties> GetProperties() const override { return properties_; }
  std::shared_ptr<adomd::Levels> GetLevels() const override;

 private:
  XmlaCubeContext context_;
  std::string name_, unique_name_, dimension_;
  std::shared_ptr<adomd::Properties> properties_;
  mutable std::mutex mutex_;
  mutable std::shared_ptr<adomd::Levels> levels_;
};

class XmlaDimension final : public adomd::Dimension {
 public:
  XmlaDimension(XmlaCubeContext context, const TabularRowset& rowset, size_t row);
  std::string Name() const override { return name_; }
  std::string UniqueName() const override { return unique_name_; }
  std::shared_ptr<adomd::Properties> GetProperties() const override { return properties_; }
  std::shared_ptr<adomd::Hierarchies> GetHierarchies() const override;

 private:
  XmlaCubeContext context_;
  std::string name_, unique_name_;
  std::shared_ptr<adomd::Properties> properties_;
  mutable std::mutex mutex_;
  mutable std::shared_ptr<adomd::Hierarchies> hierarchies_;
};

class XmlaCubeDef final : public adomd::CubeDef {
 public:
  XmlaCubeDef(std::shared_ptr<XmlaClient> client, std::string catalog, const TabularRowset& rowset,
              size_t row);
  std::string Name() const override { return context_.cube; }
  std::string Description() const override { return description_; }
  std::shared_ptr<adomd::Properties> GetProperties() const override { return properties_; }
  std::shared_ptr<adomd::Dimensions> GetDimensions() const override;

 private:
  XmlaCubeContext context_;
  std::string description_;
  std::shared_ptr<adomd::Properties> properties_;
  mutable std::mutex mutex_;
  mutable std::shared_ptr<adomd::Dimensions> dimensions_;
};

}  // namespace xmla

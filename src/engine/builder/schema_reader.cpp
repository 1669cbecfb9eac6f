#include "engine/builder/schema_reader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <sstream>

#include "engine/builder/build_error.h"
#include "engine/model/cube_content.h"

namespace engine {

namespace {

const std::map<std::string, int>& LevelTypes() {
  static const std::map<std::string, int> types = {{"Regular", kLevelRegular},
                                                   {"TimeYears", kLevelTimeYears},
                                                   {"TimeHalfYears", kLevelTimeHalfYears},
                                                   {"TimeQuarters", kLevelTimeQuarters},
                                                   {"TimeMonths", kLevelTimeMonths},
                                                   {"TimeWeeks", kLevelTimeWeeks},
                                                   {"TimeDays", kLevelTimeDays},
                                                   {"TimeHours", kLevelTimeHours},
                                                   {"TimeMinutes", kLevelTimeMinutes},
                                                   {"TimeSeconds", kLevelTimeSeconds},
                                                   {"TimeUndefined", kLevelTimeUndefined}};
  return types;
}

class Reader {
 public:
  Reader(const std::string& text, std::string source) : text_(text), source_(std::move(source)) {
    for (size_t i = 0; i < text_.size(); ++i)
      if (text_[i] == '\n')
        newlines_.push_back(static_cast<ptrdiff_t>(i));
  }

  Schema Read() {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(text_.data(), text_.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed)
      throw BuildError(source_ + ", line " + std::to_string(LineOf(parsed.offset)) +
                       ": the schema is not valid XML: " + parsed.description() + ".");
    const pugi::xml_node root = document.document_element();
    if (std::string(root.name()) != "Schema")
      throw Error(root, "the schema's root element must be Schema.");
    Schema schema;
    schema.source = source_;
    Attributes(root, {"name", "description"});
    schema.name = Required(root, "name");
    schema.description = root.attribute("description").value();

    std::map<std::string, SchemaDimension> shared;
    for (const pugi::xml_node child : Elements(root)) {
      const std::string element = child.name();
      if (element == "Dimension") {
        Attributes(child, {"name", "type"});
        SchemaDimension dimension = ReadDimension(child);
        if (!shared.emplace(dimension.name, dimension).second)
          throw Error(child, "a shared dimension of this name is already defined.");
      } else if (element == "Cube") {
        schema.cubes.push_back(ReadCube(child, shared));
      } else {
        throw Error(child, "unknown element; a Schema holds Dimension and Cube elements.");
      }
    }
    if (schema.cubes.empty())
      throw Error(root, "the schema defines no Cube.");
    return schema;
  }

 private:
  int LineOf(ptrdiff_t offset) const {
    return static_cast<int>(std::lower_bound(newlines_.begin(), newlines_.end(), offset) -
                            newlines_.begin()) +
           1;
  }
  int Line(const pugi::xml_node node) const { return LineOf(node.offset_debug()); }

  BuildError Error(const pugi::xml_node node, const std::string& text) const {
    std::string where = source_ + ", line " + std::to_string(Line(node)) + ": " + node.name();
    if (const auto name = node.attribute("name"))
      where += " \"" + std::string(name.value()) + "\"";
    return BuildError(where + ": " + text);
  }

  // The child elements; text other than blanks is refused.
  std::vector<pugi::xml_node> Elements(const pugi::xml_node node) const {
    std::vector<pugi::xml_node> elements;
    for (const pugi::xml_node child : node.children()) {
      if (child.type() == pugi::node_element) {
        elements.push_back(child);
      } else if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
        const std::string value = child.value();
        if (value.find_first_not_of(" \t\r\n") != std::string::npos)
          throw Error(node, "unexpected text \"" + value + "\" inside the element.");
      }
    }
    return elements;
  }

  void Attributes(const pugi::xml_node node, std::initializer_list<const char*> known) const {
    for (const pugi::xml_attribute attribute : node.attributes()) {
      const std::string name = attribute.name();
      if (std::none_of(known.begin(), known.end(), [&](const char* k) { return name == k; }))
        throw Error(node, "unknown attribute \"" + name + "\".");
    }
  }

  std::string Required(const pugi::xml_node node, const char* attribute) const {
    const pugi::xml_attribute found = node.attribute(attribute);
    const std::string value = found.value();
    if (!found || value.find_first_not_of(" \t\r\n") == std::string::npos)
      throw Error(node, "the attribute \"" + std::string(attribute) + "\" is required.");
    return value;
  }

  bool Boolean(const pugi::xml_node node, const char* attribute, bool fallback) const {
    const pugi::xml_attribute found = node.attribute(attribute);
    if (!found)
      return fallback;
    const std::string value = found.value();
    if (value == "true")
      return true;
    if (value == "false")
      return false;
    throw Error(node, "the attribute \"" + std::string(attribute) +
                          "\" must be \"true\" or \"false\", not \"" + value + "\".");
  }

  SchemaTable ReadTable(const pugi::xml_node node) const {
    Attributes(node, {"name"});
    if (!Elements(node).empty())
      throw Error(node, "a Table holds no elements.");
    return SchemaTable{Required(node, "name"), Line(node)};
  }

  SchemaLevel ReadLevel(const pugi::xml_node node) const {
    Attributes(node, {"name", "table", "column", "nameColumn", "captionColumn", "ordinalColumn",
                      "type", "levelType", "uniqueMembers"});
    if (!Elements(node).empty())
      throw Error(node, "a Level holds no elements.");
    SchemaLevel level;
    level.line = Line(node);
    level.name = Required(node, "name");
    level.column = Required(node, "column");
    level.table = node.attribute("table").value();
    level.name_column = node.attribute("nameColumn").value();
    level.caption_column = node.attribute("captionColumn").value();
    level.ordinal_column = node.attribute("ordinalColumn").value();
    level.type = node.attribute("type").value();
    static const char* const kTypes[] = {"String", "Numeric", "Integer",  "Boolean",
                                         "Date",   "Time",    "Timestamp"};
    if (!level.type.empty() && std::none_of(std::begin(kTypes), std::end(kTypes),
                                            [&](const char* t) { return level.type == t; }))
      throw Error(node, "the type \"" + level.type +
                            "\" is not one of String, Numeric, Integer, Boolean, Date, Time, "
                            "Timestamp.");
    if (const auto level_type = node.attribute("levelType")) {
      const auto found = LevelTypes().find(level_type.value());
      if (found == LevelTypes().end())
        throw Error(node, "the levelType \"" + std::string(level_type.value()) +
                              "\" is not known (Regular, TimeYears, TimeHalfYears, "
                              "TimeQuarters, TimeMonths, TimeWeeks, TimeDays, TimeHours, "
                              "TimeMinutes, TimeSeconds, TimeUndefined).");
      level.level_type = found->second;
    }
    level.unique_members = Boolean(node, "uniqueMembers", false);
    if (level.name == "(All)")
      throw Error(node, "the level name \"(All)\" is reserved.");
    return level;
  }

  SchemaHierarchy ReadHierarchy(const pugi::xml_node node) const {
    Attributes(node, {"name", "hasAll", "allMemberName", "primaryKey", "primaryKeyTable",
                      "displayFolder"});
    SchemaHierarchy hierarchy;
    hierarchy.line = Line(node);
    hierarchy.name = node.attribute("name").value();
    hierarchy.has_all = Boolean(node, "hasAll", true);
    hierarchy.all_member_name = node.attribute("allMemberName").value();
    hierarchy.primary_key = node.attribute("primaryKey").value();
    hierarchy.primary_key_table = node.attribute("primaryKeyTable").value();
    hierarchy.display_folder = node.attribute("displayFolder").value();
    if (!hierarchy.has_all && !hierarchy.all_member_name.empty())
      throw Error(node, "allMemberName is given, but hasAll is \"false\".");
    for (const pugi::xml_node child : Elements(node)) {
      const std::string element = child.name();
      if (element == "Table" || element == "Join") {
        if (hierarchy.table || hierarchy.join)
          throw Error(child, "a Hierarchy has one source, a Table or a Join.");
        if (element == "Table") {
          hierarchy.table = ReadTable(child);
        } else {
          hierarchy.join = ReadJoin(child);
        }
      } else if (element == "Level") {
        if (!hierarchy.table && !hierarchy.join)
          throw Error(child, "the Hierarchy's Table or Join must come before its levels.");
        hierarchy.levels.push_back(ReadLevel(child));
        for (size_t i = 0; i + 1 < hierarchy.levels.size(); ++i)
          if (hierarchy.levels[i].name == hierarchy.levels.back().name)
            throw Error(child, "the hierarchy already has a level of this name.");
      } else {
        throw Error(child, "unknown element; a Hierarchy holds a Table or a Join, then Levels.");
      }
    }
    if (!hierarchy.table && !hierarchy.join)
      throw Error(node, "the hierarchy has no Table or Join to read its members from.");
    if (hierarchy.levels.empty())
      throw Error(node, "the hierarchy has no Level.");
    if (hierarchy.primary_key.empty())
      throw Error(node, "the attribute \"primaryKey\" is required.");
    if (hierarchy.join && hierarchy.primary_key_table.empty())
      throw Error(node, "the attribute \"primaryKeyTable\" is required with a Join.");
    return hierarchy;
  }

  SchemaJoin ReadJoin(const pugi::xml_node node) const {
    Attributes(node, {"leftKey", "rightKey", "leftAlias", "rightAlias"});
    SchemaJoin join;
    join.line = Line(node);
    join.left_key = Required(node, "leftKey");
    join.right_key = Required(node, "rightKey");
    const auto children = Elements(node);
    if (children.size() != 2 || std::string(children[0].name()) != "Table" ||
        std::string(children[1].name()) != "Table")
      throw Error(node, "a Join joins exactly two Table elements (nested joins are not read).");
    join.left = ReadTable(children[0]);
    join.right = ReadTable(children[1]);
    if (join.left.name == join.right.name)
      throw Error(node, "a Join of a table with itself is not read.");
    // The aliases may only repeat the table names, as no Table carries another alias.
    if (const auto alias = node.attribute("leftAlias"); alias && join.left.name != alias.value())
      throw Error(node, "leftAlias must name the left Table.");
    if (const auto alias = node.attribute("rightAlias"); alias && join.right.name != alias.value())
      throw Error(node, "rightAlias must name the right Table.");
    return join;
  }

  SchemaDimension ReadDimension(const pugi::xml_node node) const {
    SchemaDimension dimension;
    dimension.line = Line(node);
    dimension.name = Required(node, "name");
    if (dimension.name == "Measures")
      throw Error(node, "the name Measures is reserved.");
    const std::string type = node.attribute("type").value();
    if (!type.empty() && type != "StandardDimension" && type != "TimeDimension")
      throw Error(node, "the type \"" + type + "\" is not StandardDimension or TimeDimension.");
    dimension.time = type == "TimeDimension";
    for (const pugi::xml_node child : Elements(node)) {
      if (std::string(child.name()) != "Hierarchy")
        throw Error(child, "unknown element; a Dimension holds Hierarchy elements.");
      dimension.hierarchies.push_back(ReadHierarchy(child));
      SchemaHierarchy& added = dimension.hierarchies.back();
      if (added.name.empty())
        added.name = dimension.name;
      for (size_t i = 0; i + 1 < dimension.hierarchies.size(); ++i)
        if (dimension.hierarchies[i].name == added.name)
          throw Error(child, "the dimension already has a hierarchy named \"" + added.name + "\".");
    }
    if (dimension.hierarchies.empty())
      throw Error(node, "the dimension has no Hierarchy.");
    return dimension;
  }

  SchemaCube ReadCube(const pugi::xml_node node,
                      const std::map<std::string, SchemaDimension>& shared) const {
    Attributes(node, {"name", "description"});
    SchemaCube cube;
    cube.line = Line(node);
    cube.name = Required(node, "name");
    cube.description = node.attribute("description").value();
    bool has_table = false;
    auto check_name = [&](const pugi::xml_node child, const std::string& name) {
      for (const auto& use : cube.dimensions)
        if (use.dimension.name == name)
          throw Error(child, "the cube already has a dimension named \"" + name + "\".");
    };
    for (const pugi::xml_node child : Elements(node)) {
      const std::string element = child.name();
      if (element == "Table") {
        if (has_table)
          throw Error(child, "a Cube has one fact Table.");
        cube.fact_table = ReadTable(child);
        has_table = true;
      } else if (element == "Dimension") {
        Attributes(child, {"name", "type", "foreignKey"});
        CubeDimensionUse use{"Dimension", Required(child, "foreignKey"), ReadDimension(child),
                             Line(child)};
        check_name(child, use.dimension.name);
        cube.dimensions.push_back(std::move(use));
      } else if (element == "DimensionUsage") {
        Attributes(child, {"name", "source", "foreignKey"});
        if (!Elements(child).empty())
          throw Error(child, "a DimensionUsage holds no elements.");
        const std::string source = Required(child, "source");
        const auto found = shared.find(source);
        if (found == shared.end())
          throw Error(child,
                      "no shared Dimension named \"" + source + "\" is defined before the cube.");
        CubeDimensionUse use{"DimensionUsage", Required(child, "foreignKey"), found->second,
                             Line(child)};
        const std::string name = child.attribute("name").value();
        if (!name.empty()) {
          use.dimension.name = name;
          // A hierarchy named after its dimension takes the name under which it is used.
          for (auto& hierarchy : use.dimension.hierarchies)
            if (hierarchy.name == source)
              hierarchy.name = name;
        }
        check_name(child, use.dimension.name);
        cube.dimensions.push_back(std::move(use));
      } else if (element == "Measure") {
        Attributes(child, {"name", "column", "aggregator", "formatString"});
        if (!Elements(child).empty())
          throw Error(child, "a Measure holds no elements.");
        SchemaMeasure measure{Required(child, "name"), Required(child, "column"),
                              Required(child, "aggregator"),
                              child.attribute("formatString").value(), Line(child)};
        static const char* const kAggregators[] = {"sum", "count", "min",
                                                   "max", "avg",   "distinct-count"};
        if (std::none_of(std::begin(kAggregators), std::end(kAggregators),
                         [&](const char* a) { return measure.aggregator == a; }))
          throw Error(child, "the aggregator \"" + measure.aggregator +
                                 "\" is not one of sum, count, min, max, avg, distinct-count.");
        cube.measures.push_back(std::move(measure));
      } else if (element == "CalculatedMember") {
        cube.calculated_members.push_back(ReadCalculatedMember(child));
      } else {
        throw Error(child,
                    "unknown element; a Cube holds a Table, Dimension, DimensionUsage, Measure "
                    "and CalculatedMember elements.");
      }
    }
    if (!has_table)
      throw Error(node, "the cube has no fact Table.");
    if (cube.measures.empty())
      throw Error(node, "the cube has no Measure.");
    std::vector<std::string> names;
    for (const auto& m : cube.measures)
      names.push_back(m.name);
    for (const auto& m : cube.calculated_members)
      names.push_back(m.name);
    std::sort(names.begin(), names.end());
    if (const auto twice = std::adjacent_find(names.begin(), names.end()); twice != names.end())
      throw Error(node, "two measures are named \"" + *twice + "\".");
    return cube;
  }

  SchemaCalculatedMember ReadCalculatedMember(const pugi::xml_node node) const {
    Attributes(node, {"name", "dimension", "formula", "formatString"});
    SchemaCalculatedMember member;
    member.line = Line(node);
    member.name = Required(node, "name");
    if (Required(node, "dimension") != "Measures")
      throw Error(node, "only calculated members of the dimension Measures are read.");
    member.formula = node.attribute("formula").value();
    member.format_string = node.attribute("formatString").value();
    for (const pugi::xml_node child : Elements(node)) {
      const std::string element = child.name();
      if (element == "Formula") {
        Attributes(child, {});
        if (!member.formula.empty())
          throw Error(child, "the formula is given twice.");
        member.formula = child.text().get();
      } else if (element == "CalculatedMemberProperty") {
        Attributes(child, {"name", "value"});
        if (Required(child, "name") != "FORMAT_STRING")
          throw Error(child, "only the property FORMAT_STRING is read.");
        member.format_string = child.attribute("value").value();
      } else {
        throw Error(child,
                    "unknown element; a CalculatedMember holds Formula and "
                    "CalculatedMemberProperty elements.");
      }
    }
    if (member.formula.find_first_not_of(" \t\r\n") == std::string::npos)
      throw Error(node, "the calculated member has no formula.");
    return member;
  }

  const std::string& text_;
  std::string source_;
  std::vector<ptrdiff_t> newlines_;
};

}  // namespace

Schema ReadSchemaText(const std::string& text, const std::string& source_name) {
  return Reader(text, source_name).Read();
}

Schema ReadSchemaFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in || std::filesystem::is_directory(path))
    throw BuildError("The schema file " + path + " cannot be read.");
  std::stringstream buffer;
  buffer << in.rdbuf();
  return ReadSchemaText(buffer.str(), path);
}

}  // namespace engine

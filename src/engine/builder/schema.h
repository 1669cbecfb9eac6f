#pragma once

#include <optional>
#include <string>
#include <vector>

namespace engine {

// A cube schema as read from its XML file: the subset of the Mondrian 3 schema language that
// the builder honours (docs/cube-schema.md). Every element keeps its line for messages.

struct SchemaTable {
  std::string name;
  int line = 0;
};

struct SchemaJoin {
  std::string left_key;
  std::string right_key;
  SchemaTable left;
  SchemaTable right;
  int line = 0;
};

struct SchemaLevel {
  std::string name;
  std::string table;  // empty: the hierarchy's table, or the joined table that has the column
  std::string column;
  std::string name_column;     // empty: column
  std::string caption_column;  // empty: the name
  std::string ordinal_column;  // empty: members are ordered by their key
  std::string type;            // "String", "Numeric", "Integer", ... or empty
  int level_type = 0;          // OLE DB for OLAP code of levelType
  bool unique_members = false;
  int line = 0;
};

struct SchemaHierarchy {
  std::string name;  // empty: the dimension's name
  bool has_all = true;
  std::string all_member_name;  // empty: "All " + name + "s"
  std::string primary_key;
  std::string primary_key_table;
  std::string display_folder;
  std::optional<SchemaTable> table;
  std::optional<SchemaJoin> join;
  std::vector<SchemaLevel> levels;
  int line = 0;
};

struct SchemaDimension {
  std::string name;
  bool time = false;  // type="TimeDimension"
  std::vector<SchemaHierarchy> hierarchies;
  int line = 0;
};

// A dimension of a cube: its own, or a shared one brought in by a DimensionUsage.
struct CubeDimensionUse {
  std::string element;  // "Dimension" or "DimensionUsage", for messages
  std::string foreign_key;
  SchemaDimension dimension;  // named as the cube uses it
  int line = 0;
};

struct SchemaMeasure {
  std::string name;
  std::string column;
  std::string aggregator;
  std::string format_string;
  int line = 0;
};

struct SchemaCalculatedMember {
  std::string name;
  std::string formula;
  std::string format_string;
  int line = 0;
};

struct SchemaCube {
  std::string name;
  std::string description;
  SchemaTable fact_table;
  std::vector<CubeDimensionUse> dimensions;
  std::vector<SchemaMeasure> measures;
  std::vector<SchemaCalculatedMember> calculated_members;
  int line = 0;
};

struct Schema {
  std::string source;  // the file's name, for messages
  std::string name;
  std::string description;
  std::vector<SchemaCube> cubes;
};

}  // namespace engine
